// What the tool prints stays safe for a terminal and short: control
// characters of values come escaped, and a kind of warning that repeats is
// shown twenty times, then counted.

#include "problem.h"
#include "tool_test_support.h"

#include "core/catalogue/text_decoder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using tooltest::run;
using tooltest::write_file;

const char* const kHeader = "modelNo,maker,type,material,lo,fo,lmax,fmax,k,coil_dia,wire_dia,turn";

// The first byte that would reach a terminal as a control character, or npos.
size_t raw_control(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F ||
            (c == 0xC2 && i + 1 < text.size() && (text[i + 1] & 0xE0) == 0x80))
            return i;
    }
    return std::string::npos;
}

TEST(Messages, ControlCharactersAreShownEscaped) {
    EXPECT_EQ(catalogue::escape_controls(std::string("a\x1b[31mb\0c\x7f\t\r\n", 13)),
              "a\\x1b[31mb\\x00c\\x7f\\t\\r\\n");
    EXPECT_EQ(catalogue::escape_controls("\xC2\x9B"
                                         "2J \xC2\xA0 昌和"),
              "\\u009b2J \xC2\xA0 昌和");

    tooltest::TempDir dir;
    const std::string row = ",KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,8\r\n";
    // NUL, a colour change, a window title (OSC ... BEL), a C1 control sequence.
    const std::string csv = std::string(kHeader) + "\r\n" + std::string("N\0UL", 4) + row +
                            "\x1b[2J\x1b[31mred" + row + "\x1b]0;pwned\x07title" + row +
                            "\"\xC2\x9B"
                            "6n\"" +
                            row + "fine\x1b" + std::string(100, 'x') + row;
    write_file(dir.file("in.csv"), csv);
    std::string out, err;
    EXPECT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml")}, &out, &err), 1);
    EXPECT_EQ(raw_control(out + err), std::string::npos) << out;
    EXPECT_NE(out.find(":2: modelNo (column A): error: 'N\\x00UL' holds a control character"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("'\\x1b[2J\\x1b[31mred'"), std::string::npos) << out;
    EXPECT_NE(out.find("'\\x1b]0;pwned\\x07title'"), std::string::npos) << out;
    EXPECT_NE(out.find("'\\u009b6n'"), std::string::npos) << out;
    EXPECT_NE(out.find("'fine\\x1bxxx"), std::string::npos) << out; // long ones are cut after it

    // The JSON report carries the same escaped text.
    EXPECT_EQ(run({"import", dir.file("in.csv"), "-o", dir.file("out.xml"), "--format", "json"},
                  &out, &err),
              1);
    EXPECT_EQ(raw_control(out + err), std::string::npos) << out;
}

TEST(Messages, AKindOfWarningIsShownTwentyTimesThenCounted) {
    tooltest::TempDir dir;
    // A header of a million columns that are no fields, and no row.
    std::string header = kHeader;
    for (int i = 0; i < 1000000; ++i)
        header += ",c" + std::to_string(i);
    write_file(dir.file("wide.csv"), header + "\r\n");
    std::string out;
    EXPECT_EQ(run({"import", dir.file("wide.csv"), "-o", dir.file("out.xml")}, &out), 0);
    EXPECT_LT(std::count(out.begin(), out.end(), '\n'), 30) << out.substr(0, 2000);
    EXPECT_NE(out.find("column AF: warning: 'c19' is not a field"), std::string::npos) << out;
    EXPECT_EQ(out.find("'c20'"), std::string::npos);
    EXPECT_NE(out.find("wide.csv: warning: … and 999980 more warnings like these (unknown-column)"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("0 errors, 1000000 warnings"), std::string::npos) << out; // all counted

    // Errors are not held back: each row has its own.
    std::string rows = std::string(kHeader) + "\r\n";
    for (int i = 0; i < 30; ++i)
        rows += "C-" + std::to_string(i) + ",KSSC,compress,SWP-B,30,0,20,25,2.5,10,1,bad\r\n";
    write_file(dir.file("bad.csv"), rows);
    EXPECT_EQ(run({"import", dir.file("bad.csv"), "-o", dir.file("out2.xml")}, &out), 1);
    EXPECT_NE(out.find("bad.csv:31: turn (column L): error: 'bad' is not a number"),
              std::string::npos)
        << out;

    // Export names the fields it leaves out the same way.
    std::string fields = tooltest::spring_fields();
    for (int i = 0; i < 100000; ++i)
        fields += "<FIELD attrname=\"extra" + std::to_string(i) + "\" fieldtype=\"r8\"/>\n";
    write_file(dir.file("wide.xml"), tooltest::packet(fields, {tooltest::good_spring()}));
    std::string err;
    EXPECT_EQ(run({"export", dir.file("wide.xml"), "-o", dir.file("wide-out.csv")}, &out, &err), 0);
    EXPECT_LT(std::count(err.begin(), err.end(), '\n'), 25) << err.substr(0, 2000);
    EXPECT_NE(err.find("… and 99980 more fields left out"), std::string::npos) << err;
}

} // namespace
