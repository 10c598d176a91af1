#pragma once

#include <QString>
#include <functional>

namespace app {

// Hands a text to the platform's opener, as the shell's "open" verb does.
// Replaceable, so that tests can see what was handed over.
using UrlOpener = std::function<void(const QString& text)>;

void set_url_opener(UrlOpener opener); // an empty opener restores the platform's
void open_with_shell(const QString& text);

// The platform's opener: a text without a scheme that starts with "www." is
// a web page; anything else goes unchanged. The result is ignored.
void platform_open(const QString& text);

} // namespace app
