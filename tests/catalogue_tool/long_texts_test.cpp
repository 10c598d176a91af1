// Long texts that are not ASCII are decoded a piece at a time by check and
// export; what they report and write must be what a short text of the same
// characters gives, whatever the piece boundaries fall on.

#include "tool_test_support.h"

#include "csv_writer.h"
#include "formula_guard.h"

#include <gtest/gtest.h>

namespace {

using tooltest::good_spring;
using tooltest::with;

// At least `bytes` of UTF-8: `head`, then `unit` repeated.
std::string long_text(const std::string& head, const std::string& unit, std::size_t bytes) {
    std::string text = head;
    while (text.size() < bytes)
        text += unit;
    return text;
}

// A catalogue of one good row and one with `model`, in code page 932 (no
// declaration) or UTF-8.
void write_catalogue(const std::string& path, const std::string& model, bool cp932) {
    std::string escaped;
    for (const char c : model)
        escaped += c == '"' ? std::string("&quot;") : std::string(1, c);
    std::string text = tooltest::packet(
        tooltest::spring_fields(), {good_spring(), with(good_spring(), {{"modelNo", escaped}})});
    if (cp932) {
        text.replace(text.find(" encoding=\"UTF-8\""), 17, "");
        text = tooltest::to_cp932(text);
    }
    tooltest::write_file(path, text);
}

const cattool::Problem* problem_of(const tooltest::Collected& c, const std::string& code) {
    for (const auto& p : c.problems) {
        if (p.code == code)
            return &p;
    }
    return nullptr;
}

TEST(LongJapaneseTexts, CheckReportsTheWholeText) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    // 2-byte characters in code page 932 after a 1-byte one, so that pieces
    // of an even size end inside a character.
    const std::string kanji = long_text("C", "型番", std::size_t(3) << 20);
    write_catalogue(path, kanji, true);
    auto c = tooltest::check({path});
    EXPECT_EQ(c.codes(), std::vector<std::string>{"too-long@2:modelNo"});
    const auto* p = problem_of(c, "too-long");
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p->message.find("takes " + std::to_string(1 + (kanji.size() - 1) / 3 * 2) + " bytes"),
              std::string::npos)
        << p->message.substr(0, 200);
    EXPECT_EQ(p->message.substr(0, 8), "'C型番");

    // A fault at the very end is found as one at the start would be.
    write_catalogue(path, kanji + "\x7f", true);
    EXPECT_EQ(tooltest::check({path}).codes(),
              std::vector<std::string>{"control-character@2:modelNo"});
    std::string bad = tooltest::to_cp932(kanji) + "\x81\x20";
    std::string text = tooltest::packet(tooltest::spring_fields(),
                                        {good_spring(), with(good_spring(), {{"modelNo", "@@"}})});
    text.replace(text.find(" encoding=\"UTF-8\""), 17, "");
    text = tooltest::to_cp932(text);
    text.replace(text.find("@@"), 2, bad);
    tooltest::write_file(path, text);
    EXPECT_EQ(tooltest::check({path}).codes(), std::vector<std::string>{"bad-encoding@2:modelNo"});

    // In a UTF-8 file a character that code page 932 lacks, at the end.
    write_catalogue(path, kanji + "😀", false);
    EXPECT_EQ(tooltest::check({path}).codes(), std::vector<std::string>{"not-cp932@2:modelNo"});
    // A formula start is warned of; the width is counted in code page 932.
    const std::string kana = long_text("=", "ｶﾅ", std::size_t(3) << 20);
    write_catalogue(path, kana, false);
    c = tooltest::check({path});
    EXPECT_EQ(c.codes(),
              (std::vector<std::string>{"formula-text@2:modelNo", "too-long@2:modelNo"}));
    p = problem_of(c, "too-long");
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p->message.find("takes " + std::to_string(1 + (kana.size() - 1) / 3) + " bytes"),
              std::string::npos)
        << p->message.substr(0, 200);
}

// Exported, a long cell is what csv_cell makes of the whole decoded text, in
// either output encoding, from either file encoding.
TEST(LongJapaneseTexts, ExportWritesTheCellAsAShortOneWouldBe) {
    tooltest::TempDir dir;
    const auto path = dir.file("spring_data.xml");
    const auto csv = dir.file("out.csv");
    for (const std::string& text : {long_text("=型\"番,", "型番,\"ｶﾅ\"", std::size_t(3) << 19),
                                    long_text("ばね", "ばね", std::size_t(3) << 19),
                                    long_text(" ｶ", "ﾅｶ", std::size_t(3) << 19)}) {
        const std::string cell =
            cattool::csv_cell(cattool::guard_formula(text)) + ",KSSC,compress,";
        for (const bool cp932_file : {true, false}) {
            write_catalogue(path, text, cp932_file);
            for (const std::string out_encoding : {"utf8", "cp932"}) {
                ASSERT_EQ(tooltest::run({"export", path, "-o", csv, "--force", "--csv-encoding",
                                         out_encoding}),
                          0)
                    << out_encoding;
                const std::string bytes = tooltest::read_file(csv);
                const std::string want = out_encoding == "utf8" ? cell : tooltest::to_cp932(cell);
                const auto at = bytes.find("\r\n", bytes.find("\r\n") + 2) + 2;
                EXPECT_TRUE(bytes.compare(at, want.size(), want) == 0)
                    << out_encoding << " from " << (cp932_file ? "cp932" : "utf8") << ": "
                    << bytes.substr(at, 40);
            }
        }
    }
}

} // namespace
