#include "app/grid_actions.h"

#include "app/event_guard.h"
#include "app/grid_text.h"
#include "app/results_csv.h"
#include "app/save_target.h"
#include "app/stoppable_progress.h"
#include "ui/busy_cursor.h"
#include "ui/grid_model.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTableView>

#include <algorithm>
#include <exception>
#include <optional>

namespace app {
namespace {

const QString utf8_filter = QStringLiteral("CSV UTF-8 (*.csv)");
const QString cp932_filter = QStringLiteral("CSV コード ページ 932 (*.csv)");

// Rows between two looks at the progress: the look is cheap, a step of rows short.
constexpr int kRowsPerStep = 512;

} // namespace

GridActions::GridActions(QTableView* grid, SpringGridModel* model)
    : QObject(grid), grid_(grid), model_(model), menu_(new QMenu(grid)) {
    menu_->setObjectName(QStringLiteral("DBGrid1_menu"));
    copy_row_ = menu_->addAction(QStringLiteral("行をコピー(&C)"));
    copy_row_->setObjectName(QStringLiteral("Action_copyrow"));
    copy_row_->setShortcut(QKeySequence::Copy);
    copy_row_->setShortcutVisibleInContextMenu(true);
    copy_all_ = menu_->addAction(QStringLiteral("すべての行をコピー(&A)"));
    copy_all_->setObjectName(QStringLiteral("Action_copyall"));
    menu_->addSeparator();
    save_csv_ = menu_->addAction(QStringLiteral("結果を CSV で保存(&S)..."));
    save_csv_->setObjectName(QStringLiteral("Action_savecsv"));
    menu_->addSeparator();
    focus_ = menu_->addAction(QStringLiteral("一覧へ移動(&G)"));
    focus_->setObjectName(QStringLiteral("Action_focusgrid"));
    focus_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    focus_->setShortcutVisibleInContextMenu(true);
    // Works from any control of the window, not only from the grid.
    grid_->window()->addAction(focus_);
    connect(focus_, &QAction::triggered, grid_,
            [this] { grid_->setFocus(Qt::ShortcutFocusReason); });

    connect(copy_row_, &QAction::triggered, this,
            [this] { guarded([this] { copyCurrentRow(); }); });
    connect(copy_all_, &QAction::triggered, this, [this] { guarded([this] { copyAllRows(); }); });
    connect(save_csv_, &QAction::triggered, this, [this] { guarded([this] { saveCsv(); }); });

    // The view's own Ctrl+C copies a single cell; the row is what a designer wants.
    grid_->installEventFilter(this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        updateActions();
        menu_->popup(grid_->viewport()->mapToGlobal(pos));
    });
}

void GridActions::updateActions() {
    const bool rows = model_->rowCount() > 0;
    copy_row_->setEnabled(rows && grid_->currentIndex().isValid());
    copy_all_->setEnabled(rows);
}

bool GridActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress)
            guarded([this] { copyCurrentRow(); });
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

std::vector<int> GridActions::shownColumns() const {
    const QHeaderView* header = grid_->horizontalHeader();
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns.push_back(logical);
    }
    return columns;
}

void GridActions::copyCurrentRow() {
    const int row = grid_->currentIndex().row();
    if (row < 0 || row >= model_->rowCount())
        return;
    QApplication::clipboard()->setText(
        grid_text(*model_, shownColumns(), row, row + 1, CellFormat::Tabs));
}

void GridActions::copyAllRows() {
    std::optional<QString> text;
    {
        const ui::BusyCursor busy;
        text = allRowsText();
    }
    if (text)
        QApplication::clipboard()->setText(*text);
    else // the clipboard keeps what it held
        show_message(grid_->window(), QMessageBox::NoIcon, QStringLiteral("コピーを中止しました"));
}

std::optional<QString> GridActions::allRowsText() const {
    const int rows = model_->rowCount();
    const std::vector<int> columns = shownColumns();
    StoppableProgress progress(grid_->window(),
                               QStringLiteral("%1 行をコピーしています").arg(rows));
    const auto close = qScopeGuard([&progress] { progress.close(); });
    QString text = grid_title_line(*model_, columns, CellFormat::Tabs);
    for (int first = 0; first < rows; first += kRowsPerStep) {
        const int end = std::min(rows, first + kRowsPerStep);
        append_grid_rows(text, *model_, columns, first, end, CellFormat::Tabs);
        if (!progress.step(static_cast<double>(end) / rows))
            return std::nullopt;
    }
    return text;
}

void GridActions::saveCsv() {
    const SaveRequest request{grid_->window(),
                              QStringLiteral("結果を CSV で保存"),
                              QDir::current().filePath(QStringLiteral("springs.csv")),
                              {utf8_filter, cp932_filter}};
    // A name typed without ".csv" gets it, unless a file of that very name exists.
    const SaveChoice choice = ask_save_target(request, [](const SaveChoice& c) {
        if (!c.path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) &&
            !QFileInfo::exists(c.path))
            return c.path + QStringLiteral(".csv");
        return c.path;
    });
    if (choice.path.isEmpty())
        return;
    const CsvEncoding encoding =
        choice.filter == cp932_filter ? CsvEncoding::Cp932 : CsvEncoding::Utf8Bom;
    try {
        const ui::BusyCursor busy;
        StoppableProgress progress(grid_->window(),
                                   QStringLiteral("%1 に書き込んでいます").arg(choice.path));
        const auto close = qScopeGuard([&progress] { progress.close(); });
        save_results_csv(*model_, shownColumns(), choice.path, encoding,
                         [&progress](double done) { return progress.step(done); });
    } catch (const SaveStopped&) {
        show_message(grid_->window(), QMessageBox::NoIcon, QStringLiteral("保存を中止しました"));
    } catch (const std::exception& e) {
        show_message(grid_->window(), QMessageBox::Warning, QString::fromUtf8(e.what()));
    }
}

} // namespace app
