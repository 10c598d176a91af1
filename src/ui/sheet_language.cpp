#include "ui/sheet_language.h"

#include <QCoreApplication>
#include <QEvent>

// Outside any namespace, the anonymous one too, as Qt's macro requires: the
// resource lives in a static library, which keeps it only when it is named.
static void register_translations() {
    static const bool once = [] {
        Q_INIT_RESOURCE(tarvolin_translations);
        return true;
    }();
    (void)once;
}

namespace ui {

const std::vector<SheetLanguage>& sheet_languages() {
    static const std::vector<SheetLanguage> all = {
        {QStringLiteral("ja"), QStringLiteral("日本語")},
        {QStringLiteral("en"), QStringLiteral("English")},
    };
    return all;
}

const QString& source_language() {
    return sheet_languages().front().code;
}

bool load_sheet_translation(QTranslator& translator, const QString& code) {
    if (code == source_language())
        return false;
    register_translations();
    return translator.load(QStringLiteral(":/translations/tarvolin_%1.qm").arg(code));
}

SheetLanguageScope::SheetLanguageScope(const QString& code) {
    installed_ = load_sheet_translation(translator_, code) &&
                 QCoreApplication::installTranslator(&translator_);
}

SheetLanguageScope::~SheetLanguageScope() {
    if (!installed_)
        return;
    QCoreApplication::removeTranslator(&translator_);
    // Installing and removing posted a language change to every window; the
    // language they show never changed.
    QCoreApplication::removePostedEvents(nullptr, QEvent::LanguageChange);
}

} // namespace ui
