#include "app/results_csv.h"

#include "app/grid_text.h"
#include "app/save_target.h"
#include "catalogue/grid_model.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <iconv.h>

#include <memory>
#include <stdexcept>

namespace app {
namespace {

constexpr int kRowsPerChunk = 4096;

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw std::runtime_error(QStringLiteral("%1 に保存できません。%2")
                                 .arg(QDir::toNativeSeparators(path), reason)
                                 .toStdString());
}

// UTF-8 to code page 932, chunk by chunk.
class Cp932Encoder {
public:
    Cp932Encoder() : cd_(iconv_open("CP932", "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("コード ページ 932 への変換を使えません。");
    }
    ~Cp932Encoder() { iconv_close(cd_); }
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;

    // Empty text in `unmapped` when all of `text` converts; else the
    // character that has no code in code page 932, and in `line` how many
    // lines of `text` come before it.
    QByteArray encode(const QString& text, QString& unmapped, int& line) {
        QByteArray in = text.toUtf8();
        QByteArray out(in.size() * 2 + 16, Qt::Uninitialized);
        char* src = in.data();
        size_t src_left = static_cast<size_t>(in.size());
        char* dst = out.data();
        size_t dst_left = static_cast<size_t>(out.size());
        if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
            const qsizetype at = src - in.data();
            unmapped = QString::fromUtf8(in.mid(at)).left(1);
            line = static_cast<int>(in.left(at).count('\n'));
            return {};
        }
        out.truncate(out.size() - static_cast<qsizetype>(dst_left));
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

void save_results_csv(const SpringGridModel& model, const std::vector<int>& columns,
                      const QString& path, CsvEncoding encoding) {
    if (const QString reason = refused_save_target(path); !reason.isEmpty())
        fail(path, reason);
    std::unique_ptr<Cp932Encoder> cp932;
    if (encoding == CsvEncoding::Cp932)
        cp932 = std::make_unique<Cp932Encoder>();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    auto write = [&](const QString& text, int line) {
        QByteArray bytes;
        if (cp932) {
            QString unmapped;
            int before = 0;
            bytes = cp932->encode(text, unmapped, before);
            if (!unmapped.isEmpty())
                fail(path, QStringLiteral("%1 行目の「%2」はコード ページ 932 で表せません。"
                                          "UTF-8 で保存してください。")
                               .arg(line + before)
                               .arg(unmapped));
        } else {
            bytes = text.toUtf8();
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
        append_grid_rows(chunk, model, columns, first, std::min(rows, first + kRowsPerChunk),
                         CellFormat::Csv);
        write(chunk, first + 2);
    }
    if (!file.commit())
        fail(path, file.errorString());
}

} // namespace app
