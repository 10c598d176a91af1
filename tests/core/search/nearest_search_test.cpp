// The pass over the catalogue: which springs it keeps, in what order, and the
// tolerances that let the chosen one through the search.
#include "core/catalogue/table.h"
#include "core/search/nearest_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using search::NearestQuery;

struct Row {
    std::string model, type = "compress", material = "SWP-B";
    double lo, fo, lmax, fmax;
    double coil = 10;
};

// A catalogue file in a directory of its own, made the working directory.
class NearestPass : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ = fs::temp_directory_path() /
               ("tarvolin_nearest_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    static void write(const std::vector<Row>& rows) {
        std::ostringstream out;
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA>"
               "<FIELDS>";
        for (const char* name : {"modelNo", "maker", "type", "material"})
            out << "<FIELD attrname=\"" << name << "\" fieldtype=\"string\" WIDTH=\"30\"/>";
        for (const char* name : {"lo", "fo", "lmax", "fmax", "k", "coil_dia", "wire_dia", "turn"})
            out << "<FIELD attrname=\"" << name << "\" fieldtype=\"r8\"/>";
        out << "</FIELDS><PARAMS/></METADATA><ROWDATA>";
        for (const Row& r : rows) {
            out << "<ROW modelNo=\"" << r.model << "\" maker=\"KSSC\" type=\"" << r.type
                << "\" material=\"" << r.material << "\" lo=\"" << r.lo << "\" fo=\"" << r.fo
                << "\" lmax=\"" << r.lmax << "\" fmax=\"" << r.fmax << "\" k=\"2\" coil_dia=\""
                << r.coil << "\" wire_dia=\"1\" turn=\"8\"/>";
        }
        out << "</ROWDATA></DATAPACKET>";
        std::ofstream("spring_data.xml") << out.str();
    }
    // Working point 25 +- 1 mm, 20 +- 0.5 N; compression springs only.
    static NearestQuery query() {
        NearestQuery q;
        q.rules.spring_type = "compress";
        q.rules.coildia_outer_min = q.rules.coildia_outer_max = -1;
        q.rules.coildia_inner_min = q.rules.coildia_inner_max = -1;
        q.measured.push_back({0, search::near_window(25, 1, 20, 0.5)});
        return q;
    }
    static std::vector<std::string> models(const std::vector<search::NearRow>& rows) {
        std::vector<std::string> list;
        for (const auto& r : rows)
            list.push_back(r.spring.text[0]);
        return list;
    }

private:
    fs::path previous_, dir_;
};

// Load lines parallel to one through the working point, `n` tenths of a newton higher.
Row shifted(int n) {
    return {"C-" + std::to_string(n), "compress", "SWP-B", 30, 0.1 * n, 20, 40 + 0.1 * n};
}

TEST_F(NearestPass, KeepsTheTwentyNearestInOrderOfTheFactor) {
    std::vector<Row> rows;
    for (int n : {30, 2,  27, 5,  40, 11, 0,  33, 8, 19, 25, 14, 36,
                  1,  22, 9,  17, 38, 4,  13, 28, 6, 35, 21, 16})
        rows.push_back(shifted(n));
    write(rows);
    const std::vector<search::NearRow> near = search::nearest_springs(query(), 20);
    std::vector<std::string> expected;
    for (int n : {0, 1, 2, 4, 5, 6, 8, 9, 11, 13, 14, 16, 17, 19, 21, 22, 25, 27, 28, 30})
        expected.push_back("C-" + std::to_string(n));
    EXPECT_EQ(models(near), expected);
    // n tenths of a newton higher: |x - 25| = |y - 20| / 0.5 at x - 25 = n / 45.
    for (const search::NearRow& r : near) {
        const double n = std::stod(r.spring.text[0].substr(2));
        EXPECT_NEAR(r.spring.nearness, n / 45, 1e-12) << r.spring.text[0];
    }
}

TEST_F(NearestPass, KeepsTheFilterRulesAndTiesGoToTheEarlierRow) {
    Row extension{"T-1", "tension", "SWP-B", 20, 0, 30, 40};
    Row stainless{"S-1", "compress", "SUS304WPB", 30, 0, 20, 40};
    Row wide{"W-1", "compress", "SWP-B", 30, 0, 20, 40, 30};
    write({extension, stainless, wide, shifted(3),
           Row{"C-3b", "compress", "SWP-B", 30, 0.3, 20, 40.3}, shifted(7)});
    NearestQuery q = query();
    q.rules.sel_material = "SWP-B";
    q.rules.coildia_outer_max = 20;
    EXPECT_EQ(models(search::nearest_springs(q, 20)),
              (std::vector<std::string>{"C-3", "C-3b", "C-7"}));
    EXPECT_EQ(models(search::nearest_springs(q, 1)), std::vector<std::string>{"C-3"});
    EXPECT_TRUE(search::nearest_springs(q, 0).empty());

    // A condition that bounds only the force still holds as it does in the search.
    q.kept.push_back(search::window_corners({-1.7e100, 1.7e100}, {40.5, 41}));
    EXPECT_EQ(models(search::nearest_springs(q, 20)), std::vector<std::string>{"C-7"});
}

