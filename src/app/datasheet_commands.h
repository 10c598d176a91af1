#pragma once

#include "ui/datasheet_content.h"

#include <QObject>

#include <optional>

class QAction;
class TForm_spring;

namespace app {

// The datasheet of the selected spring, for a design review, a request for
// quotation or the project's file: 印刷 opens the print preview of the page,
// the PDF command writes it. Both are enabled only while a spring is
// selected. The header (件名, 部品番号, 担当, メモ) is asked for before the
// first sheet and kept for the rest of the run; Cancel there cancels the
// command and leaves the header to be asked again.
class DatasheetCommands : public QObject {
    Q_OBJECT
public:
    explicit DatasheetCommands(TForm_spring* window);

    QAction* printAction() const { return print_; }
    QAction* pdfAction() const { return pdf_; }

    // The sheet of the selected spring as the window shows it; none without one.
    std::optional<ui::DatasheetContent> content() const;

    void print();
    void savePdf();

private:
    bool selected() const;
    void followSelection();
    // The header, asked for once; false when the designer cancelled.
    bool askHeader();

    TForm_spring* window_;
    QAction* print_;
    QAction* pdf_;
    std::optional<ui::DatasheetHeader> header_;
};

// Writes the sheet as a PDF file, whole or not at all, never over a
// catalogue file. Throws std::runtime_error naming the path and the reason.
void save_datasheet_pdf(const ui::DatasheetContent& content, const QString& path);

// Adds both commands to the File menu before `exit`.
void add_datasheet_commands(TForm_spring* window, QAction* exit);

} // namespace app
