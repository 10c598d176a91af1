// Field declarations, telling maker packets from catalogues, the maker
// cross-check, exit statuses and output formats of `check`.

#include "record_fields.h"
#include "tool_test_support.h"

#include "core/catalogue/spring_record.h"

#include <gtest/gtest.h>

namespace {

using tooltest::good_spring;
using tooltest::with;

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(Declarations, RecordsAgreeWithTheCatalogueTables) {
    const auto& spring = cattool::record_fields(cattool::RecordKind::Spring);
    const auto table = catalogue::spring::stored_fields();
    ASSERT_EQ(spring.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(spring[i].name, table[i].name);
        EXPECT_EQ(spring[i].kind, table[i].kind);
    }
    const auto& maker = cattool::record_fields(cattool::RecordKind::Maker);
    const auto maker_table = catalogue::maker::fields();
    ASSERT_EQ(maker.size(), maker_table.size());
    for (size_t i = 0; i < maker_table.size(); ++i)
        EXPECT_EQ(maker[i].name, maker_table[i].name);
}

TEST(Declarations, MissingFieldIsReportedOnceNotInEveryRow) {
    tooltest::TempDir dir;
    const auto path = dir.file("a.xml");
    const auto fields =
        replaced(tooltest::spring_fields(), "<FIELD attrname=\"fmax\" fieldtype=\"r8\"/>\n", "");
    tooltest::write_file(path, tooltest::packet(fields, {good_spring(), good_spring()}));
    int status = -1;
    const auto result = tooltest::check({path}, &status);
    EXPECT_EQ(result.codes(), std::vector<std::string>{"missing-field@0:fmax"});
    EXPECT_EQ(status, 1);
}

TEST(Declarations, KindsCompareTextAgainstNumber) {
    tooltest::TempDir dir;
    const auto path = dir.file("a.xml");
    auto fields = replaced(tooltest::spring_fields(), "attrname=\"lo\" fieldtype=\"r8\"",
                           "attrname=\"lo\" fieldtype=\"string\" WIDTH=\"10\"");
    fields = replaced(fields, "attrname=\"type\" fieldtype=\"string\" WIDTH=\"10\"",
                      "attrname=\"type\" fieldtype=\"i4\"");
    // Any integer or float kind counts as a number; names bind ignoring case.
    fields = replaced(fields, "attrname=\"turn\" fieldtype=\"r8\"",
                      "attrname=\"TURN\" fieldtype=\"i2\"");
    fields = replaced(fields, "attrname=\"k\" fieldtype=\"r8\"", "attrname=\"k\" fieldtype=\"r4\"");
    tooltest::write_file(path, tooltest::packet(fields, {good_spring()}));
    EXPECT_EQ(tooltest::check({path}).codes(),
              (std::vector<std::string>{"field-kind@0:type", "field-kind@0:lo"}));
}

TEST(Declarations, MakerPacketIsToldByItsFields) {
    tooltest::TempDir dir;
    const auto path = dir.file("makers.xml");
    // No tel: the maker box cannot show it, an error; no fax: nothing uses it.
    auto fields = replaced(tooltest::maker_fields(),
                           "<FIELD attrname=\"tel\" fieldtype=\"string\" WIDTH=\"12\"/>\n", "");
    fields = replaced(fields, "<FIELD attrname=\"fax\" fieldtype=\"string\" WIDTH=\"12\"/>\n", "");
    tooltest::write_file(
        path,
        tooltest::packet(fields, {{{"maker", "KSSC"}, {"url", "www.example.jp"}}, {{"url", "x"}}}));
    const auto result = tooltest::check({path});
    ASSERT_EQ(result.files.size(), 1u);
    EXPECT_EQ(result.files[0].kind, "maker");
    EXPECT_EQ(result.codes(),
              (std::vector<std::string>{"missing-field@0:tel", "missing-field@0:fax",
                                        "empty-value@2:maker"}));
    EXPECT_EQ(result.problems[0].severity, cattool::Severity::Error);
    EXPECT_EQ(result.problems[1].severity, cattool::Severity::Warning);
}

class MakerCrossCheck : public ::testing::Test {
protected:
    void SetUp() override {
        tooltest::write_file(
            catalogue,
            tooltest::packet(tooltest::spring_fields(),
                             {good_spring(), with(good_spring(), {{"maker", "昌和発条"}}),
                              with(good_spring(), {{"maker", "東邦スプリング"}}),
                              with(good_spring(), {{"maker", "KSSC "}})}));
        tooltest::write_file(makers, tooltest::packet(tooltest::maker_fields(),
                                                      {{{"maker", "KSSC"}, {"tel", "03"}},
                                                       {{"maker", "昌和発条"}, {"tel", "06"}}}));
    }
    tooltest::TempDir dir;
    const std::string catalogue = dir.file("spring_data.xml");
    const std::string makers = dir.file("spring_maker.xml");
};

TEST_F(MakerCrossCheck, ReportsRowsWhoseMakerHasNoRowInEitherOrder) {
    const std::vector<std::string> expected{"unknown-maker@3:maker", "unknown-maker@4:maker"};
    EXPECT_EQ(tooltest::check({catalogue, makers}).codes(), expected);
    const auto reversed = tooltest::check({makers, catalogue});
    EXPECT_EQ(reversed.codes(), expected);
    EXPECT_EQ(reversed.problems[0].file, catalogue);
}

TEST_F(MakerCrossCheck, NeedsTheMakerFile) {
    int status = -1;
    EXPECT_TRUE(tooltest::check({catalogue}, &status).problems.empty());
    EXPECT_EQ(status, 0);
}

TEST_F(MakerCrossCheck, WorksAcrossEncodings) {
    // The maker file in code page 932, the catalogue in UTF-8: names compare as text.
    auto text = tooltest::packet(tooltest::maker_fields(), {{{"maker", "KSSC"}},
                                                            {{"maker", "昌和発条"}},
                                                            {{"maker", "東邦スプリング"}},
                                                            {{"maker", "KSSC "}}});
    text = replaced(text, " encoding=\"UTF-8\"", "");
    tooltest::write_file(makers, tooltest::to_cp932(text));
    EXPECT_TRUE(tooltest::check({catalogue, makers}).problems.empty());
}

TEST(ExitStatus, CleanProblemsAndUnreadable) {
    tooltest::TempDir dir;
    const auto clean = dir.file("clean.xml");
    const auto warned = dir.file("warned.xml");
    const auto broken = dir.file("broken.xml");
    tooltest::write_file(clean, tooltest::packet(tooltest::spring_fields(), {good_spring()}));
    tooltest::write_file(warned, tooltest::packet(tooltest::spring_fields(),
                                                  {with(good_spring(), {{"maker", ""}})}));
    tooltest::write_file(broken, "<DATAPACKET><METADATA>");

    std::string out;
    EXPECT_EQ(tooltest::run({"check", clean}, &out), 0);
    EXPECT_EQ(out, "1 file, 1 row: no problems\n");
    EXPECT_EQ(tooltest::run({"check", warned}, &out), 1);
    EXPECT_NE(out.find("warned.xml:1: maker: warning: empty"), std::string::npos) << out;
    EXPECT_NE(out.find("1 file, 1 row: 0 errors, 1 warning\n"), std::string::npos) << out;
    EXPECT_EQ(tooltest::run({"check", broken}), 2);
    EXPECT_EQ(tooltest::run({"check", clean, dir.file("missing.xml")}, &out), 2);
    EXPECT_NE(out.find("missing.xml: cannot read: no such file"), std::string::npos) << out;
    // Unreadable wins over problems.
    EXPECT_EQ(tooltest::run({"check", warned, broken}), 2);
}

TEST(ExitStatus, UsageErrorsAreTwoHelpIsZero) {
    std::string out, err;
    EXPECT_EQ(tooltest::run({}, &out, &err), 2);
    EXPECT_EQ(tooltest::run({"check"}, &out, &err), 2);
    EXPECT_EQ(tooltest::run({"check", "a.xml", "--format", "yaml"}, &out, &err), 2);
    EXPECT_EQ(tooltest::run({"import", "a.csv"}, &out, &err), 2); // no -o
    EXPECT_EQ(tooltest::run({"--help"}, &out, &err), 0);
    EXPECT_NE(out.find("import"), std::string::npos);
}

TEST(JsonFormat, CarriesEveryProblemAndTheSummary) {
    tooltest::TempDir dir;
#if defined(_WIN32)
    // No Windows name holds a quote: the path's backslashes are escaped instead.
    const auto path = dir.file("ab.xml");
    const std::string escaped = "\\\\ab.xml";
#else
    const auto path = dir.file("a\"b.xml");
    const std::string escaped = "a\\\"b.xml";
#endif
    tooltest::write_file(path, tooltest::packet(tooltest::spring_fields(),
                                                {with(good_spring(), {{"k", "9"}, {"turn", "3"}}),
                                                 with(good_spring(), {{"type", "spiral"}})}));
    std::string out;
    EXPECT_EQ(tooltest::run({"check", "--format", "json", path}, &out), 1);
    EXPECT_EQ(out.rfind("{\"problems\": [", 0), 0u) << out;
    EXPECT_NE(out.find("\"row\": 1, \"column\": 0, \"field\": \"k\", \"severity\": \"error\", "
                       "\"code\": \"rate-mismatch\""),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"code\": \"unknown-type\""), std::string::npos);
    EXPECT_NE(out.find(escaped), std::string::npos) << out; // escaped in the name
    EXPECT_NE(out.find("\"summary\": {\"files\": 1, \"rows\": 2, \"errors\": 2, \"warnings\": 0"),
              std::string::npos)
        << out;
}

} // namespace
