#include "check_command.h"

#include "core/catalogue/packet_reader.h"
#include "maker_cross_check.h"
#include "packet_check.h"
#include "progress.h"

#include <deque>
#include <memory>

namespace cattool {

int run_check(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    const auto reporter = make_reporter(options.format, out);
    const bool terminal = stderr_is_terminal();
    return check_files(options.files, *reporter, (options.progress || terminal) ? &err : nullptr,
                       terminal);
}

int check_files(const std::vector<std::string>& paths, Reporter& reporter,
                std::ostream* progress_out, bool terminal) {
    MakerCrossCheck makers;
    std::deque<FileProblems> problems; // stable addresses for the cross-check
    std::vector<FileSummary> files;
    for (const auto& path : paths) {
        auto& sink = problems.emplace_back(path, reporter);
        FileSummary summary;
        summary.file = path;
        Progress progress(progress_out, terminal, path);
        PacketChecker checker(sink, progress);
        try {
            catalogue::read_packet(path, checker);
            summary.kind = record_name(checker.kind());
            if (checker.kind() == RecordKind::Maker)
                makers.addMakers(path, checker.makerNames());
            else
                makers.addUses(checker.makerUses(), sink);
        } catch (const catalogue::PacketNotRegular&) {
            summary.unreadable = true;
            summary.reason = "not a regular file";
        } catch (const catalogue::PacketMissing&) {
            summary.unreadable = true;
            summary.reason = "no such file";
        } catch (const std::exception& e) {
            summary.unreadable = true;
            summary.reason = e.what();
        }
        progress.finish();
        summary.rows = checker.rows();
        files.push_back(std::move(summary));
    }
    makers.report();

    Summary total;
    for (size_t i = 0; i < files.size(); ++i) {
        problems[i].finish();
        files[i].errors = problems[i].errors();
        files[i].warnings = problems[i].warnings();
        reporter.fileDone(files[i]);
        ++total.files;
        total.rows += files[i].rows;
        total.errors += files[i].errors;
        total.warnings += files[i].warnings;
        total.unreadable += files[i].unreadable ? 1 : 0;
    }
    reporter.finish(total);
    if (total.unreadable > 0)
        return kUnreadable;
    return total.errors + total.warnings > 0 ? kProblems : kClean;
}

} // namespace cattool
