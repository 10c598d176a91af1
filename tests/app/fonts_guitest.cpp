// The layout asks for Windows' Japanese faces. A system that has them draws
// with its own; elsewhere the IPA fonts stand in. Either way the window's
// texts are drawn with a face that has their characters.
#include "support/main_window.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <string_view>

namespace {

class Fonts : public testsupport::MainWindowTest {};

TEST_F(Fonts, JapaneseFacesAreTheSystemsOwnOrTheIpaStandIns) {
    const struct {
        const char* requested;
        const char* english;
        const char* stand_in;
    } faces[] = {{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"},
                 {"ＭＳ Ｐ明朝", "MS PMincho", "IPAPMincho"}};
    for (const auto& face : faces) {
        const QString requested = QString::fromUtf8(face.requested);
        const QFont font(requested, 9);
        const QString drawn = QFontInfo(font).family();
        if (QFontDatabase::hasFamily(requested))
            EXPECT_EQ(drawn, requested);
        else if (QFontDatabase::hasFamily(QString::fromLatin1(face.english)))
            EXPECT_EQ(drawn, QString::fromLatin1(face.english));
        else
            EXPECT_EQ(drawn, QString::fromLatin1(face.stand_in));
        const QFontMetrics metrics(font);
        for (const char32_t c : std::u32string_view(U"ばね指数検索ｶﾀﾛｸﾞ")) {
            EXPECT_TRUE(metrics.inFontUcs4(c))
                << requested.toStdString() << " lacks U+" << std::hex << unsigned(c);
        }
    }
}

} // namespace
