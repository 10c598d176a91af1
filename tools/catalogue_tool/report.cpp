#include "report.h"

#include "json_text.h"

#include <vector>

namespace cattool {
namespace {

const char* severity_name(Severity s) {
    return s == Severity::Error ? "error" : "warning";
}

std::string plural(long n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// file:row: field (column C): severity: message
class TextReporter : public Reporter {
public:
    explicit TextReporter(std::ostream& out) : out_(out) {}

    void report(Problem p) override {
        out_ << p.file;
        if (p.row > 0)
            out_ << ':' << p.row;
        out_ << ": ";
        if (!p.field.empty()) {
            out_ << p.field;
            if (p.column > 0)
                out_ << " (column " << column_name(p.column) << ')';
            out_ << ": ";
        } else if (p.column > 0) {
            out_ << "column " << column_name(p.column) << ": ";
        }
        out_ << severity_name(p.severity) << ": " << p.message << '\n';
    }

    void fileDone(const FileSummary& f) override {
        if (f.unreadable)
            out_ << f.file << ": cannot read: " << f.reason << '\n';
    }

    void finish(const Summary& s) override {
        out_ << plural(s.files, "file") << ", " << plural(s.rows, "row") << ": ";
        if (s.errors == 0 && s.warnings == 0)
            out_ << "no problems";
        else
            out_ << plural(s.errors, "error") << ", " << plural(s.warnings, "warning");
        if (s.unreadable > 0)
            out_ << ", " << s.unreadable << " unreadable";
        if (!s.outcome.empty())
            out_ << "; " << s.outcome;
        out_ << '\n' << std::flush;
    }

private:
    std::ostream& out_;
};

// One JSON document: {"problems": [...], "files": [...], "summary": {...}}.
// Problems are written as they come, so a large file needs no memory for them.
class JsonReporter : public Reporter {
public:
    explicit JsonReporter(std::ostream& out) : out_(out) { out_ << "{\"problems\": ["; }

    void report(Problem p) override {
        out_ << (first_ ? "\n" : ",\n") << "  {\"file\": " << json_string(p.file)
             << ", \"row\": " << p.row << ", \"column\": " << p.column
             << ", \"field\": " << json_string(p.field)
             << ", \"severity\": " << json_string(severity_name(p.severity))
             << ", \"code\": " << json_string(p.code) << ", \"message\": " << json_string(p.message)
             << "}";
        first_ = false;
    }

    void fileDone(const FileSummary& f) override { files_.push_back(f); }

    void finish(const Summary& s) override {
        out_ << (first_ ? "" : "\n") << "],\n\"files\": [";
        for (size_t i = 0; i < files_.size(); ++i) {
            const auto& f = files_[i];
            out_ << (i ? ",\n" : "\n") << "  {\"file\": " << json_string(f.file)
                 << ", \"kind\": " << json_string(f.kind) << ", \"rows\": " << f.rows
                 << ", \"errors\": " << f.errors << ", \"warnings\": " << f.warnings
                 << ", \"readable\": " << (f.unreadable ? "false" : "true");
            if (f.unreadable)
                out_ << ", \"reason\": " << json_string(f.reason);
            out_ << "}";
        }
        out_ << (files_.empty() ? "" : "\n") << "],\n\"summary\": {\"files\": " << s.files
             << ", \"rows\": " << s.rows << ", \"errors\": " << s.errors
             << ", \"warnings\": " << s.warnings << ", \"unreadable\": " << s.unreadable
             << ", \"outcome\": " << json_string(s.outcome) << "}}\n"
             << std::flush;
    }

private:
    std::ostream& out_;
    bool first_ = true;
    std::vector<FileSummary> files_;
};

} // namespace

std::unique_ptr<Reporter> make_reporter(Format format, std::ostream& out) {
    if (format == Format::Json)
        return std::make_unique<JsonReporter>(out);
    return std::make_unique<TextReporter>(out);
}

std::string column_name(int column) {
    std::string name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

} // namespace cattool
