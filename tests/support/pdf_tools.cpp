#include "support/pdf_tools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace testsupport {

bool pdf_tools_available() {
#if defined(_WIN32)
    return false;
#else
    return true;
#endif
}

void keep_pdf(const QString& path) {
    const QString out = qEnvironmentVariable("TARVOLIN_PDF_OUT");
    if (out.isEmpty())
        return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name = QStringLiteral("%1.%2-%3")
                             .arg(QString::fromUtf8(test->test_suite_name()),
                                  QString::fromUtf8(test->name()), QFileInfo(path).fileName());
    QDir().mkpath(out);
    QFile::remove(QDir(out).filePath(name));
    EXPECT_TRUE(QFile::copy(path, QDir(out).filePath(name))) << name.toStdString();
}

QString run_pdf_tool(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        ADD_FAILURE() << tool.toStdString()
                      << " is missing: scripts/setup.sh installs it (poppler-utils)";
        return {};
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdf_text(const QString& path) {
    return run_pdf_tool(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

PdfInfo pdf_info(const QString& path) {
    const QString out = run_pdf_tool(QStringLiteral("pdfinfo"), {path});
    PdfInfo info;
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(out);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                           QRegularExpression::MultilineOption)
            .match(out);
    if (size.hasMatch()) {
        info.width = size.captured(1).toDouble();
        info.height = size.captured(2).toDouble();
    }
    return info;
}

std::vector<PdfFont> pdf_fonts(const QString& path) {
    // name  type  encoding  emb sub uni  object ID; the name has no blanks,
    // the type may have some, so the flags are read from the right.
    const QStringList lines = run_pdf_tool(QStringLiteral("pdffonts"), {path}).split(u'\n');
    std::vector<PdfFont> fonts;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 7)
            continue;
        fonts.push_back({fields.first(), fields[fields.size() - 5] == QLatin1String("yes")});
    }
    return fonts;
}

std::vector<PdfWord> pdf_words(const QString& path) {
    const QString html = run_pdf_tool(QStringLiteral("pdftotext"),
                                      {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                       QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

} // namespace testsupport
