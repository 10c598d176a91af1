#include "app/results_csv.h"

#include "app/grid_text.h"
#include "app/save_target.h"
#include "core/catalogue/cp932_encoder.h"
#include "ui/grid_model.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <stdexcept>
#include <string>

namespace app {
namespace {

constexpr int kRowsPerChunk = 4096;

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw std::runtime_error(QStringLiteral("%1 に保存できません。%2")
                                 .arg(QDir::toNativeSeparators(path), reason)
                                 .toStdString());
}

} // namespace

void save_results_csv(const SpringGridModel& model, const std::vector<int>& columns,
                      const QString& path, CsvEncoding encoding,
                      const std::function<bool(double)>& progress) {
    if (const QString reason = refused_save_target(path); !reason.isEmpty())
        fail(path, reason);
    std::optional<catalogue::Cp932Encoder> cp932;
    if (encoding == CsvEncoding::Cp932)
        cp932.emplace();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    auto write = [&](const QString& text, int line) {
        QByteArray bytes = text.toUtf8();
        if (cp932) {
            const std::string_view utf8(bytes.constData(), static_cast<size_t>(bytes.size()));
            std::string encoded;
            if (!cp932->encode(utf8, encoded)) {
                const size_t at = cp932->firstUnencodable(utf8).value_or(0);
                const QByteArray before = bytes.left(static_cast<qsizetype>(at));
                const QString rest = QString::fromUtf8(bytes.mid(before.size()));
                const QString unmapped = rest.left(rest.front().isHighSurrogate() ? 2 : 1);
                fail(path, QStringLiteral("%1 行目の「%2」はコード ページ 932 で表せません。"
                                          "UTF-8 で保存してください。")
                               .arg(line + static_cast<int>(before.count('\n')))
                               .arg(unmapped));
            }
            bytes = QByteArray::fromStdString(encoded);
        }
        if (file.write(bytes) != bytes.size())
            fail(path, file.errorString());
    };

    if (encoding == CsvEncoding::Utf8Bom && file.write("\xEF\xBB\xBF", 3) != 3)
        fail(path, file.errorString());
    write(grid_title_line(model, columns, CellFormat::Csv), 1);
    const int rows = model.rowCount();
    QString chunk;
    for (int first = 0; first < rows; first += kRowsPerChunk) {
        chunk.clear();
        const int end = std::min(rows, first + kRowsPerChunk);
        append_grid_rows(chunk, model, columns, first, end, CellFormat::Csv);
        write(chunk, first + 2);
        // The save file is not committed: the target stays as it was.
        if (progress && !progress(static_cast<double>(end) / rows))
            throw SaveStopped();
    }
    if (!file.commit())
        fail(path, file.errorString());
}

} // namespace app
