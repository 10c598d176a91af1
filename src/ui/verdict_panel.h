// The verdict of the selected spring beside the stress panel: the overall word in
// its colour, and the list of its checks with the assumptions and load bands.
#pragma once

#include "ui/verdict_report.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <optional>

class QLabel;
class QTableView;

namespace ui {
class SplitterBar;
}

namespace ui {

// The rows of the verdict list: one per check, then the assumptions and the load
// bands, each titled in the 項目 column with its text in the 値 column.
class VerdictModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Check, Value, Limit, Margin, Verdict, Reason, ColumnCount };

    explicit VerdictModel(QObject* parent);
    void setReport(const std::optional<VerdictReport>& report);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<VerdictLine> rows_;
};

class VerdictPanel : public QWidget {
    Q_OBJECT

public:
    explicit VerdictPanel(QWidget* parent);

    // None: no spring is selected or it cannot be checked, so no verdict is shown.
    void showReport(const std::optional<VerdictReport>& report);

    // The height the panel asks for.
    void setDefaultHeight(int height);
    // The width a larger window adds to the panel's own.
    void setShare(int extra);
    // The width the designer gives the panel with the bar at its left edge.
    void setWidth(int width);
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();
    // The widest text of a column over the checks, or its widest word.
    int contentWidth(int column, bool longest_word = false) const;

    QLabel* label_;
    QLabel* reason_; // the overall reason beside the word
    QTableView* list_;
    VerdictModel* model_;
    int checks_ = 0; // the rows of checks, before the notes
    int default_height_ = 0;
    int own_width_; // at the default size, or as the bar left it
    int share_ = 0; // of a window larger than its default
};

} // namespace ui
