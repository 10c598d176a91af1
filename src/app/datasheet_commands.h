#pragma once

#include "ui/datasheet_content.h"

#include <QObject>

#include <optional>

class Chart;
class QAction;
class QMainWindow;
class QMenu;

namespace catalogue {
class Table;
}
namespace session {
class SearchSession;
}

namespace app {

// The datasheet of the selected spring, for a design review, a request for
// quotation or the project's file: 印刷 opens the print preview of the page,
// the PDF command writes it. Both are enabled only while a spring is
// selected. The header (件名, 部品番号, 担当, メモ and the sheet's language) is
// asked for before the first sheet and kept for the rest of the run; Cancel
// there cancels the command and leaves the header to be asked again.
class DatasheetCommands : public QObject {
    Q_OBJECT
public:
    // The charts the sheet shows: the load-length chart, the static stress chart and
    // the fatigue diagram.
    struct Charts {
        Chart* load_length;
        Chart* static_stress;
        Chart* fatigue;
    };
    DatasheetCommands(QMainWindow* window, const session::SearchSession& session,
                      const catalogue::Table& springs, const catalogue::Table& makers,
                      Charts charts);

    QAction* printAction() const { return print_; }
    QAction* pdfAction() const { return pdf_; }
    // Adds both commands to `file` before `exit`.
    void addTo(QMenu* file, QAction* exit);
    // The commands are enabled only while a spring is selected.
    void followSelection();

    // The sheet of the selected spring as the window shows it, in the header's
    // language; none without one.
    std::optional<ui::DatasheetContent> content() const;

    void print();
    void savePdf();

private:
    bool selected() const;
    // The header, asked for once; false when the designer cancelled.
    bool askHeader();

    QMainWindow* window_;
    const session::SearchSession& session_;
    const catalogue::Table& springs_;
    const catalogue::Table& makers_;
    Charts charts_;
    QAction* print_;
    QAction* pdf_;
    std::optional<ui::DatasheetHeader> header_;
};

// Writes the sheet as a PDF file, whole or not at all, never over a
// catalogue file. Throws std::runtime_error naming the path and the reason.
void save_datasheet_pdf(const ui::DatasheetContent& content, const QString& path);

} // namespace app
