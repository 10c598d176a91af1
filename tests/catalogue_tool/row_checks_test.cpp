// Each check of a catalogue row, on a row that is good but for one thing.

#include "tool_test_support.h"

#include <gtest/gtest.h>

namespace {

using tooltest::Attrs;
using tooltest::good_spring;
using tooltest::with;

struct Case {
    const char* what;
    Attrs changes;
    const char* expected; // "code:field:severity", or "" for a clean row
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.what;
}

std::string describe(const cattool::Problem& p) {
    return p.code + ":" + p.field + ":" +
           (p.severity == cattool::Severity::Error ? "error" : "warning");
}

class RowCheck : public ::testing::TestWithParam<Case> {};

TEST_P(RowCheck, ReportsExactlyTheOneProblem) {
    const Case& c = GetParam();
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    // The good row around the changed one shows that rows are checked apart.
    tooltest::write_file(
        path, tooltest::packet(tooltest::spring_fields(),
                               {good_spring(), with(good_spring(), c.changes), good_spring()}));
    const auto result = tooltest::check({path});
    if (*c.expected == '\0') {
        EXPECT_TRUE(result.problems.empty()) << describe(result.problems.front());
        return;
    }
    ASSERT_EQ(result.problems.size(), 1u) << c.what;
    EXPECT_EQ(describe(result.problems[0]), c.expected);
    EXPECT_EQ(result.problems[0].row, 2);
}

const std::string kFifteenKanji =
    "昌和発条昌和発条昌和発条昌和発"; // 30 bytes in CP932, 45 in UTF-8

Attrs also(Attrs changes, const Attrs& more) {
    changes.insert(changes.end(), more.begin(), more.end()); // later ones win
    return changes;
}

// A spring of 10 coils, 8 active, whose catalogue gives the mean diameter 11.2
// as coil_dia: taken as outer, it makes 12.31 active coils out of the rate.
const Attrs kMeanAsOuter = {
    {"wire_dia", "1.5"}, {"coil_dia", "11.2"}, {"k", "4.42"}, {"fmax", "44.2"}, {"turn", "10"}};
// An extension spring whose rate gives exactly 157 active coils.
const Attrs kExtension = {{"type", "tension"}, {"lo", "170"},     {"fo", "2"},
                          {"lmax", "190"},     {"fmax", "12"},    {"k", "0.5"},
                          {"coil_dia", "6"},   {"wire_dia", "1"}, {"turn", "157"}};

INSTANTIATE_TEST_SUITE_P(
    Checks, RowCheck,
    ::testing::Values(
        Case{"good row", {}, ""},
        Case{"empty type", {{"type", "<absent>"}}, "empty-value:type:error"},
        Case{"empty wire", {{"wire_dia", ""}}, "empty-value:wire_dia:error"},
        Case{"empty fmax", {{"fmax", "<absent>"}, {"k", "<absent>"}}, "empty-value:fmax:error"},
        Case{"empty maker", {{"maker", "<absent>"}}, "empty-value:maker:warning"},
        Case{"empty material", {{"material", ""}}, "empty-value:material:warning"},
        Case{"empty k and turn are fine", {{"k", "<absent>"}, {"turn", "<absent>"}}, ""},
        Case{"decimal comma", {{"lo", "30,5"}}, "not-a-number:lo:error"},
        Case{"blank around a packet number", {{"coil_dia", " 10"}}, "not-a-number:coil_dia:error"},
        Case{"unit after number", {{"turn", "8mm"}}, "not-a-number:turn:error"},
        Case{"exponent is a number", {{"fmax", "2.5E1"}}, ""},
        Case{"type in capitals", {{"type", "Compress"}}, "unknown-type:type:error"},
        Case{"torsion", {{"type", "torsion"}}, ""}, Case{"compton", {{"type", "compton"}}, ""},
        Case{"falling load line",
             {{"fo", "30"}, {"fmax", "25"}, {"k", "-0.5"}},
             "falling-load:fmax:error"},
        Case{"rate 2.1 % off", {{"k", "2.5525"}}, "rate-mismatch:k:error"},
        Case{"rate 1.9 % off", {{"k", "2.4525"}}, ""},
        Case{"rate against |lmax - lo| for extension", {{"lo", "20"}, {"lmax", "30"}}, ""},
        Case{"force in the wrong column",
             {{"fmax", "2.5"}, {"k", "25"}, {"turn", "3"}},
             "rate-mismatch:k:error"},
        Case{"no travel", {{"lmax", "30"}}, "no-travel:lmax:error"},
        Case{"unknown material", {{"material", "SWPB"}}, "unknown-material:material:error"},
        Case{"material with trailing blank",
             {{"material", "SWP-B "}},
             "unknown-material:material:error"},
        // The turns of these two fit their rates, so that only the wire is reported.
        Case{"wire above the grade",
             {{"wire_dia", "6.5"},
              {"coil_dia", "45.5"},
              {"k", "0.25"},
              {"fmax", "2.5"},
              {"turn", "1182"}},
             "wire-range:wire_dia:warning"},
        Case{"wire at the grade's limit", {{"wire_dia", "6"}, {"turn", "79482"}}, ""},
        Case{"mean diameter as coil_dia", kMeanAsOuter, "coil-count:turn:warning"},
        Case{"turn that fits the coils", also(kMeanAsOuter, {{"turn", "13"}}), ""},
        Case{"turn over 3 above the active coils", {{"turn", "9"}}, "coil-count:turn:warning"},
        Case{"stainless grade's lower G", {{"material", "SUS304WPB"}}, "coil-count:turn:warning"},
        Case{"turn 0 is not held against", also(kMeanAsOuter, {{"turn", "0"}}), ""},
        Case{"empty turn is not held against", also(kMeanAsOuter, {{"turn", ""}}), ""},
        Case{"no coils of torsion held", also(kMeanAsOuter, {{"type", "torsion"}}), ""},
        Case{"no coils of an unknown grade held", also(kMeanAsOuter, {{"material", "SWX"}}),
             "unknown-material:material:error"},
        Case{"coil_dia no wider than the wire", {{"coil_dia", "1"}}, ""},
        Case{"extension, turn 1 below the coils", also(kExtension, {{"turn", "156"}}), ""},
        Case{"extension, turn 1 above the coils", also(kExtension, {{"turn", "158"}}), ""},
        Case{"extension, turn 1.5 below the coils", also(kExtension, {{"turn", "155.5"}}),
             "coil-count:turn:warning"},
        Case{"extension, turn 1.5 above the coils", also(kExtension, {{"turn", "158.5"}}),
             "coil-count:turn:warning"},
        Case{"a compression may have 3 coils more",
             also(kExtension, {{"turn", "160"}, {"type", "compress"}}), ""},
        Case{"model number of 61 bytes",
             {{"modelNo", std::string(61, 'X')}},
             "too-long:modelNo:error"},
        Case{"model number of 60 bytes", {{"modelNo", std::string(60, 'X')}}, ""},
        Case{"maker of 15 kanji fits 30 bytes", {{"maker", kFifteenKanji}}, ""},
        Case{"maker of 16 kanji", {{"maker", kFifteenKanji + "条"}}, "too-long:maker:error"},
        Case{"character outside code page 932",
             {{"modelNo", "C-\xF0\x9F\x98\x80"}},
             "not-cp932:modelNo:error"}),
    [](const auto& test) {
        std::string name;
        for (const char c : std::string(test.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(RowCheckCoils, MessageNamesTheCountsAndTheRule) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    tooltest::write_file(
        path, tooltest::packet(tooltest::spring_fields(),
                               {with(good_spring(), kMeanAsOuter),
                                with(good_spring(), also(kExtension, {{"turn", "158.5"}})),
                                with(good_spring(), also(kMeanAsOuter, {{"turn", "12.311"}}))}));
    const auto result = tooltest::check({path});
    std::vector<std::string> messages;
    for (const auto& p : result.problems)
        messages.push_back(p.message);
    EXPECT_EQ(
        messages,
        (std::vector<std::string>{
            "k 4.42 gives 12.31 active coils with G 78500 MPa, more than turn 10 allows "
            "(compression: turn - 3 to turn); is coil_dia the outer diameter?",
            "k 0.5 gives 157 active coils with G 78500 MPa, fewer than turn 158.5 allows "
            "(extension: turn - 1 to turn + 1)",
            // Two decimals would read 12.31, inside the range.
            "k 4.42 gives 12.3142 active coils with G 78500 MPa, more than turn 12.311 allows "
            "(compression: turn - 3 to turn); is coil_dia the outer diameter?"}));
}

TEST(RowCheckMaterial, RepeatedUnknownMaterialIsReportedAsUnknownEveryTime) {
    // The material table remembers the last designation; the check must not
    // take its second answer for a diameter out of range.
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    const auto bad = with(good_spring(), {{"material", "SWX"}});
    tooltest::write_file(path, tooltest::packet(tooltest::spring_fields(), {bad, bad, bad}));
    EXPECT_EQ(
        tooltest::check({path}).codes(),
        (std::vector<std::string>{"unknown-material@1:material", "unknown-material@2:material",
                                  "unknown-material@3:material"}));
}

TEST(RowCheckMaterial, OutOfRangeAfterAnotherGradeStillCounts) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    // SWO-B starts at 2 mm; a 1 mm SWP-B row before it must not leave SWP-B's range loaded.
    tooltest::write_file(
        path, tooltest::packet(tooltest::spring_fields(),
                               {good_spring(), with(good_spring(), {{"material", "SWO-B"}})}));
    EXPECT_EQ(tooltest::check({path}).codes(), std::vector<std::string>{"wire-range@2:wire_dia"});
}

TEST(RowCheckWidth, DeclaredWidthIsTheLimit) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    std::string fields = tooltest::spring_fields();
    const std::string wide = "attrname=\"modelNo\" fieldtype=\"string\" WIDTH=\"60\"";
    fields.replace(fields.find(wide), wide.size(),
                   "attrname=\"modelNo\" fieldtype=\"string\" WIDTH=\"8\"");
    tooltest::write_file(
        path, tooltest::packet(fields, {with(good_spring(), {{"modelNo", "C-1010-30"}})}));
    EXPECT_EQ(tooltest::check({path}).codes(), std::vector<std::string>{"too-long@1:modelNo"});
}

TEST(RowCheckWidth, CountsCodePage932BytesInACodePage932File) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    std::string text = tooltest::packet(tooltest::spring_fields(),
                                        {with(good_spring(), {{"maker", kFifteenKanji}}),
                                         with(good_spring(), {{"maker", kFifteenKanji + "条"}})});
    text.replace(text.find(" encoding=\"UTF-8\""), 17, ""); // no declaration: code page 932
    tooltest::write_file(path, tooltest::to_cp932(text));
    EXPECT_EQ(tooltest::check({path}).codes(), std::vector<std::string>{"too-long@2:maker"});
}

TEST(RowCheckEncoding, BytesThatDoNotDecodeAreReportedByRowAndField) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    // 0x81 0x20 is no code page 932 character.
    std::string text =
        tooltest::packet(tooltest::spring_fields(), {with(good_spring(), {{"maker", "K\x81 "}})});
    text.replace(text.find(" encoding=\"UTF-8\""), 17, "");
    tooltest::write_file(path, text);
    EXPECT_EQ(tooltest::check({path}).codes(), std::vector<std::string>{"bad-encoding@1:maker"});
}

} // namespace
