#include "ui/placed_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ui {

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 20);
    return e;
}

QLabel* value_label(QWidget* parent, const char* name, int x, int y, int w) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(x, y, w, 14);
    return l;
}

QWidget* panel(QWidget* parent, const char* name) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, int x, int y, int w) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->addItems(items);
    c->setCurrentIndex(0);
    c->setGeometry(x, y, w, 20);
    c->setInsertPolicy(QComboBox::NoInsert);
    // The typed text is searched for as typed: no completion may rewrite it.
    c->setCompleter(nullptr);
    return c;
}

void fit_to_children(QWidget* w, QSize least, int margin) {
    QRect bounds;
    for (QWidget* child : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            bounds |= child->geometry();
    }
    w->setMinimumSize(least.expandedTo(QSize(bounds.right() + 1 + margin, bounds.bottom() + 1)));
}

} // namespace ui
