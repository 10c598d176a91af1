// The catalogue table opening a name that is no regular file: a FIFO, a
// device, a directory, a socket, also when the name is swapped between a
// FIFO and a file while the tables open. It fails as a missing file at
// once and never waits.

// On Windows the same holds for its special names: devices (NUL, CON,
// COM1, also with an extension) and named pipes.

#include "core/catalogue/native_path.h"
#include "core/catalogue/spring_record.h"
#include "core/catalogue/table.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <random>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

const char* const kMissing = "ClientDataSet_spring: データプロバイダ/パケットがありません";

const char* const kPacket =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"modelNo\" fieldtype=\"string\" WIDTH=\"60\"/>"
    "<FIELD attrname=\"maker\" fieldtype=\"string\" WIDTH=\"30\"/>"
    "<FIELD attrname=\"type\" fieldtype=\"string\" WIDTH=\"10\"/>"
    "<FIELD attrname=\"material\" fieldtype=\"string\" WIDTH=\"12\"/>"
    "<FIELD attrname=\"lo\" fieldtype=\"r8\"/><FIELD attrname=\"fo\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"lmax\" fieldtype=\"r8\"/><FIELD attrname=\"fmax\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"k\" fieldtype=\"r8\"/><FIELD attrname=\"coil_dia\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"wire_dia\" fieldtype=\"r8\"/><FIELD attrname=\"turn\" fieldtype=\"r8\"/>"
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW modelNo=\"C-1\" maker=\"KSSC\" type=\"compress\" material=\"SWP-B\" lo=\"30\" fo=\"0\" "
    "lmax=\"20\" fmax=\"25\" k=\"2.5\" coil_dia=\"10\" wire_dia=\"1\" turn=\"8\"/>"
    "</ROWDATA></DATAPACKET>";

class SpecialFiles : public ::testing::Test {
protected:
    SpecialFiles() {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("special-files-" + std::to_string(random()));
        fs::create_directories(dir_);
    }
    ~SpecialFiles() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string file(const char* name) const { return (dir_ / name).string(); }

    // Opens the catalogue at `path`: "" when it opened, else the message.
    // An open that blocks is released by writing to the FIFOs, and fails.
    std::string open(const std::string& path, const std::vector<std::string>& fifos) {
        auto done = std::async(std::launch::async, [&] {
            catalogue::Table table("ClientDataSet_spring", path);
            table.setFields(catalogue::spring::stored_fields());
            try {
                table.open();
                return std::string();
            } catch (const catalogue::TableError& e) {
                return std::string(e.what());
            }
        });
        if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
            return done.get();
#if defined(_WIN32)
        (void)fifos; // Windows has none to release
#else
        for (const auto& f : fifos) {
            const int fd = ::open(f.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
#endif
        done.wait();
        return "blocked";
    }

    fs::path dir_;
};

TEST(WindowsDeviceNames, AreToldByTheirLastComponentAndNamespace) {
    for (const char* device :
         {"NUL", "nul", "CON", "con.xml", "COM1", "lpt9.csv", "AUX . ", "dir/PRN",
          "C:\\data\\Nul.txt", "C:NUL", "\\\\.\\pipe\\x", "//./COM3", "CONIN$"})
        EXPECT_TRUE(catalogue::is_windows_device_name(device)) << device;
    for (const char* file : {"spring_data.xml", "NULL", "console", "COM0", "COM10", "LPT",
                             "nul/spring_data.xml", "C:\\CON\\x.xml", "a.con", ".nul"})
        EXPECT_FALSE(catalogue::is_windows_device_name(file)) << file;
}

#if defined(_WIN32)

TEST_F(SpecialFiles, WindowsDevicesPipesAndFoldersFailAsMissingAtOnce) {
    const std::wstring pipe_name =
        L"\\\\.\\pipe\\tarvolin-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeW(pipe_name.c_str(), PIPE_ACCESS_OUTBOUND,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::string pipe_path = catalogue::utf8_path(std::filesystem::path(pipe_name));
    fs::create_directory(file("dir"));
    for (const std::string& name : {std::string("NUL"), std::string("CON"), std::string("COM1"),
                                    file("nul.xml"), file("dir"), pipe_path, file("none")})
        EXPECT_EQ(open(name, {}), kMissing) << name;
    CloseHandle(pipe);
    std::ofstream(file("good")) << kPacket;
    EXPECT_EQ(open(file("good"), {}), "");
}

#else

TEST_F(SpecialFiles, FailAsMissingAtOnce) {
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0644), 0);
    fs::create_directory(file("dir"));
    fs::create_symlink("/dev/zero", file("zero"));
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    file("sock").copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(s);

    for (const char* name : {"fifo", "dir", "zero", "sock", "none"})
        EXPECT_EQ(open(file(name), {file("fifo")}), kMissing) << name;
    std::ofstream(file("good")) << kPacket;
    EXPECT_EQ(open(file("good"), {}), "");
}

TEST_F(SpecialFiles, NameSwappedBetweenFifoAndFileWhileOpening) {
    const std::string name = file("spring_data.xml"), other = file("other");
    std::ofstream(name) << kPacket;
    ASSERT_EQ(::mkfifo(other.c_str(), 0644), 0);
    // Swaps the two names back and forth, each swap in one step.
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop)
            ::renameat2(AT_FDCWD, name.c_str(), AT_FDCWD, other.c_str(), RENAME_EXCHANGE);
    });
    int opened = 0, missing = 0, blocked = 0;
    for (int i = 0; i < 3000 && blocked == 0; ++i) {
        const std::string result = open(name, {name, other});
        opened += result.empty();
        missing += result == kMissing;
        blocked += result == "blocked";
    }
    stop = true;
    swapper.join();
    EXPECT_EQ(blocked, 0);
    EXPECT_EQ(opened + missing, 3000);
}

#endif

} // namespace
