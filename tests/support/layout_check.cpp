#include "support/layout_check.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace testsupport {

namespace {

QString name_of(const QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty()) {
        if (const auto* l = qobject_cast<const QLabel*>(w))
            name = QStringLiteral("label '%1'").arg(l->text());
        else if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            name = QStringLiteral("button '%1'").arg(b->text());
        else
            name = QString::fromLatin1(w->metaObject()->className());
    }
    const QWidget* p = w->parentWidget();
    return p && !p->objectName().isEmpty() ? p->objectName() + u'/' + name : name;
}

// The part of a widget its children can be seen in.
QRect visible_area(const QWidget* parent) {
    if (const auto* box = qobject_cast<const QGroupBox*>(parent)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect frame = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxFrame, box);
        return frame.adjusted(1, 1, -1, -1);
    }
    return parent->rect();
}

bool is_control(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QGroupBox*>(w);
}

void check_text(const QWidget* w, QStringList& found) {
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty() || l->wordWrap() || !l->pixmap().isNull())
            return;
        const QSize need = l->sizeHint();
        if (need.width() > l->width() || l->fontMetrics().height() > l->height())
            found << QStringLiteral("%1: text needs %2x%3, has %4x%5")
                         .arg(name_of(w))
                         .arg(need.width())
                         .arg(l->fontMetrics().height())
                         .arg(l->width())
                         .arg(l->height());
    } else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        // Radio buttons and check boxes ask for exactly their indicator and
        // text; a push button's hint adds the style's least width, so only
        // its text and icon count there.
        int need = b->sizeHint().width();
        if (qobject_cast<const QPushButton*>(w))
            need = b->fontMetrics().horizontalAdvance(b->text()) +
                   (b->icon().isNull() ? 0 : b->iconSize().width() + 4) + 6;
        if (need > b->width())
            found << QStringLiteral("%1: needs %2 px wide, has %3")
                         .arg(name_of(w))
                         .arg(need)
                         .arg(b->width());
        if (b->fontMetrics().height() + 2 > b->height())
            found << QStringLiteral("%1: text higher than the button").arg(name_of(w));
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        const int title = g->fontMetrics().horizontalAdvance(g->title());
        if (title + 8 > g->width())
            found << QStringLiteral("%1: title needs %2 px, has %3")
                         .arg(name_of(w))
                         .arg(title + 8)
                         .arg(g->width());
    }
}

void walk(const QWidget* parent, QStringList& found) {
    const QRect area = visible_area(parent);
    QList<const QWidget*> shown;
    for (const QObject* o : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisible())
            continue;
        if (is_control(w)) {
            if (!area.contains(w->geometry()))
                found << QStringLiteral("%1: at (%2,%3 %4x%5) reaches past its parent's (%6,%7 "
                                        "%8x%9)")
                             .arg(name_of(w))
                             .arg(w->x())
                             .arg(w->y())
                             .arg(w->width())
                             .arg(w->height())
                             .arg(area.x())
                             .arg(area.y())
                             .arg(area.width())
                             .arg(area.height());
            check_text(w, found);
            for (const QWidget* other : shown)
                if (other->geometry().intersects(w->geometry()))
                    found << QStringLiteral("%1 and %2 cover one another")
                                 .arg(name_of(other), name_of(w));
        }
        shown << w;
        // A combo box's own parts are its business.
        if (!qobject_cast<const QComboBox*>(w))
            walk(w, found);
    }
}

} // namespace

QStringList cut_texts(QWidget* root) {
    QStringList found;
    walk(root, found);
    return found;
}

} // namespace testsupport
