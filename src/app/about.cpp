#include "app/about.h"

#include "app/version.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Room a window manager takes beside the title: the icon, up to three
// buttons and the margins.
constexpr int kTitleBarButtons = 110;

QFont times(int pixels) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(pixels);
    return f;
}

QLabel* line(const QString& text, QWidget* parent, Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Tarvolin Ver" TARVOLIN_VERSION "J"));
    setFont(times(12));
    // 185 px wide at least: wider where the title bar's font needs room for
    // the whole title beside the frame's buttons.
    const QFont title_font = QApplication::font("QMdiSubWindowTitleBar");
    const int title = QFontMetrics(title_font).horizontalAdvance(windowTitle());
    const int box_width = std::max(185, title + kTitleBarButtons);
    setFixedSize(box_width, 205);
    const int inset = (box_width - 185) / 2; // the content stays centred

    // A raised outer bevel around a lowered inner one.
    auto* outer = new QFrame(this);
    outer->setObjectName(QStringLiteral("Panel1"));
    outer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outer->setGeometry(8 + inset, 8, 169, 153);
    auto* inner = new QFrame(outer);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setGeometry(3, 3, 163, 147);

    auto* column = new QVBoxLayout(inner);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(2);
    auto* product = line(QStringLiteral("Tarvolin"), inner);
    product->setObjectName(QStringLiteral("ProductName"));
    product->setFont(times(21));
    column->addWidget(product);
    column->addWidget(line(QStringLiteral("Version " TARVOLIN_VERSION "J"), inner, Qt::AlignRight));
    column->addWidget(line(QStringLiteral("(XML data file version)"), inner, Qt::AlignRight));
    column->addWidget(line(QStringLiteral("2002/08/18"), inner));
    column->addWidget(line(QStringLiteral("(C) 2002 T. Arvolin\nSpring Desk Press"), inner));
    column->addWidget(line(QStringLiteral("tarvolin@example.jp"), inner));
    column->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(55 + inset, 170, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = (owner ? owner->screen() : nullptr)) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}
