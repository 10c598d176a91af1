#pragma once

#include <QObject>
#include <QString>

class Chart;
class QAction;
class QMenu;

// A chart's context menu: saving the chart as an image and going back to the
// range the program set. It opens on a right click that does not pan.
class ChartMenu : public QObject {
    Q_OBJECT
public:
    // file_stem names the image file the save dialog proposes.
    ChartMenu(Chart* chart, QString file_stem);

    QMenu* menu() const { return m_menu; }
    QAction* saveAction() const { return m_save; }
    QAction* resetAction() const { return m_reset; }

    // Asks for a file name and saves; a failure is shown in a message box.
    void saveImage();

private:
    Chart* m_chart;
    QString m_stem;
    QMenu* m_menu;
    QAction* m_save;
    QAction* m_reset;
};
