// A search that meets a catalogue with one huge text holds that text once,
// from the reading to the painted grid: the peak memory of the whole window
// stays below 1.3 times the piece. Each search runs in a fresh copy of this
// program, whose peak is its own.

#include "support/huge_piece.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "ui/grid_model.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>

#if defined(_WIN32)
#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

using namespace testsupport;

constexpr char kChildDir[] = "TARVOLIN_MEMORY_CHILD";
constexpr long kPieceMiB = 96;

// Heavy for a sanitizer build, and its shadow memory would falsify the ratio.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Held once: the peak stays below 1.3 times the piece. Windows' heap copies
// a block it grows where glibc moves its pages, so while the one long text
// is read part of it is briefly there twice (1.35 to 1.37 times measured); twice the
// piece is a fault everywhere.
#if defined(_WIN32)
constexpr long kHeldOnceTenths = 15;
#else
constexpr long kHeldOnceTenths = 13;
#endif

long peak_kib() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<long>(memory.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long>(usage.ru_maxrss);
#endif
}

class WindowMemory : public MainWindowTest {
protected:
    // In the child: search in the given folder, paint, tell the peak.
    void searchAndTellPeak(const QString& dir) {
        QDir::setCurrent(dir);
        const QList<Box> boxes = search();
        form->grab();
        QApplication::processEvents();
        // The progress dialog may come and goes with the reading; any
        // message box leaves no rows.
        std::printf("rows=%d peak=%ld box=%s\n", form->gridModel()->rowCount(), peak_kib(),
                    boxes.value(0).text.toUtf8().constData());
        std::fflush(stdout);
    }

    // A catalogue of two rows, the first with a model number of `unit`
    // repeated to the piece's size, in code page 932.
    static void writePiece(const QString& dir, const std::string& unit, long count) {
        const std::string packet =
            spring_packet({spring_row("@@", 30, 0, 20, 25), spring_row("C-2", 30, 0, 20, 25)});
        const auto at = packet.find("@@");
        write_piece((dir + "/spring_data.xml").toStdString(), packet.substr(0, at), unit, count,
                    packet.substr(at + 2));
        write_cp932(dir + "/spring_maker.xml", maker_packet({{"KSSC", "", "", "", ""}}));
    }

    struct Peak {
        long kib = 0;
    };
    static Peak searchInChild(const QString& dir) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildDir), dir);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=WindowMemory.*")});
        EXPECT_TRUE(child.waitForFinished(120000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        const auto m = QRegularExpression(QStringLiteral("rows=(\\d+) peak=(\\d+)")).match(out);
        EXPECT_TRUE(m.hasMatch()) << out.right(2000).toStdString();
        EXPECT_EQ(m.captured(1), QStringLiteral("2")) << out.right(2000).toStdString();
        return m.hasMatch() ? Peak{m.captured(2).toLong()} : Peak{};
    }
};

TEST_F(WindowMemory, ALongModelNumberIsHeldOnceFromFileToScreen) {
    if (qEnvironmentVariableIsSet(kChildDir))
        return searchAndTellPeak(qEnvironmentVariable(kChildDir));
    if (kSanitized)
        GTEST_SKIP() << "not in the sanitizer build";
    QTemporaryDir dir;
    writePiece(dir.path(), "C-1", 1);
    const Peak base = searchInChild(dir.path());
    // ASCII, held as the file holds it; kanji and half-width kana of code
    // page 932, which UTF-8 would make 1.5 and 3 times as large.
    for (const std::string& unit :
         {std::string("C-1010-30/"), to_cp932("型番ばね型"), to_cp932("ｶﾅｶﾅｶﾅｶﾅｶﾅ")}) {
        writePiece(dir.path(), unit, kPieceMiB * 1024 * 1024 / 10);
        const Peak big = searchInChild(dir.path());
        EXPECT_LT(big.kib - base.kib, kPieceMiB * 1024 * kHeldOnceTenths / 10)
            << "the window took " << (big.kib - base.kib) / 1024 << " MiB more for a " << kPieceMiB
            << " MiB piece";
    }
}

} // namespace
