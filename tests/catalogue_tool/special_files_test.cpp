// FIFOs, devices, directories and sockets, as the tool's input or output:
// refused at once as no regular file, and nothing ever waits on them. On
// Windows: its device names (NUL, CON, COM1, also with an extension), named
// pipes and directories.

#include "tool_test_support.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using tooltest::run;

const char* const kCsv = "modelNo,maker,type,material,lo,fo,lmax,fmax,k,coil_dia,wire_dia,turn\r\n"
                         "C-1010-30,KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,8\r\n";

#if defined(_WIN32)

class WindowsSpecialNames : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring name =
            L"\\\\.\\pipe\\tarvolin-tool-test-" + std::to_wstring(GetCurrentProcessId());
        pipe_ = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                 4096, 4096, 0, nullptr);
        ASSERT_NE(pipe_, INVALID_HANDLE_VALUE);
        pipe_path_ = fs::path(name).u8string();
        fs::create_directory(dir.file("dir.xml"));
        tooltest::write_file(dir.file("good.csv"), kCsv);
        ASSERT_EQ(run({"import", dir.file("good.csv"), "-o", dir.file("good.xml")}), 0);
    }
    void TearDown() override {
        if (pipe_ != INVALID_HANDLE_VALUE)
            CloseHandle(pipe_);
    }
    std::vector<std::string> names() const {
        return {
            "NUL",     "CON", "COM1", dir.file("nul.xml"), dir.file("Con.csv"), dir.file("dir.xml"),
            pipe_path_};
    }
    int command(const std::vector<std::string>& args, std::string& output) {
        std::string o, e;
        const int status = run(args, &o, &e);
        output = o + e;
        return status;
    }
    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    std::string pipe_path_;
    tooltest::TempDir dir;
};

TEST_F(WindowsSpecialNames, RefusedAsInputAndOutputOfEveryCommand) {
    for (const auto& path : names()) {
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"check", path},
                 {"export", path, "-o", dir.file("out.csv")},
                 {"import", path, "-o", dir.file("out.xml")},
                 {"export", dir.file("good.xml"), "-o", path, "--force"},
                 {"import", dir.file("good.csv"), "-o", path, "--force"}}) {
            std::string output;
            EXPECT_EQ(command(args, output), 2) << args[0] << " " << path << ": " << output;
            EXPECT_NE(output.find("not a regular file"), std::string::npos)
                << args[0] << " " << path << ": " << output;
        }
    }
    EXPECT_FALSE(fs::exists(dir.file("out.csv")));
    EXPECT_FALSE(fs::exists(dir.file("out.xml")));
    EXPECT_TRUE(fs::is_directory(dir.file("dir.xml")));
    for (const auto& entry : fs::directory_iterator(dir.file("")))
        EXPECT_EQ(entry.path().string().find(".partial-"), std::string::npos) << entry.path();
}

#else

void make_socket(const std::string& path) {
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(s); // the name stays
}

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0); // no writer, ever
        fs::create_directory(dir.file("dir.xml"));
        fs::create_symlink("/dev/zero", dir.file("zero.csv"));
        make_socket(dir.file("sock"));
        tooltest::write_file(dir.file("good.csv"), kCsv);
        ASSERT_EQ(run({"import", dir.file("good.csv"), "-o", dir.file("good.xml")}), 0);
    }
    // Runs the command in a child, which a blocked open cannot hang for ever.
    tooltest::ChildResult command(const std::vector<std::string>& args) {
        return tooltest::in_child(
            [&](std::string& out) {
                std::string o, e;
                const int status = run(args, &o, &e);
                out = o + e;
                return status;
            },
            10);
    }
    tooltest::TempDir dir;
};

TEST_F(SpecialFiles, RefusedAsInputOfEveryCommand) {
    for (const char* name : {"fifo", "dir.xml", "zero.csv", "sock"}) {
        const std::string path = dir.file(name);
        for (const auto& args :
             std::vector<std::vector<std::string>>{{"check", path},
                                                   {"export", path, "-o", dir.file("out.csv")},
                                                   {"import", path, "-o", dir.file("out.xml")}}) {
            const auto r = command(args);
            ASSERT_FALSE(r.timed_out) << args[0] << " " << name << " blocked";
            EXPECT_EQ(r.status, 2) << args[0] << " " << name;
            EXPECT_NE(r.output.find("not a regular file"), std::string::npos)
                << args[0] << " " << name << ": " << r.output;
            EXPECT_EQ(r.output.find("no such file"), std::string::npos) << r.output;
        }
    }
    EXPECT_FALSE(fs::exists(dir.file("out.csv")));
    EXPECT_FALSE(fs::exists(dir.file("out.xml")));
}

TEST_F(SpecialFiles, RefusedAsOutputEvenWithForceAndLeftAsTheyWere) {
    std::vector<std::string> targets{"fifo", "dir.xml", "zero.csv", "sock"};
    if (::geteuid() == 0) {
        // A device node of our own, as /dev/null is to root.
        ASSERT_EQ(::mknod(dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        targets.push_back("null");
    }
    for (const auto& name : targets) {
        const std::string path = dir.file(name);
        struct stat before {};
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"export", dir.file("good.xml"), "-o", path, "--force"},
                 {"import", dir.file("good.csv"), "-o", path, "--force"}}) {
            const auto r = command(args);
            ASSERT_FALSE(r.timed_out) << args[0] << " " << name << " blocked";
            EXPECT_EQ(r.status, 2) << args[0] << " " << name << ": " << r.output;
            EXPECT_NE(r.output.find("not a regular file"), std::string::npos) << r.output;
        }
        struct stat after {};
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode) << name;
        EXPECT_EQ(after.st_ino, before.st_ino) << name;
    }
    for (const auto& entry : fs::directory_iterator(dir.file("")))
        EXPECT_EQ(entry.path().string().find(".partial-"), std::string::npos) << entry.path();
}

#endif

} // namespace
