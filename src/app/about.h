#pragma once

#include <QDialog>

// The About box, created anew each time the About command runs.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner);
};
