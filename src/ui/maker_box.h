#pragma once

#include <QGroupBox>

class QLabel;

namespace ui {

class ClickableLabel;

// The maker of the selected spring (information): name, telephone and web
// address, the address clickable.
class MakerBox : public QGroupBox {
    Q_OBJECT
public:
    explicit MakerBox(QWidget* parent);

    void showMaker(const QString& name, const QString& tel, const QString& url);
    // "Tel: " stands while the maker table is open.
    void setTelCaptionShown(bool shown);

signals:
    void urlClicked();

private:
    QLabel* name_;
    QLabel* tel_caption_;
    QLabel* tel_;
    ClickableLabel* url_;
};

} // namespace ui
