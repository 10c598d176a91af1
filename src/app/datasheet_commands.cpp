#include "app/datasheet_commands.h"

#include "app/event_guard.h"
#include "app/save_target.h"
#include "chart/chart.h"
#include "core/catalogue/table.h"
#include "core/session/search_session.h"
#include "ui/busy_cursor.h"
#include "ui/datasheet_header_dialog.h"
#include "ui/datasheet_page.h"
#include "ui/datasheet_texts.h"
#include "ui/sheet_language.h"
#include "ui/verdict_report.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>

#include <algorithm>
#include <stdexcept>

namespace app {
namespace {

const QString pdf_filter = QStringLiteral("PDF (*.pdf)");

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw std::runtime_error(QStringLiteral("%1 に保存できません。%2")
                                 .arg(QDir::toNativeSeparators(path), reason)
                                 .toStdString());
}

// A file name proposed from the model number: without the characters no file
// system takes, and short.
QString proposed_name(const QString& model) {
    QString name;
    for (const QChar c : model) {
        const bool bad = c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c);
        name += bad ? QChar(u'_') : c;
    }
    name = name.trimmed().left(80);
    return (name.isEmpty() ? QStringLiteral("datasheet") : name) + QStringLiteral(".pdf");
}

} // namespace

DatasheetCommands::DatasheetCommands(QMainWindow* window, const session::SearchSession& session,
                                     const catalogue::Table& springs,
                                     const catalogue::Table& makers, Charts charts)
    : QObject(window), window_(window), session_(session), springs_(springs), makers_(makers),
      charts_(charts), print_(new QAction(QStringLiteral("印刷(&P)..."), window)),
      pdf_(new QAction(QStringLiteral("データシートを PDF で保存..."), window)) {
    print_->setObjectName(QStringLiteral("Action_print"));
    print_->setShortcut(QKeySequence::Print);
    pdf_->setObjectName(QStringLiteral("Action_datasheetpdf"));
    connect(print_, &QAction::triggered, this, [this] { guarded([this] { print(); }); });
    connect(pdf_, &QAction::triggered, this, [this] { guarded([this] { savePdf(); }); });
    followSelection();
}

void DatasheetCommands::addTo(QMenu* file, QAction* exit) {
    file->insertAction(exit, print_);
    file->insertAction(exit, pdf_);
    file->insertSeparator(exit);
}

bool DatasheetCommands::selected() const {
    return springs_.isOpen() && springs_.currentRow() >= 0;
}

void DatasheetCommands::followSelection() {
    print_->setEnabled(selected());
    pdf_->setEnabled(selected());
}

