#pragma once

#include <QLabel>

namespace ui {

// A label that reports a left click, for the maker's web address.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace ui
