// Taking results away on a large catalogue, through the real main window on
// the offscreen platform: after a search that lists every spring of a
// 10^6-row catalogue, copying all rows as clipboard text and saving them as
// CSV in UTF-8 and in code page 932, with the search itself for scale.
//
//   results_bench [path of make_large_catalogue] [work directory] [rows]
#include "app/grid_actions.h"
#include "app/grid_text.h"
#include "app/main.h"
#include "app/results_csv.h"
#include "app/startup.h"
#include "bench_makers.h"
#include "ui/grid_model.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTableView>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

template <typename Work> double time_ms(Work&& work) {
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    create_forms();
    TForm_spring* form = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "Form_spring")
            form = static_cast<TForm_spring*>(w);
    }
    if (!form)
        return 1;
    form->show();

    const std::string generator =
        argc > 1 ? argv[1]
                 : (QCoreApplication::applicationDirPath() + "/../tools/make_large_catalogue")
                       .toStdString();
    const std::string work = argc > 2 ? argv[2] : "/tmp/tarvolin_results_bench";
    const long rows = argc > 3 ? std::atol(argv[3]) : 1000000;
    QDir().mkpath(QString::fromStdString(work));
    QDir::setCurrent(QString::fromStdString(work));
    std::ofstream("spring_maker.xml") << kMakers;
    const std::string command = generator + " " + std::to_string(rows) + " spring_data.xml 1";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "results_bench: %s failed\n", command.c_str());
        return 1;
    }

    auto* grid = form->findChild<QTableView*>("DBGrid1");
    auto* actions = grid->findChild<app::GridActions*>();
    const auto& model = *form->gridModel();
    const double search_ms = time_ms([&] { form->findChild<QPushButton*>("Serch_Btn")->click(); });
    const std::vector<int> columns = actions->shownColumns();
    QString text;
    const double copy_ms = time_ms(
        [&] { text = app::grid_text(model, columns, 0, model.rowCount(), app::CellFormat::Tabs); });
    const double utf8_ms = time_ms([&] {
        app::save_results_csv(model, columns, QStringLiteral("results.csv"),
                              app::CsvEncoding::Utf8Bom);
    });
    const double utf8_mb = QFileInfo(QStringLiteral("results.csv")).size() / 1e6;
    const double cp932_ms = time_ms([&] {
        app::save_results_csv(model, columns, QStringLiteral("results932.csv"),
                              app::CsvEncoding::Cp932);
    });
    std::printf("%9s %9s %10s %10s %9s %10s %10s\n", "rows", "listed", "search ms", "copy ms",
                "CSV MB", "UTF-8 ms", "CP932 ms");
    std::printf("%9ld %9d %10.0f %10.0f %9.1f %10.0f %10.0f\n", rows, model.rowCount(), search_ms,
                copy_ms, utf8_mb, utf8_ms, cp932_ms);
    return 0;
}
