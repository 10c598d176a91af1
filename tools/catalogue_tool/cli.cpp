#include "cli.h"

#include "check_command.h"
#include "exit_status.h"
#include "export_command.h"
#include "import_command.h"

#include <CLI/CLI.hpp>
#include <map>

namespace cattool {

int run_cli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app("Checks, imports and exports Tarvolin spring catalogues (XML data packets).",
                 "tarvolin-catalogue");
    app.require_subcommand(1);

    const std::map<std::string, Format> formats{{"text", Format::Text}, {"json", Format::Json}};
    const std::map<std::string, CsvEncoding> import_encodings{
        {"auto", CsvEncoding::Auto}, {"utf8", CsvEncoding::Utf8}, {"cp932", CsvEncoding::Cp932}};
    const std::map<std::string, CsvEncoding> export_encodings{{"utf8", CsvEncoding::Utf8},
                                                              {"cp932", CsvEncoding::Cp932}};

    CheckOptions check;
    auto* check_cmd = app.add_subcommand(
        "check", "Report every problem of catalogue and maker packets, by row and field. "
                 "Exit 0 when clean, 1 when problems were found, 2 when a file cannot be read.");
    check_cmd->add_option("FILE", check.files, "catalogue and maker packets")->required();
    check_cmd->add_option("--format", check.format, "text or json")
        ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case));
    check_cmd->add_flag("--progress", check.progress,
                        "show progress on large files even when stderr is no terminal");

    ImportOptions import;
    auto* import_cmd = app.add_subcommand(
        "import", "Build a catalogue or maker packet from CSV whose header names the fields. "
                  "Nothing is written when a row has errors.");
    import_cmd->add_option("CSV", import.csv, "CSV file, header row first")->required();
    import_cmd->add_option("-o,--output", import.output, "packet to write")->required();
    import_cmd->add_flag("--utf8", import.utf8,
                         "write the packet in UTF-8 instead of code page 932");
    import_cmd->add_flag("--force", import.force, "overwrite an existing packet");
    import_cmd->add_option("--csv-encoding", import.csv_encoding, "auto, utf8 or cp932")
        ->transform(CLI::CheckedTransformer(import_encodings, CLI::ignore_case));
    import_cmd->add_option("--format", import.format, "text or json")
        ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case));
    import_cmd->add_flag("--progress", import.progress,
                         "show progress on large files even when stderr is no terminal");

    ExportOptions exp;
    auto* export_cmd = app.add_subcommand(
        "export", "Write a catalogue or maker packet as CSV, for editing and importing again.");
    export_cmd->add_option("FILE", exp.packet, "packet to read")->required();
    export_cmd->add_option("-o,--output", exp.output, "CSV file to write")->required();
    export_cmd
        ->add_option("--csv-encoding", exp.csv_encoding,
                     "utf8 (with byte-order mark, the default) or cp932")
        ->transform(CLI::CheckedTransformer(export_encodings, CLI::ignore_case));
    export_cmd->add_flag("--force", exp.force, "overwrite an existing CSV file");
    export_cmd->add_flag("--progress", exp.progress,
                         "show progress on large files even when stderr is no terminal");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        // Help is a success; every other usage error is status 2.
        return status == 0 ? kClean : kUnreadable;
    }

    if (check_cmd->parsed())
        return run_check(check, out, err);
    if (import_cmd->parsed())
        return run_import(import, out, err);
    return run_export(exp, out, err);
}

} // namespace cattool
