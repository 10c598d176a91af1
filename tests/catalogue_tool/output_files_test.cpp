// What --force may replace and how: only a regular file, through symbolic
// links, with its mode and owner kept; never the command's own input nor a
// file with other hard links. No half file is left by Ctrl+C or kill, and
// a write that fails says why. On Windows the same holds with its own
// means: a replaced file keeps its attributes, and an output written and
// dropped, or refused, leaves nothing behind.

#include "output_file.h"
#include "partial_files.h"
#include "tool_test_support.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using tooltest::read_file;
using tooltest::run;
using tooltest::write_file;

const char* const kHeader =
    "modelNo,maker,type,material,lo,fo,lmax,fmax,k,coil_dia,wire_dia,turn\r\n";
const char* const kRow = "C-1010-30,KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,8\r\n";

#if !defined(_WIN32)
struct stat stat_of(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}
#endif

// Names in the directory besides those expected.
std::vector<std::string> strays(const tooltest::TempDir& dir, std::vector<std::string> expected) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(dir.file(""))) {
        const auto name = e.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            found.push_back(name);
    }
    return found;
}

class Output : public ::testing::Test {
protected:
    void SetUp() override {
        write_file(dir.file("in.csv"), std::string(kHeader) + kRow);
        ASSERT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("in.xml")}), 0);
    }
    tooltest::TempDir dir;
};

TEST_F(Output, WrittenAndDroppedOrRefusedLeavesNothing) {
    write_file(dir.file("target.xml"), "the old catalogue");
    {
        cattool::OutputFile file(dir.file("target.xml"), true);
        file.write("half of a new one");
    }
    {
        cattool::OutputFile file(dir.file("fresh.xml"), false);
        file.write("never committed");
    }
    EXPECT_THROW(cattool::OutputFile(dir.file("target.xml"), false), cattool::OutputExists);
    EXPECT_EQ(read_file(dir.file("target.xml")), "the old catalogue");
    EXPECT_EQ(strays(dir, {"in.csv", "in.xml", "target.xml"}), std::vector<std::string>());

    cattool::OutputFile file(dir.file("target.xml"), true);
    file.write("the new one");
    file.commit();
    EXPECT_EQ(read_file(dir.file("target.xml")), "the new one");
    EXPECT_EQ(strays(dir, {"in.csv", "in.xml", "target.xml"}), std::vector<std::string>());
}

#if defined(_WIN32)

TEST_F(Output, ReplacedFileKeepsItsAttributes) {
    const auto out = dir.file("out.csv");
    write_file(out, "old");
    const std::wstring wide = fs::u8path(out).wstring();
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(run({"export", dir.file("in.xml"), "-o", out, "--force"}), 0);
    EXPECT_NE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_NE(read_file(out).find("C-1010-30"), std::string::npos);
}

#else

TEST_F(Output, ReplacedFileKeepsModeAndOwner) {
    const auto out = dir.file("out.csv");
    write_file(out, "old");
    ASSERT_EQ(::chmod(out.c_str(), 0600), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(out.c_str(), 1234, 4321), 0);
    }
    ASSERT_EQ(run({"export", dir.file("in.xml"), "-o", out, "--force"}), 0);
    const auto st = stat_of(out);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(st.st_uid, 1234u);
        EXPECT_EQ(st.st_gid, 4321u);
    }
    EXPECT_NE(read_file(out).find("C-1010-30"), std::string::npos);
}

TEST_F(Output, SymbolicLinkIsWrittenThroughAndStaysALink) {
    fs::create_directory(dir.file("real"));
    const auto target = dir.file("real/spring.csv");
    write_file(target, "old");
    fs::create_symlink("real/spring.csv", dir.file("link.csv"));
    ASSERT_EQ(run({"export", dir.file("in.xml"), "-o", dir.file("link.csv"), "--force"}), 0);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.csv")));
    EXPECT_NE(read_file(target).find("C-1010-30"), std::string::npos);
    // A link to a file not there yet makes that file.
    fs::create_symlink("real/new.xml", dir.file("new.xml"));
    ASSERT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("new.xml")}), 0);
    EXPECT_TRUE(fs::is_symlink(dir.file("new.xml")));
    EXPECT_TRUE(fs::is_regular_file(dir.file("real/new.xml")));
}

#endif