std::optional<ui::DatasheetContent> DatasheetCommands::content() const {
    const int row = springs_.isOpen() ? springs_.currentRow() : -1;
    if (row < 0 || !session_.evaluation())
        return std::nullopt;
    const ui::DisplayUnits units = ui::display_units(session_.units());
    const search::Conditions& s = session_.conditions();
    const ui::SpringFacts spring = ui::spring_facts(springs_, row);

    ui::DatasheetContent c;
    c.program = window_->windowTitle();
    c.date = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    c.header = header_.value_or(ui::DatasheetHeader{});
    const ui::SheetLanguageScope language(c.header.language);
    c.model_number = spring.model_number;
    // The catalogue the search read, in the folder the program reads it from.
    const QFileInfo file(QDir::current().filePath(QStringLiteral("spring_data.xml")));
    const ui::CatalogueSource source{
        QDir::toNativeSeparators(QDir::currentPath()),
        file.exists() ? file.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"))
                      : QString()};
    c.spring = ui::spring_items(spring, ui::maker_facts(makers_, spring.maker), source);
    c.catalogue = ui::catalogue_items(spring, units);
    const session::RangeInput& range = session_.operatingRangeInput();
    c.search = ui::search_items(s, units,
                                {QString::fromStdString(range.first.text),
                                 QString::fromStdString(range.second.text), range.lengths,
                                 QString::fromStdString(session_.cycles().text)});
    // The band at the tolerance the verdict list states.
    // A spring without a verdict (a type without checks) has the stated fraction.
    const spring_checks::CheckConditions& checks = session_.checkConditions();
    std::optional<spring_checks::LoadTolerance> tolerance;
    if (session_.verdict())
        tolerance = session_.verdict()->assumed.load_tolerance;
    else if (!checks.jis_grade)
        tolerance = spring_checks::LoadTolerance::fraction(checks.load_tolerance);
    c.lengths = ui::length_rows(*session_.evaluation(), s, units, tolerance);
    c.verdict = ui::selected_report(session_);
    if (c.verdict)
        c.assumed = ui::assumed_items(*c.verdict);

    const QString fatigue =
        QCoreApplication::translate("datasheet",
                                    "動荷重に対するねじり応力の疲れ限度線図 (繰返し回数 %1)")
            .arg(QString::fromStdString(session_.cycles().text));
    const std::pair<Chart*, QString> charts[] = {
        {charts_.load_length,
         QCoreApplication::translate("datasheet", "荷重－長さ線図 (このバネの線分と検索の窓)")},
        {charts_.static_stress,
         QCoreApplication::translate("datasheet", "静荷重に対する許容最大応力")},
        {charts_.fatigue, fatigue}};
    for (const auto& [chart, caption] : charts) {
        // A paint of its own brings the overlays (the spring's segment, the
        // windows) up to the current selection, shown or not.
        chart->grab();
        c.charts.push_back({caption, chart});
    }
    return c;
}

bool DatasheetCommands::askHeader() {
    if (header_)
        return true;
    ui::DatasheetHeaderDialog dialog(ui::DatasheetHeader{}, window_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    header_ = dialog.header();
    return true;
}

void DatasheetCommands::print() {
    if (!selected() || !askHeader())
        return;
    const std::optional<ui::DatasheetContent> sheet = content();
    if (!sheet)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("データシート ") + sheet->model_number);
    QPrintPreviewDialog preview(&printer, window_);
    preview.setObjectName(QStringLiteral("Form_printpreview"));
    preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&sheet](QPrinter* target) {
        QPainter painter(target);
        ui::paint_datasheet(painter, target->paperRect(QPrinter::DevicePixel), *sheet);
    });
    // Large enough to read a line of the sheet: most of the screen's height, the page
    // fitted to the width.
    const QRect screen = window_->screen()->availableGeometry();
    const int height = screen.height() * 9 / 10;
    preview.resize(std::min(screen.width(), height * 3 / 4), height);
    if (auto* view = preview.findChild<QPrintPreviewWidget*>())
        view->fitToWidth();
    preview.exec();
}

void DatasheetCommands::savePdf() {
    if (!selected() || !askHeader())
        return;
    const std::optional<ui::DatasheetContent> sheet = content();
    if (!sheet)
        return;
    const SaveRequest request{window_,
                              QStringLiteral("データシートを PDF で保存"),
                              QDir::current().filePath(proposed_name(sheet->model_number)),
                              {pdf_filter}};
    const SaveChoice choice = ask_save_target(request, [](const SaveChoice& c) {
        return c.path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                   ? c.path
                   : c.path + QStringLiteral(".pdf");
    });
    if (choice.path.isEmpty())
        return;
    try {
        const ui::BusyCursor busy;
        save_datasheet_pdf(*sheet, choice.path);
    } catch (const std::runtime_error& e) {
        show_message(window_, QMessageBox::Warning, QString::fromUtf8(e.what()));
    }
}

void save_datasheet_pdf(const ui::DatasheetContent& content, const QString& path) {
    if (const QString refusal = refused_save_target(path); !refusal.isEmpty())
        fail(path, refusal);
    QByteArray bytes;
    try {
        bytes = ui::datasheet_pdf(content);
    } catch (const std::runtime_error& e) {
        fail(path, QString::fromUtf8(e.what()));
    }
    // Written beside the target and renamed over it, so that a failure
    // leaves no half file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(path, file.errorString());
}

} // namespace app
