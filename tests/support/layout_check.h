#pragma once

#include <QStringList>

class QWidget;

namespace testsupport {

// Every shown text under root that the screen would cut: a label, button or
// group-box title narrower or lower than its text, a control that reaches
// past the part of its parent it can be seen in (inside a group box's frame),
// and sibling controls that cover one another. One line per finding, naming
// the widget, empty when everything can be read.
QStringList cut_texts(QWidget* root);

} // namespace testsupport
