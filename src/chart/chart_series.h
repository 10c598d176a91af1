#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

#include <vector>

class Chart;
class ChartAxis;

// One series of a Chart: an ordered list of items, each with X, Y, a label and
// a colour, and for arrows an end point. The series is a child of its chart and
// carries its component name as objectName; the chart paints it.
class ChartSeries : public QObject {
    Q_OBJECT

public:
    enum class Kind { Line, Point, Arrow };
    enum class VerticalAxis { Left, Right };
    enum class XOrder { None, Ascending };

    ~ChartSeries() override;

    Kind kind() const { return m_kind; }
    Chart* chart() const { return m_chart; }

    // Look.
    QString title() const { return m_title; }
    void setTitle(const QString& title);
    // The colour of items added with the default colour (QColor()).
    QColor seriesColor() const { return m_color; }
    void setSeriesColor(const QColor& color);
    // When on, items added with their own colour are drawn in it; when off, the
    // whole series is drawn in the series colour.
    bool colorEachPoint() const { return m_colorEachPoint; }
    void setColorEachPoint(bool on);
    bool isVisible() const { return m_visible; }
    void setVisible(bool on);
    bool showInLegend() const { return m_showInLegend; }
    void setShowInLegend(bool on);

    // Axes: horizontal always the bottom axis, vertical the left or the right.
    VerticalAxis verticalAxis() const { return m_verticalAxis; }
    void setVerticalAxis(VerticalAxis axis);
    ChartAxis* xAxis() const;
    ChartAxis* yAxis() const;
    XOrder xOrder() const { return m_xOrder; }
    void setXOrder(XOrder order);

    // Marks: the label text of each point, centred above it.
    bool marksVisible() const { return m_marksVisible; }
    void setMarksVisible(bool on);
    bool marksTransparent() const { return m_marksTransparent; }
    void setMarksTransparent(bool on);
    bool marksFrame() const { return m_marksFrame; }
    void setMarksFrame(bool on);
    int marksArrowLength() const { return m_marksArrowLength; }
    void setMarksArrowLength(int pixels);
    QFont marksFont() const { return m_marksFont; }
    void setMarksFont(const QFont& font);
    // Pattern for marks of points without a label: the point's Y value is shown.
    QString marksFormat() const { return m_marksFormat; }
    void setMarksFormat(const QString& pattern);

    // Point markers: circles (always on for a point series, optional on a line).
    bool pointerVisible() const { return m_pointerVisible; }
    void setPointerVisible(bool on);
    bool pointerFilled() const { return m_pointerFilled; }
    void setPointerFilled(bool on);
    bool pointerOutline() const { return m_pointerOutline; }
    void setPointerOutline(bool on);
    // Radius in pixels.
    int pointerSize() const { return m_pointerSize; }
    void setPointerSize(int pixels);

    // Arrow heads in pixels; 1 x 1 (or less) draws plain segments.
    int arrowHeadLength() const { return m_arrowHeadLength; }
    void setArrowHeadLength(int pixels);
    int arrowHeadWidth() const { return m_arrowHeadWidth; }
    void setArrowHeadWidth(int pixels);

    // Items.
    int count() const { return static_cast<int>(m_x.size()); }
    double x(int i) const { return m_x.at(static_cast<size_t>(i)); }
    double y(int i) const { return m_y.at(static_cast<size_t>(i)); }
    // The end of an arrow; the point itself for the other kinds.
    double endX(int i) const;
    double endY(int i) const;
    QString label(int i) const;
    // The colour the item is drawn in.
    QColor color(int i) const;
    // The colour the item was added with; QColor() for the default.
    QColor ownColor(int i) const;

    // The value columns for bulk reading; the end columns are empty unless arrows.
    const std::vector<double>& xValues() const { return m_x; }
    const std::vector<double>& yValues() const { return m_y; }
    const std::vector<double>& endXValues() const { return m_endX; }
    const std::vector<double>& endYValues() const { return m_endY; }
    // True when some item was added with a colour of its own.
    bool hasOwnColors() const { return m_hasOwnColors; }

    void clear();
    // Adds a point and returns its index. In an ascending series it goes after
    // the last point whose X is not larger, otherwise at the end. On an arrow
    // series the point becomes an arrow of zero length.
    int addPoint(double x, double y, const QString& label = QString(),
                 const QColor& color = QColor());
    // Adds an arrow from (x0, y0) to (x1, y1), ordered by x0. Only on arrow series.
    int addArrow(double x0, double y0, double x1, double y1, const QString& label = QString(),
                 const QColor& color = QColor());
    void reserve(int items);

    // Groups many additions into one change: while a Batch lives, adding items
    // does not schedule repaints; its end does, once. For filling a series with
    // a whole table.
    class Batch {
    public:
        explicit Batch(ChartSeries& series);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ChartSeries& m_series;
    };

    // Smallest and largest values over all items (arrows: both ends); 0 when empty.
    double minX() const;
    double maxX() const;
    double minY() const;
    double maxY() const;

    // Value to pixel through the series' own axes.
    int xToPixel(double value) const;
    int yToPixel(double value) const;

private:
    friend class Chart;
    ChartSeries(Chart* chart, Kind kind, const QString& name);

    int insertionIndex(double x) const;
    int insertItem(double x0, double y0, double x1, double y1, const QString& label,
                   const QColor& color);
    void changed(bool dataChanged = true);
    void legendChanged();

    Chart* m_chart;
    const Kind m_kind;

    QString m_title;
    QColor m_color = Qt::red;
    bool m_colorEachPoint = false;
    bool m_visible = true;
    bool m_showInLegend = true;
    VerticalAxis m_verticalAxis = VerticalAxis::Left;
    XOrder m_xOrder = XOrder::Ascending;

    bool m_marksVisible = false;
    bool m_marksTransparent = false;
    bool m_marksFrame = true;
    int m_marksArrowLength = 8;
    QFont m_marksFont;
    QString m_marksFormat = QStringLiteral("#,##0.###");

    bool m_pointerVisible;
    bool m_pointerFilled = true;
    bool m_pointerOutline = true;
    int m_pointerSize = 4;

    int m_arrowHeadLength = 4;
    int m_arrowHeadWidth = 4;

    // Columns of the items. Labels and own colours stay empty until an item
    // needs one, so a table of a million plain segments costs 32 bytes each.
    std::vector<double> m_x;
    std::vector<double> m_y;
    std::vector<double> m_endX;
    std::vector<double> m_endY;
    std::vector<QString> m_labels;
    std::vector<QRgb> m_ownColors;
    std::vector<bool> m_hasOwnColor;
    bool m_hasLabels = false;
    bool m_hasOwnColors = false;

    int m_batchDepth = 0;
    bool m_batchChanged = false;
};
