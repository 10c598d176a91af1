// Reading a PDF back through the poppler tools (pdftotext, pdfinfo,
// pdffonts), which the setup installs: a tool that is missing fails the test.
// They are Linux programs, which a Windows build under Wine cannot start:
// there a test keeps its PDF for scripts/windows-test.sh to read on the Linux
// side (in $TARVOLIN_PDF_OUT, when set) and skips saying so.
#pragma once

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

// The tool's standard output; fails the test when it cannot run or fails.
QString run_pdf_tool(const QString& tool, const QStringList& arguments);

// The text of every page in reading order.
QString pdf_text(const QString& path);

struct PdfInfo {
    int pages = 0;
    double width = 0, height = 0; // page size in points
};
PdfInfo pdf_info(const QString& path);

struct PdfFont {
    QString name;
    bool embedded = false;
};
std::vector<PdfFont> pdf_fonts(const QString& path);

// A word and its box in points from the top left of its page.
struct PdfWord {
    QString text;
    double x_min = 0, y_min = 0, x_max = 0, y_max = 0;
};
std::vector<PdfWord> pdf_words(const QString& path);

// Whether the poppler tools can run here.
bool pdf_tools_available();
// Copies the PDF into $TARVOLIN_PDF_OUT under the running test's name.
void keep_pdf(const QString& path);

} // namespace testsupport

#define READ_PDF_OR_KEEP_AND_SKIP(path)                                                            \
    if (!testsupport::pdf_tools_available()) {                                                     \
        testsupport::keep_pdf(path);                                                               \
        GTEST_SKIP() << "the poppler tools are Linux programs; scripts/windows-test.sh reads "     \
                        "this PDF on the Linux side";                                              \
    }
