// The search on large catalogues, through the real main window on the
// offscreen platform: for 10^4, 10^5 and 10^6 springs the full search start,
// the pugixml parse-and-walk of the same file in the same run, memory, the
// load-length chart's full and cursor-move repaints, the grid's scroll to the
// last row, and the start-up time. Prints one table; then the cost of the
// search's progress (cursor, dialog, stop) on the opening of 10^6 rows; then,
// for a tight working point that finds few springs, the search and the
// nearest-spring command (its list closed as soon as it shows) on the same files.
//
//   search_bench [path of make_large_catalogue] [work directory]
//
// Memory figures read /proc/self/status, so they are Linux-only.
#include "app/main.h"
#include "app/search_progress.h"
#include "app/startup.h"
#include "bench_makers.h"
#include "chart/chart.h"
#include "core/catalogue/packet_reader.h"
#include "reference/packet_reader_pugixml.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A /proc/self/status figure in kB.
long status_kb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::string(key).size());
    }
    return -1;
}
void reset_peak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// What a document walk must do at the least: convert every number.
class NumberSink : public catalogue::PacketSink {
public:
    double sum = 0;
    long rows = 0;
    void begin(const std::vector<catalogue::PacketField>& fields,
               catalogue::TextEncoding) override {
        number_.clear();
        for (const auto& f : fields)
            number_.push_back(f.kind == catalogue::FieldKind::Number);
    }
    void row(const catalogue::RawRow& r) override {
        ++rows;
        for (size_t i = 0; i < r.values.size(); ++i) {
            if (!number_[i] || !r.present[i])
                continue;
            double v = 0;
            std::from_chars(r.values[i].data(), r.values[i].data() + r.values[i].size(), v);
            sum += v;
        }
    }

private:
    std::vector<bool> number_;
};

// One run of `action` in ms, any modal window it opens closed as it shows.
template <typename Action> double time_closing_modals(Action action) {
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->reject();
    });
    poll.start();
    QElapsedTimer t;
    t.start();
    action();
    return t.nsecsElapsed() / 1e6;
}

struct NearestFigures {
    long rows;
    int accepted;
    double search_ms, nearest_ms, empty_search_ms;
};

