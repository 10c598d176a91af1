// The languages a datasheet is written in. The program's texts are Japanese,
// the source texts of Qt's translation system; every other language is a
// translation built into the program (translations/tarvolin_<code>.ts), which
// is installed only while a sheet in it is made, so that the window stays
// Japanese.
#pragma once

#include <QString>
#include <QTranslator>

#include <vector>

namespace ui {

struct SheetLanguage {
    QString code; // "en", as in the translation's file name
    QString name; // as the header dialog offers it, in its own language
};

// Japanese first: the language of the window and of a sheet nobody chose one for.
const std::vector<SheetLanguage>& sheet_languages();
const QString& source_language();

// Loads the built-in translation of `code`; false for Japanese and an unknown code.
bool load_sheet_translation(QTranslator& translator, const QString& code);

// While it lives, the application translates into `code`. The window's widgets
// are not told of the change (they set their texts once and keep them).
class SheetLanguageScope {
public:
    explicit SheetLanguageScope(const QString& code);
    ~SheetLanguageScope();
    SheetLanguageScope(const SheetLanguageScope&) = delete;
    SheetLanguageScope& operator=(const SheetLanguageScope&) = delete;

    // Whether a translation is installed: false for Japanese.
    bool translates() const { return installed_; }

private:
    QTranslator translator_;
    bool installed_ = false;
};

} // namespace ui