TEST_F(NearestPass, TheLargerFactorOfTwoConditionsCounts) {
    write({shifted(0)});
    NearestQuery q = query();
    // The line starts at (30, 0) and runs away from both points.
    q.measured = {{0, search::near_window(35, 5, 0, 0.5)}}; // 5 mm off, 5 mm wide: factor 1
    ASSERT_EQ(search::nearest_springs(q, 20).size(), 1u);
    EXPECT_DOUBLE_EQ(search::nearest_springs(q, 20)[0].spring.nearness, 1);
    q.measured.push_back({1, search::near_window(40, 5, 0, 1)}); // 10 mm off: factor 2
    EXPECT_DOUBLE_EQ(search::nearest_springs(q, 20)[0].spring.nearness, 2);
    std::swap(q.measured[0], q.measured[1]);
    EXPECT_DOUBLE_EQ(search::nearest_springs(q, 20)[0].spring.nearness, 2);
}

TEST_F(NearestPass, AMissingCatalogueFailsAsTheSearchDoes) {
    try {
        search::nearest_springs(query(), 20);
        FAIL() << "no error";
    } catch (const catalogue::TableError& e) {
        EXPECT_STREQ(e.what(), "ClientDataSet_spring: データプロバイダ/パケットがありません");
    }
}

TEST(Widening, RoundsUpToTheHundredthAndLetsTheSpringThrough) {
    NearestQuery q;
    q.measured.push_back({1, search::near_window(25, 1, 20, 0.1)});
    search::NearSpring s;
    s.number = {0, 0, 0, 0, 30, 0, 20, 40}; // lo, fo, lmax, fmax: through the point
    auto widen = [&](double nearness) {
        s.nearness = nearness;
        return search::widen_to(q, s);
    };
    const search::NearRow r = widen(1.231);
    EXPECT_EQ(r.factor, 1.24);
    ASSERT_EQ(r.tolerances.size(), 1u);
    EXPECT_EQ(r.tolerances[0].condition, 1);
    EXPECT_EQ(r.tolerances[0].length, "1.24");
    EXPECT_EQ(r.tolerances[0].force, "0.124");
    EXPECT_EQ(widen(1).factor, 1);
    EXPECT_EQ(widen(std::nextafter(1.0, 2.0)).factor, 1.01);
    EXPECT_EQ(widen(0.07).factor, 0.07); // 0.07 * 100 is a little above 7
    // A factor of 0 would shrink the window to a point that meets no line.
    EXPECT_EQ(widen(0).factor, 0.01);

    // 2 N above the point: the tolerances of the shown factor reach the line.
    s.number = {0, 0, 0, 0, 30, 2, 20, 42};
    const double exact = search::window_nearness(q.measured[0].window, s.loadLine(1));
    const search::NearRow through = widen(exact);
    EXPECT_GE(through.factor, exact);
    EXPECT_LT(through.factor, exact + 0.01);
    EXPECT_LT(widen(exact - 0.05).factor, exact + 0.01); // raised until found
}

} // namespace

TEST(NearestQueryConditions, ALengthWithALoadIsMeasuredEitherAloneIsKept) {
    NearestQuery query;
    search::add_conditions(query, {search::ConditionTexts{"25", "1", "20", "0.5"},
                                   search::ConditionTexts{"22", "1", "", "0.1"}});
    ASSERT_EQ(query.measured.size(), 1u);
    EXPECT_EQ(query.measured[0].condition, 0);
    ASSERT_EQ(query.kept.size(), 1u);
    // 21 to 23 mm at any load.
    EXPECT_EQ(query.kept[0][0].x, 21);
    EXPECT_EQ(query.kept[0][2].x, 23);
    EXPECT_EQ(query.kept[0][0].y, -search::open_bound);
    EXPECT_EQ(query.kept[0][2].y, search::open_bound);

    NearestQuery empty;
    search::add_conditions(empty, {search::ConditionTexts{"", "1", "", "0.1"},
                                   search::ConditionTexts{"x", "1", "20", ""}});
    EXPECT_TRUE(empty.measured.empty());
    EXPECT_TRUE(empty.kept.empty());
}
