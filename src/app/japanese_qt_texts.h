#pragma once

class QTranslator;

namespace app {

// Qt's own texts (file dialogs, standard buttons, the edit menu) in Japanese,
// as the rest of the program is, when Qt's Japanese translation is
// installed; nullptr when it is not. The translator belongs to the
// application.
QTranslator* install_japanese_qt_texts();

} // namespace app
