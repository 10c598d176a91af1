#pragma once

#include "problem.h"
#include "report.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tooltest {

// A fresh directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
std::string to_cp932(const std::string& utf8);

using Attrs = std::vector<std::pair<std::string, std::string>>;

// A spring row that passes every check: rate 25 N / 10 mm = 2.5 N/mm.
Attrs good_spring();
// `row` with the given attributes replaced or added; the value "<absent>" removes one.
Attrs with(Attrs row, const Attrs& changes);

// The FIELD declarations of the spring and maker records.
std::string spring_fields();
std::string maker_fields();
// A packet in UTF-8 with its declaration.
std::string packet(const std::string& fields, const std::vector<Attrs>& rows);

// Keeps whatever the commands report.
struct Collected : cattool::Reporter {
    std::vector<cattool::Problem> problems;
    std::vector<cattool::FileSummary> files;
    cattool::Summary summary;
    void report(cattool::Problem p) override { problems.push_back(std::move(p)); }
    void fileDone(const cattool::FileSummary& f) override { files.push_back(f); }
    void finish(const cattool::Summary& s) override { summary = s; }
    // "code@row:field" of every problem, in order.
    std::vector<std::string> codes() const;
};

// The decoded values of one field in every row of a packet, "<absent>"
// where a row has none.
std::vector<std::string> field_values(const std::string& packet_path, const std::string& field);

// Checks the files and collects the result.
Collected check(const std::vector<std::string>& files, int* status = nullptr);

// Runs the command line; out and err receive what it prints.
int run(const std::vector<std::string>& args, std::string* out = nullptr,
        std::string* err = nullptr);

// What a function run in a child process came to.
struct ChildResult {
    int status = -1;        // its return value; -1 when it did not return
    int signal = 0;         // the signal that ended it, if one did
    bool timed_out = false; // it was still running after the time allowed
    std::string output;     // what it handed back through `out`
    long peak_kib = 0;      // its peak resident memory; -1 where it has no own
};

// How long a child may run before it counts as hung and is killed: a guard
// against hangs, not a measure of speed, so generous enough for a loaded
// machine.
constexpr int kChildSeconds = 120;

// Runs `body` in a forked child, so that a hang, a crash or the memory it
// takes cannot touch the test itself. Whatever `body` appends to its
// argument comes back as `output`. Windows cannot fork: there the body runs
// in the test itself, and the peak is -1.
ChildResult in_child(const std::function<int(std::string& out)>& body, int seconds = kChildSeconds);

// Runs a program (argv[0] a path) in a child with its output thrown away,
// and sends it `signal` as soon as `ready` returns true for its pid (on
// Windows, which has no signals, only 0).
ChildResult spawn_and_signal(const std::vector<std::string>& argv,
                             const std::function<bool(int pid)>& ready, int signal);

// Runs a program to its end, its output thrown away.
ChildResult run_program(const std::vector<std::string>& argv);

} // namespace tooltest
