#include "tool_test_support.h"

#include "check_command.h"
#include "cli.h"
#include "core/catalogue/cp932_encoder.h"

#include "core/catalogue/packet_reader.h"
#include "core/catalogue/text_decoder.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tooltest {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("cattool-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string to_cp932(const std::string& utf8) {
    catalogue::Cp932Encoder encoder;
    std::string out;
    if (!encoder.encode(utf8, out))
        throw std::runtime_error("not code page 932: " + utf8);
    return out;
}

Attrs good_spring() {
    return {{"modelNo", "C-1010-30"}, {"maker", "KSSC"}, {"type", "compress"},
            {"material", "SWP-B"},    {"lo", "30"},      {"fo", "0"},
            {"lmax", "20"},           {"fmax", "25"},    {"k", "2.5"},
            {"coil_dia", "10"},       {"wire_dia", "1"}, {"turn", "8"}};
}

Attrs with(Attrs row, const Attrs& changes) {
    for (const auto& [name, value] : changes) {
        bool found = false;
        for (auto it = row.begin(); it != row.end(); ++it) {
            if (it->first == name) {
                found = true;
                if (value == "<absent>")
                    row.erase(it);
                else
                    it->second = value;
                break;
            }
        }
        if (!found && value != "<absent>")
            row.emplace_back(name, value);
    }
    return row;
}

std::string spring_fields() {
    std::string f;
    for (const auto& [name, width] : std::vector<std::pair<const char*, int>>{
             {"modelNo", 60}, {"maker", 30}, {"type", 10}, {"material", 12}})
        f += "<FIELD attrname=\"" + std::string(name) + "\" fieldtype=\"string\" WIDTH=\"" +
             std::to_string(width) + "\"/>\n";
    for (const char* name : {"lo", "fo", "lmax", "fmax", "k", "coil_dia", "wire_dia", "turn"})
        f += "<FIELD attrname=\"" + std::string(name) + "\" fieldtype=\"r8\"/>\n";
    return f;
}

std::string maker_fields() {
    return "<FIELD attrname=\"maker\" fieldtype=\"string\" WIDTH=\"30\"/>\n"
           "<FIELD attrname=\"adress\" fieldtype=\"string\" WIDTH=\"60\"/>\n"
           "<FIELD attrname=\"tel\" fieldtype=\"string\" WIDTH=\"12\"/>\n"
           "<FIELD attrname=\"fax\" fieldtype=\"string\" WIDTH=\"12\"/>\n"
           "<FIELD attrname=\"url\" fieldtype=\"string\" WIDTH=\"30\"/>\n";
}

std::string packet(const std::string& fields, const std::vector<Attrs>& rows) {
    std::string p = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                    "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>\n" +
                    fields + "</FIELDS><PARAMS/></METADATA><ROWDATA>\n";
    for (const auto& row : rows) {
        p += "<ROW";
        for (const auto& [name, value] : row)
            p += " " + name + "=\"" + value + "\"";
        p += "/>\n";
    }
    return p + "</ROWDATA></DATAPACKET>\n";
}

std::vector<std::string> Collected::codes() const {
    std::vector<std::string> out;
    for (const auto& p : problems)
        out.push_back(p.code + "@" + std::to_string(p.row) + ":" + p.field);
    return out;
}

std::vector<std::string> field_values(const std::string& packet_path, const std::string& field) {
    struct Values : catalogue::PacketSink {
        std::string field;
        int index = -1;
        std::unique_ptr<catalogue::TextDecoder> decoder;
        std::vector<std::string> values;
        void begin(const std::vector<catalogue::PacketField>& fields,
                   catalogue::TextEncoding encoding) override {
            for (size_t i = 0; i < fields.size(); ++i)
                index = fields[i].name == field ? static_cast<int>(i) : index;
            decoder = std::make_unique<catalogue::TextDecoder>(encoding);
        }
        void row(const catalogue::RawRow& raw) override {
            auto& v = values.emplace_back("<absent>");
            if (index >= 0 && raw.present[static_cast<size_t>(index)]) {
                v.clear();
                if (!decoder->decode(raw.values[static_cast<size_t>(index)], v))
                    throw std::runtime_error("does not decode");
            }
        }
    } values;
    values.field = field;
    catalogue::read_packet(packet_path, values);
    return values.values;
}

