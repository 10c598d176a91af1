#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QAbstractItemView;
class QHeaderView;

namespace app {

// The row highlight of a single-row grid always marks the current row: a
// click on the empty part of the grid leaves the cursor where it is and so
// leaves its highlight too.
void keep_current_row_highlighted(QAbstractItemView* view);

// A cell or column title whose text the grid elides shows the whole text as
// its tool tip.
void show_elided_texts_as_tips(QAbstractItemView* view, QHeaderView* header);

// The whole text of the cell or title at a point of the view's viewport when
// the view elides it there; empty otherwise.
QString elided_cell_text(const QAbstractItemView* view, QPoint pos);
QString elided_title_text(const QHeaderView* header, QPoint pos);

} // namespace app