TEST_F(Output, OwnInputIsNeverOverwritten) {
    const std::string packet = read_file(dir.file("in.xml"));
    const std::string csv = read_file(dir.file("in.csv"));
#if defined(_WIN32)
    fs::create_hard_link(dir.file("in.xml"), dir.file("alias.xml")); // links need privileges
#else
    fs::create_symlink("in.xml", dir.file("alias.xml"));
#endif
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"export", dir.file("in.xml"), "-o", dir.file("in.xml"), "--force"},
             {"export", dir.file("in.xml"), "-o", dir.file("alias.xml"), "--force"},
             {"export", dir.file("alias.xml"), "-o", dir.file("in.xml"), "--force"},
             {"import", dir.file("in.csv"), "-o", dir.file("in.csv"), "--force"}}) {
        std::string out, err;
        EXPECT_EQ(run(args, &out, &err), 2) << args[1] << " " << args[3];
        EXPECT_NE((out + err).find("is an input of this command"), std::string::npos) << out + err;
    }
    EXPECT_EQ(read_file(dir.file("in.xml")), packet);
    EXPECT_EQ(read_file(dir.file("in.csv")), csv);
}

TEST_F(Output, FileWithOtherHardLinksIsLeftAlone) {
    const auto out = dir.file("out.xml");
    write_file(out, "shared");
    fs::create_hard_link(out, dir.file("other-name.xml"));
    std::string out_text, err;
    EXPECT_EQ(run({"import", dir.file("in.csv"), "-o", out, "--force"}, &out_text, &err), 2);
    EXPECT_NE(err.find("has 1 other hard link; rewriting it would break them"), std::string::npos)
        << err;
    EXPECT_EQ(read_file(out), "shared");
    // Still one file under two names: written through one, read through the other.
    write_file(dir.file("other-name.xml"), "still shared");
    EXPECT_EQ(read_file(out), "still shared");
}

#if !defined(_WIN32)

// A large import, stopped while it writes: the old target stays as it
// was and no other file is left in the directory.
TEST_F(Output, StoppedImportLeavesNoPartialFile) {
    std::string big = kHeader;
    for (int i = 0; i < 300000; ++i)
        big += kRow;
    write_file(dir.file("big.csv"), big);
    write_file(dir.file("target.xml"), "the old catalogue");
    const auto output_open = [](int pid) {
        // The output is open once the process holds a file in this directory
        // for writing: by then it is well into the work.
        std::error_code ec;
        for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
            const auto to = fs::read_symlink(fd.path(), ec).string();
            if (to.find("cattool-test-") != std::string::npos &&
                to.find("big.csv") == std::string::npos)
                return true;
        }
        return false;
    };
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
        const auto r = tooltest::spawn_and_signal(
            {TOOL_BINARY, "import", dir.file("big.csv"), "-o", dir.file("target.xml"), "--force"},
            output_open, signal);
        EXPECT_EQ(r.signal, signal) << "the run ended before it was stopped";
        EXPECT_EQ(read_file(dir.file("target.xml")), "the old catalogue") << signal;
        EXPECT_EQ(strays(dir, {"in.csv", "in.xml", "big.csv", "target.xml"}),
                  std::vector<std::string>())
            << "after signal " << signal;
    }
}

TEST(PartialFiles, NamedFileIsRemovedWhenTheProcessIsStopped) {
    tooltest::TempDir dir;
    const auto path = dir.file("x.xml.partial-1");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const auto r = tooltest::in_child([&](std::string&) {
            write_file(path, "half");
            cattool::PartialFileName name(path);
            std::raise(signal);
            return 0;
        });
        EXPECT_EQ(r.signal, signal);
        EXPECT_FALSE(fs::exists(path)) << signal;
    }
    // Once released, the name is the owner's again.
    const auto r = tooltest::in_child([&](std::string&) {
        write_file(path, "whole");
        { cattool::PartialFileName name(path); }
        std::raise(SIGTERM);
        return 0;
    });
    EXPECT_EQ(r.signal, SIGTERM);
    EXPECT_TRUE(fs::exists(path));
}

TEST(WriteFailure, NamesTheSystemsReason) {
    const int full = ::open("/dev/full", O_WRONLY);
    if (full >= 0) {
        try {
            cattool::write_all(full, "bytes", "out.csv");
            ADD_FAILURE() << "a write to /dev/full went through";
        } catch (const cattool::OutputError& e) {
            EXPECT_STREQ(e.what(), "cannot write out.csv: No space left on device");
        }
        ::close(full);
    }

    // A file size limit makes the disk full for the tool itself.
    tooltest::TempDir dir;
    std::string big = kHeader;
    for (int i = 0; i < 40000; ++i)
        big += kRow;
    write_file(dir.file("big.csv"), big);
    const auto r = tooltest::in_child([&](std::string& out) {
        struct rlimit limit {
            1 << 20, 1 << 20
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        std::string o, e;
        const int status = run({"import", dir.file("big.csv"), "-o", dir.file("out.xml")}, &o, &e);
        out = o + e;
        return status;
    });
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("cannot write " + dir.file("out.xml") + ": " + std::strerror(EFBIG)),
              std::string::npos)
        << r.output;
    EXPECT_EQ(r.output.find("cannot read"), std::string::npos) << r.output;
    EXPECT_EQ(strays(dir, {"big.csv"}), std::vector<std::string>());
}

#endif

} // namespace
