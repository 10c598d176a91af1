#include "app/web_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace app {
namespace {

UrlOpener& current_opener() {
    static UrlOpener opener;
    return opener;
}

} // namespace

void set_url_opener(UrlOpener opener) {
    current_opener() = std::move(opener);
}

void open_with_shell(const QString& text) {
    if (current_opener())
        current_opener()(text);
    else
        platform_open(text);
}

void platform_open(const QString& text) {
    const QUrl url(text);
    if (url.scheme().isEmpty() && text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        QDesktopServices::openUrl(QUrl(QStringLiteral("http://") + text));
    else
        QDesktopServices::openUrl(url);
}

} // namespace app