template <typename Read> double time_walk(Read read, const std::string& path, int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        NumberSink sink;
        QElapsedTimer t;
        t.start();
        read(path, sink);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer startup;
    startup.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    create_forms();
    show_main_form();
    QApplication::processEvents();
    TForm_spring* form = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "Form_spring")
            form = static_cast<TForm_spring*>(w);
    }
    if (!form) {
        std::fprintf(stderr, "search_bench: no main window\n");
        return 1;
    }
    form->grab(); // the first full paint of the shown window
    const double startup_ms = startup.nsecsElapsed() / 1e6;

    const std::string generator =
        argc > 1 ? argv[1]
                 : (QCoreApplication::applicationDirPath() + "/../tools/make_large_catalogue")
                       .toStdString();
    const std::string work = argc > 2 ? argv[2] : "/tmp/tarvolin_search_bench";
    QDir().mkpath(QString::fromStdString(work));
    QDir::setCurrent(QString::fromStdString(work));
    std::ofstream("spring_maker.xml") << kMakers;

    auto* button = form->findChild<QPushButton*>("Serch_Btn");
    auto* chart = form->findChild<Chart*>("DBChart1");
    auto* grid = form->findChild<QTableView*>("DBGrid1");
    catalogue::Table& table = form->springTable();
    QImage target(chart->size(), QImage::Format_RGB32);

    auto* nearest = form->findChild<QAction*>("Button_nearest");
    auto* length = form->findChild<QLineEdit*>("Edit_length");
    auto* force = form->findChild<QLineEdit*>("Edit_force");
    std::vector<NearestFigures> near_figures;

    const long idle_kb = status_kb("VmRSS:");
    std::printf("search with every condition empty (all compression springs); medians.\n"
                "+peak/file: peak resident memory during the searches above the idle size, over "
                "the file's size; B/row: memory held after the search above the idle size, per "
                "accepted row\n");
    std::printf("%9s %8s %9s %10s %10s %6s %10s %9s %9s %8s %9s %9s %9s\n", "rows", "file MB",
                "accepted", "search ms", "pugixml ms", "ratio", "stream ms", "peak MB",
                "+peak/file", "B/row", "chart ms", "cursor ms", "scroll ms");
    for (const long rows : {10000L, 100000L, 1000000L}) {
        const std::string command = generator + " " + std::to_string(rows) + " spring_data.xml 1";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "search_bench: %s failed\n", command.c_str());
            return 1;
        }
        const double file_mb = QFileInfo("spring_data.xml").size() / 1e6;

        // The search, several times: each reads the files anew.
        reset_peak();
        std::vector<double> search;
        // Short searches are taken more often: a burst of load on the machine
        // then moves their median less.
        const int searches = rows >= 1000000 ? 5 : 9;
        for (int run = 0; run < searches; ++run) {
            QElapsedTimer t;
            t.start();
            button->click();
            search.push_back(t.nsecsElapsed() / 1e6);
        }
        const long peak_kb = status_kb("VmHWM:");
        const long held_kb = status_kb("VmRSS:");
        const int accepted = table.recordCount();

        // The load-length chart: full repaint after the search, then cursor moves.
        QElapsedTimer t;
        t.start();
        chart->render(&target);
        const double chart_ms = t.nsecsElapsed() / 1e6;
        std::vector<double> cursor;
        for (int run = 1; run <= 21 && run < accepted; ++run) {
            t.start();
            grid->setCurrentIndex(grid->model()->index(run, 0));
            chart->render(&target);
            cursor.push_back(t.nsecsElapsed() / 1e6);
        }
        // The grid: from the first row to the last, cursor there, painted.
        grid->setCurrentIndex(grid->model()->index(0, 0));
        grid->scrollToTop();
        grid->viewport()->grab();
        t.start();
        grid->scrollToBottom();
        grid->setCurrentIndex(grid->model()->index(accepted - 1, 0));
        grid->viewport()->grab();
        const double scroll_ms = t.nsecsElapsed() / 1e6;

        const int runs = rows >= 1000000 ? 3 : 5;
        const double stream_ms = time_walk(catalogue::read_packet, "spring_data.xml", runs);
        const double pugi_ms = time_walk(catalogue::read_packet_pugixml, "spring_data.xml", runs);
        const double search_ms = median(search);
        std::printf(
            "%9ld %8.1f %9d %10.1f %10.1f %6.2f %10.1f %9.1f %9.2f %8.0f %9.1f %9.2f %9.2f\n", rows,
            file_mb, accepted, search_ms, pugi_ms, search_ms / pugi_ms, stream_ms, peak_kb / 1024.0,
            (peak_kb - idle_kb) / 1024.0 / (file_mb / 1.048576),
            accepted > 0 ? (held_kb - idle_kb) * 1024.0 / accepted : 0.0, chart_ms,
            cursor.empty() ? 0.0 : median(cursor), scroll_ms);

        // A working point that finds few springs: the search, then the command.
        length->setText("25");
        force->setText("20");
        std::vector<double> tight, near;
        for (int run = 0; run < searches; ++run) {
            tight.push_back(time_closing_modals([&] { button->click(); }));
            near.push_back(time_closing_modals([&] { nearest->trigger(); }));
        }
        near_figures.push_back({rows, table.recordCount(), median(tight), median(near), search_ms});
        length->clear();
        force->clear();
    }
    std::printf("\nworking point 25 +- 1 mm, 20 +- 0.1 N; medians, runs taken in turns\n");
    std::printf("%9s %9s %10s %11s %13s %13s\n", "rows", "accepted", "search ms", "nearest ms",
                "/this search", "/empty search");
    for (const NearestFigures& f : near_figures) {
        std::printf("%9ld %9d %10.1f %11.1f %13.2f %13.2f\n", f.rows, f.accepted, f.search_ms,
                    f.nearest_ms, f.nearest_ms / f.search_ms, f.nearest_ms / f.empty_search_ms);
    }
    std::printf("idle RSS %.1f MB; start-up to the first painted main window %.1f ms\n",
                idle_kb / 1024.0, startup_ms);

    // The catalogue of 10^6 rows opened as the search opens it, in turns
    // without and with the progress that the search follows it by.
    std::vector<double> plain, followed;
    for (int run = 0; run < 9; ++run) {
        for (const bool with : {false, true}) {
            table.close();
            QElapsedTimer t;
            t.start();
            if (with) {
                app::SearchProgress progress(form);
                table.open(&progress);
            } else {
                table.open();
            }
            (with ? followed : plain).push_back(t.nsecsElapsed() / 1e6);
        }
    }
    std::printf("opening 10^6 rows, medians of 9 in turns: without progress %.1f ms, with %.1f ms "
                "(%+.1f %%)\n",
                median(plain), median(followed), 100.0 * (median(followed) / median(plain) - 1));

    // The same search of 10^6 rows with the verdict columns shown (every listed
    // spring checked while it is read) and hidden, in turns.
    auto* columns = form->findChild<QAction*>("menu_verdictcolumns");
    std::vector<double> without, with_verdicts;
    for (int run = 0; run < 7; ++run) {
        for (const bool on : {false, true}) {
            if (columns->isChecked() != on)
                columns->trigger();
            QElapsedTimer t;
            t.start();
            button->click();
            (on ? with_verdicts : without).push_back(t.nsecsElapsed() / 1e6);
        }
    }
    std::printf("search of 10^6 rows (%d listed), medians of 7 in turns: verdict columns hidden "
                "%.1f ms, shown %.1f ms (%.2f x)\n",
                table.recordCount(), median(without), median(with_verdicts),
                median(with_verdicts) / median(without));

    // "Pass only" checks every row the search accepts while it reads.
    auto* checks = form->findChild<QDialog*>("Form_checks");
    auto* pass_only = checks->findChild<QCheckBox*>("CheckBox_passonly");
    std::vector<double> all, passing;
    for (int run = 0; run < 7; ++run) {
        for (const bool on : {false, true}) {
            pass_only->setChecked(on);
            checks->findChild<QPushButton*>("BitBtn_checksok")->click();
            QElapsedTimer t;
            t.start();
            button->click();
            (on ? passing : all).push_back(t.nsecsElapsed() / 1e6);
        }
    }
    std::printf("with pass only: %.1f ms against %.1f ms (%.2f x), %d listed\n", median(passing),
                median(all), median(passing) / median(all), table.recordCount());

    // A JIS grade in place of the stated percentage, with the verdict columns shown:
    // each row's band then rests on its own coils. Once as the grid asks for the shown
    // rows, once with pass only, where every row the search accepts is checked.
    auto* grade = checks->findChild<QComboBox*>("ComboBox_loadgrade");
    if (!columns->isChecked())
        columns->trigger();
    for (const bool every_row : {false, true}) {
        std::vector<double> stated, graded;
        for (int run = 0; run < 7; ++run) {
            for (const bool on : {false, true}) {
                pass_only->setChecked(every_row);
                grade->setCurrentIndex(on ? 2 : 0);
                checks->findChild<QPushButton*>("BitBtn_checksok")->click();
                QElapsedTimer t;
                t.start();
                button->click();
                (on ? graded : stated).push_back(t.nsecsElapsed() / 1e6);
            }
        }
        std::printf("%s, verdict columns shown: JIS grade 2 %.1f ms against the stated 10 %% "
                    "%.1f ms (%.2f x), %d listed\n",
                    every_row ? "with pass only" : "search of 10^6 rows", median(graded),
                    median(stated), median(graded) / median(stated), table.recordCount());
    }
    return 0;
}
