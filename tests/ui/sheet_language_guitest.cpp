// The sheet's languages: the translations built into the program and the
// scope that installs one without the windows hearing of it.
#include "core/strength/check_reasons.h"
#include "ui/check_reason_texts.h"
#include "ui/sheet_language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

bool has_japanese(const QString& text) {
    for (const QChar c : text) {
        if ((c.unicode() >= 0x3000 && c.unicode() <= 0x9fff) ||
            (c.unicode() >= 0xff00 && c.unicode() <= 0xffef))
            return true;
    }
    return false;
}

// Counts the language changes it is told of.
class Listener : public QWidget {
public:
    int changes = 0;

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange)
            ++changes;
        QWidget::changeEvent(event);
    }
};

} // namespace

TEST(SheetLanguage, EveryLanguageButJapaneseLoadsFromTheProgramAndTranslates) {
    const std::vector<ui::SheetLanguage>& languages = ui::sheet_languages();
    ASSERT_GE(languages.size(), 2u);
    EXPECT_EQ(languages.front().code, QStringLiteral("ja"));
    EXPECT_EQ(ui::source_language(), QStringLiteral("ja"));
    QTranslator japanese;
    EXPECT_FALSE(ui::load_sheet_translation(japanese, QStringLiteral("ja")));
    QTranslator unknown;
    EXPECT_FALSE(ui::load_sheet_translation(unknown, QStringLiteral("xx")));

    for (size_t i = 1; i < languages.size(); ++i) {
        SCOPED_TRACE(languages[i].code.toStdString());
        QTranslator translator;
        ASSERT_TRUE(ui::load_sheet_translation(translator, languages[i].code));
        EXPECT_EQ(translator.language(), languages[i].code);
        // Each reason the checks give, with nothing Japanese left in it.
        for (const std::string_view reason : ui::check_reasons()) {
            const QString text = translator.translate("spring_checks", std::string(reason).c_str());
            EXPECT_FALSE(text.isEmpty()) << reason;
            EXPECT_FALSE(has_japanese(text)) << reason;
        }
    }
    QTranslator english;
    ASSERT_TRUE(ui::load_sheet_translation(english, QStringLiteral("en")));
    EXPECT_EQ(english.translate("spring_checks", spring_checks::text::kBelowLn.data()),
              QStringLiteral("Shorter than the minimum working length"));
}

TEST(SheetLanguage, TheScopeTranslatesWhileItLivesAndTheWindowsNeverHear) {
    Listener window;
    window.show();
    QCoreApplication::sendPostedEvents();
    const std::string_view reason = spring_checks::text::kBelowLn;
    const QString japanese = ui::reason_text(reason);
    EXPECT_EQ(japanese, QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size())));
    {
        const ui::SheetLanguageScope english(QStringLiteral("en"));
        EXPECT_TRUE(english.translates());
        EXPECT_FALSE(has_japanese(ui::reason_text(reason)));
    }
    EXPECT_EQ(ui::reason_text(reason), japanese);
    {
        const ui::SheetLanguageScope same(QStringLiteral("ja"));
        EXPECT_FALSE(same.translates());
        EXPECT_EQ(ui::reason_text(reason), japanese);
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window.changes, 0);
}
