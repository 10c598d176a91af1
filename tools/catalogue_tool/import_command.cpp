#include "import_command.h"

#include "csv_import.h"
#include "csv_reader.h"
#include "output_file.h"
#include "progress.h"

#include "core/catalogue/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cattool {

int run_import(const ImportOptions& options, std::ostream& out, std::ostream& err) {
    // Refuse before reading anything, so that no report is wasted on it.
    try {
        refuse_existing(options.output, options.force, {catalogue::identity_of(options.csv)});
    } catch (const OutputError& e) {
        err << "tarvolin-catalogue: " << e.what() << '\n';
        return kUnreadable;
    }

    const auto reporter = make_reporter(options.format, out);
    FileProblems problems(options.csv, *reporter);
    FileSummary file;
    file.file = options.csv;
    file.kind = "csv";
    Summary total;
    total.files = 1;
    const auto done = [&](int status) {
        problems.finish();
        file.errors = problems.errors();
        file.warnings = problems.warnings();
        reporter->fileDone(file);
        total.rows = file.rows;
        total.errors = file.errors;
        total.warnings = file.warnings;
        total.unreadable = file.unreadable ? 1 : 0;
        reporter->finish(total);
        return status;
    };

    catalogue::ReadableFile in = catalogue::open_regular_file(options.csv);
    if (in.outcome != catalogue::ReadableFile::Opened) {
        file.unreadable = true;
        file.reason = in.outcome == catalogue::ReadableFile::Missing      ? "no such file"
                      : in.outcome == catalogue::ReadableFile::NotRegular ? "not a regular file"
                                                                          : std::strerror(in.error);
        total.outcome = "nothing written";
        return done(kUnreadable);
    }

    try {
        const bool terminal = stderr_is_terminal();
        Progress progress(options.progress || terminal ? &err : nullptr, terminal, options.csv);
        OutputFile output(options.output, options.force, {in.identity});
        CsvText text(options.csv_encoding);
        CsvImport import(text, problems, progress, output,
                         options.utf8 ? catalogue::TextEncoding::Utf8
                                      : catalogue::TextEncoding::Cp932);
        CsvReader reader([&](const std::vector<std::string>& cells) {
            if (reader.hadByteOrderMark() && import.rows() == 0 && !import.haveHeader())
                text.sawByteOrderMark();
            import.record(cells);
        });
        try {
            std::vector<char> chunk(1 << 16);
            for (;;) {
                const size_t got = std::fread(chunk.data(), 1, chunk.size(), in.file.get());
                reader.feed(chunk.data(), got);
                if (got < chunk.size())
                    break;
            }
            if (std::ferror(in.file.get()))
                throw std::runtime_error(std::string("cannot read: ") + std::strerror(errno));
            reader.finish();
        } catch (const CsvCellTooLarge& e) {
            Problem p;
            p.code = "cell-too-large";
            p.row = static_cast<int>(e.record());
            p.column = static_cast<int>(e.column());
            p.message =
                "the cell holds more than 1 MiB, which no catalogue field can; reading stops";
            problems.report(std::move(p));
        } catch (const CsvSyntaxError& e) {
            Problem p;
            p.code = "csv-syntax";
            p.row = static_cast<int>(e.record());
            p.message = std::string("the CSV breaks its quoting rules here (") + e.what() +
                        "); reading stops";
            problems.report(std::move(p));
        }
        progress.finish();
        file.rows = import.rows();
        if (!import.haveHeader()) {
            Problem p;
            p.code = "no-header";
            p.message = "the file is empty: there is no header row naming the fields";
            problems.report(std::move(p));
        }
        if (problems.errors() > 0) {
            total.outcome = "nothing written";
            return done(kProblems);
        }
        import.finish();
        output.commit();
        total.outcome = "wrote " + std::to_string(import.rows()) + " " +
                        record_name(import.kind()) + " rows to " + options.output;
        return done(kClean);
    } catch (const OutputError& e) {
        err << "tarvolin-catalogue: " << e.what() << '\n';
        total.outcome = "nothing written";
        return done(kUnreadable);
    } catch (const std::exception& e) {
        file.unreadable = true;
        file.reason = e.what();
        total.outcome = "nothing written";
        return done(kUnreadable);
    }
}

} // namespace cattool
