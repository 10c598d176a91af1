// The main window's command for the springs nearest to the search
// conditions: the query from the search controls, the list, and the search
// with the tolerances of the row chosen there.
#include "app/event_guard.h"
#include "app/main.h"
#include "app/qt_text.h"
#include "app/radio_group.h"
#include "catalogue/grid_model.h"
#include "catalogue/number_parse.h"
#include "catalogue/spring_record.h"
#include "catalogue/unit_system.h"
#include "search/conditions.h"
#include "search/nearest_form.h"
#include "search/nearest_search.h"
#include "search/search_start.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopeGuard>

using app::qtext;
using app::utf8;

namespace {

constexpr int kNearestCount = 20;

const char* const no_condition_message =
    "長さと荷重を両方入力した選択条件がありません。近いバネを探せません";

bool bounded(search::Bounds b) {
    return b.min != -search::open_bound || b.max != search::open_bound;
}

} // namespace

void TForm_spring::buildNearestCommand() {
    // A menu of its own before Help, so that the search controls keep their places.
    auto* menu = new QMenu(QStringLiteral("検索(&S)"), this);
    menu->setObjectName(QStringLiteral("Search1"));
    QMenu* help = menuBar()->findChild<QMenu*>(QStringLiteral("Help1"));
    menuBar()->insertMenu(help ? help->menuAction() : nullptr, menu);
    Button_nearest = menu->addAction(QStringLiteral("近いバネを探す(&N)"));
    Button_nearest->setObjectName(QStringLiteral("Button_nearest"));
    Button_nearest->setToolTip(
        QStringLiteral("検索条件に近いバネを、許容差を広げる倍率の小さい順に示します"));
    connect(Button_nearest, &QAction::triggered, this,
            [this] { app::guarded([this] { Button_nearestClick(); }); });
}

void TForm_spring::Button_nearestClick() {
    // The controls are read as the search start reads them, but nothing is
    // stored: the conditions change only at a search start.
    search::NearestQuery query;
    for (int which = 0; which < 2; ++which) {
        const ConditionControls& c = cond_[which];
        const search::Bounds length =
            search::read_bounds(utf8(c.length->text()), utf8(c.length_width->text()));
        const search::Bounds force =
            search::read_bounds(utf8(c.force->text()), utf8(c.force_width->text()));
        if (bounded(length) && bounded(force)) {
            query.measured.push_back(
                {which, search::near_window(*parse_decimal(utf8(c.length->text())),
                                            *parse_decimal(utf8(c.length_width->text())),
                                            *parse_decimal(utf8(c.force->text())),
                                            *parse_decimal(utf8(c.force_width->text())))});
        } else if (bounded(length) || bounded(force)) {
            query.kept.push_back(search::window_corners(length, force));
        }
    }
    auto message = [this](const char* text) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(app::application_title),
                        QString::fromUtf8(text), QMessageBox::Ok, this);
        box.exec();
    };
    if (query.measured.empty()) {
        message(no_condition_message);
        return;
    }

    query.rules.spring_type = search::conditions.spring_type;
    if (!readRecordRules(query.rules)) {
        message(search::diameter_message);
        return;
    }

    // The list is in the unit system the next search will apply.
    const units::UnitCaptions captions = units::unit_captions(
        RadioGroup_unit->itemIndex(), RadioGroup_type->itemIndex(), units::state);
    query.unit_factor = captions.factor;
    std::vector<search::NearRow> rows;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        rows = search::nearest_springs(query, kNearestCount);
    }

    std::vector<SpringGridModel::Column> columns;
    for (int i = 0; i < grid_model_->columnCount(); ++i)
        columns.push_back(grid_model_->column(i));
    columns[6].title = QString::fromStdString(captions.column6);
    columns[8].title = QString::fromStdString(captions.column8);
    columns[9].title = QString::fromStdString(captions.column9);
    for (int i : {6, 8, 9})
        columns[static_cast<size_t>(i)].decimals = captions.decimals;

    search::NearRow chosen;
    {
        TForm_nearest list(std::move(rows), std::move(columns), captions.factor, this);
        if (list.exec() != QDialog::Accepted || !list.chosenRow())
            return;
        chosen = *list.chosenRow();
    }
    for (const search::WidenedTolerance& t : chosen.tolerances) {
        const ConditionControls& c = cond_[t.condition];
        c.length_width->setText(qtext(t.length));
        c.force_width->setText(qtext(t.force));
        // The narrow boxes show a longer text from its start.
        c.length_width->setCursorPosition(0);
        c.force_width->setCursorPosition(0);
    }
    Springselectrange_set();
    showNearSpring(chosen.spring);
}

void TForm_spring::showNearSpring(const search::NearSpring& s) {
    if (!spring_table_.isOpen())
        return;
    namespace f = catalogue::spring;
    for (int row = 0; row < spring_table_.recordCount(); ++row) {
        bool same = spring_table_.text(row, f::modelNo) == s.text[f::modelNo] &&
                    spring_table_.text(row, f::maker) == s.text[f::maker];
        for (const int field : {f::lo, f::fo, f::lmax, f::fmax})
            same = same && spring_table_.number(row, field) == s.number[field];
        if (same) {
            spring_table_.setCurrentRow(row);
            return;
        }
    }
}
