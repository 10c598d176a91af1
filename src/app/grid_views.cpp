#include "app/grid_views.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QStyle>
#include <QToolTip>

namespace app {

void keep_current_row_highlighted(QAbstractItemView* view) {
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view, [view] {
        QItemSelectionModel* s = view->selectionModel();
        const QModelIndex current = s->currentIndex();
        if (current.isValid() && !s->isRowSelected(current.row(), current.parent()))
            s->select(current, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    });
}

namespace {

// Room for the text inside a cell or title, with the margins the style
// leaves on either side.
int text_room(const QRect& rect, const QWidget* widget, QStyle::PixelMetric margin, int extra) {
    return rect.width() - 2 * (widget->style()->pixelMetric(margin, nullptr, widget) + extra);
}

class ElidedTextTips final : public QObject {
public:
    ElidedTextTips(QAbstractItemView* view, QHeaderView* header)
        : QObject(view), view_(view), header_(header) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return QObject::eventFilter(watched, event);
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = watched == header_->viewport()
                                 ? elided_title_text(header_, help->pos())
                                 : elided_cell_text(view_, help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, static_cast<QWidget*>(watched));
        return true;
    }

private:
    QAbstractItemView* view_;
    QHeaderView* header_;
};

} // namespace

void show_elided_texts_as_tips(QAbstractItemView* view, QHeaderView* header) {
    auto* tips = new ElidedTextTips(view, header);
    view->viewport()->installEventFilter(tips);
    header->viewport()->installEventFilter(tips);
}

QString elided_cell_text(const QAbstractItemView* view, QPoint pos) {
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid())
        return {};
    const QString text = index.data(Qt::DisplayRole).toString();
    const int room = text_room(view->visualRect(index), view, QStyle::PM_FocusFrameHMargin, 1);
    return QFontMetrics(view->font()).horizontalAdvance(text) > room ? text : QString();
}

QString elided_title_text(const QHeaderView* header, QPoint pos) {
    const int section = header->logicalIndexAt(pos);
    if (section < 0)
        return {};
    const QString text = header->model()->headerData(section, header->orientation()).toString();
    const QRect rect(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                     header->height());
    const int room = text_room(rect, header, QStyle::PM_HeaderMargin, 0);
    return QFontMetrics(header->font()).horizontalAdvance(text) > room ? text : QString();
}

} // namespace app
