// The program never writes its data files: a whole session leaves their
// bytes, times and the directory's contents exactly as they were.
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

struct Snapshot {
    QStringList entries;
    QList<QByteArray> bytes;
    QList<QDateTime> modified;
    bool operator==(const Snapshot& o) const {
        return entries == o.entries && bytes == o.bytes && modified == o.modified;
    }
};

Snapshot snapshot(const QString& dir) {
    Snapshot s;
    s.entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : s.entries) {
        QFile f(QDir(dir).filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        s.bytes << f.readAll();
        s.modified << QFileInfo(f).lastModified();
    }
    return s;
}

class ReadOnly : public MainWindowTest {};

} // namespace

TEST_F(ReadOnly, AWholeSessionWritesNothing) {
    WorkingDir dir;
    std::vector<SpringRow> springs;
    for (int i = 0; i < 20; ++i)
        springs.push_back(spring_row("C-" + std::to_string(i), 30 + i, 0, 20, 40 + 3 * i));
    write_catalogue(springs, {{"KSSC", "東京都", "03-1111", "03-2222", "www.kssc.example.jp"}});
    const Snapshot before = snapshot(dir.path());

    type("Edit_length", "25");
    type("Edit_force", "20");
    type("Edit_forcewidth", "30");
    type("Edit_length2", "22");
    for (int unit = 0; unit < 3; ++unit) {
        find("RadioGroup_unit")->findChildren<QRadioButton*>().at(unit)->click();
        search();
        auto* grid = find<QTableView>("DBGrid1");
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            grid->selectRow(row);
    }
    find("RadioGroup_dyncalcst")->findChildren<QRadioButton*>().at(1)->click();
    find<QCheckBox>("CheckBox_link")->click();
    find<QAction>("menu_statictau")->trigger();
    find<QAction>("menu_statictau")->trigger();
    answer_boxes([&] { find<QPushButton>("Button_cycle")->click(); });
    expect_box([&] { type("Edit_dyncycle", "abc"); }); // the error box, answered
    type("Edit_dyncycle", "2E5");

    EXPECT_TRUE(snapshot(dir.path()) == before);
}