Collected check(const std::vector<std::string>& files, int* status) {
    Collected c;
    const int s = cattool::check_files(files, c, nullptr, false);
    if (status)
        *status = s;
    return c;
}

int run(const std::vector<std::string>& args, std::string* out, std::string* err) {
    std::vector<const char*> argv{"tarvolin-catalogue"};
    for (const auto& a : args)
        argv.push_back(a.c_str());
    std::ostringstream o, e;
    const int status = cattool::run_cli(static_cast<int>(argv.size()), argv.data(), o, e);
    if (out)
        *out = o.str();
    if (err)
        *err = e.str();
    return status;
}

#if defined(_WIN32)

// Windows cannot fork: the body runs here, and its peak memory is not its
// own (-1). What needs a child's own peak or a signal says so and skips.
ChildResult in_child(const std::function<int(std::string& out)>& body, int) {
    ChildResult r;
    try {
        r.status = body(r.output);
    } catch (const std::exception& e) {
        r.status = 99;
        r.output += std::string("exception: ") + e.what();
    }
    r.peak_kib = -1;
    return r;
}

ChildResult spawn_and_signal(const std::vector<std::string>& argv,
                             const std::function<bool(int pid)>& ready, int signal) {
    ChildResult r;
    if (signal != 0)
        throw std::logic_error("Windows has no signals to send to a child");
    std::wstring line;
    for (const auto& a : argv) {
        const std::wstring arg = fs::u8path(a).wstring();
        line += (line.empty() ? L"\"" : L" \"") + arg + L"\"";
    }
    // Its output goes to NUL.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE null = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = null;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(null);
    if (!started)
        return r;
    ready(static_cast<int>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, kChildSeconds * 1000) == WAIT_TIMEOUT) {
        r.timed_out = true;
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    } else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        r.status = static_cast<int>(code);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        r.peak_kib = static_cast<long>(memory.PeakWorkingSetSize / 1024);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return r;
}

#else

namespace {

ChildResult wait_for(pid_t pid, int seconds) {
    ChildResult r;
    int status = 0;
    struct rusage usage {};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (;;) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            r.timed_out = true;
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (WIFEXITED(status) && !r.timed_out)
        r.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status) && !r.timed_out)
        r.signal = WTERMSIG(status);
    r.peak_kib = usage.ru_maxrss;
    return r;
}

} // namespace

ChildResult in_child(const std::function<int(std::string& out)>& body, int seconds) {
    const auto file = fs::temp_directory_path() /
                      ("cattool-child-" + std::to_string(::getpid()) + "-" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::string out;
        int status = 99;
        try {
            status = body(out);
        } catch (const std::exception& e) {
            out += std::string("exception: ") + e.what();
        }
        std::ofstream(file, std::ios::binary) << out;
        std::_Exit(status);
    }
    ChildResult r = wait_for(pid, seconds);
    r.output = read_file(file.string());
    std::error_code ec;
    fs::remove(file, ec);
    return r;
}

ChildResult spawn_and_signal(const std::vector<std::string>& argv,
                             const std::function<bool(int pid)>& ready, int signal) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        std::_Exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kChildSeconds);
    while (!ready(pid) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    ::kill(pid, signal);
    return wait_for(pid, kChildSeconds);
}

#endif

ChildResult run_program(const std::vector<std::string>& argv) {
    return spawn_and_signal(
        argv, [](int) { return true; }, 0); // signal 0 sends nothing
}

} // namespace tooltest
