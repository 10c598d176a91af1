#include "core/strength/spring_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace spring_checks;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

// ---- Values at every row and edge of the tables, worked out by hand -----------

TEST(JisTolerance, LoadOfACompressionSpring) {
    struct Case {
        int grade;
        double n, fraction;
    };
    const double just_above_10 = std::nextafter(10.0, 11.0);
    for (const Case& c :
         {Case{1, 3, 0.05}, Case{2, 3, 0.10}, Case{3, 3, 0.15}, Case{2, 8, 0.10}, Case{1, 10, 0.05},
          Case{2, 10, 0.10}, Case{3, 10, 0.15}, Case{1, just_above_10, 0.04}, Case{1, 10.01, 0.04},
          Case{2, 10.01, 0.08}, Case{3, 10.01, 0.12}, Case{1, 1e6, 0.04}, Case{2, 1e6, 0.08},
          Case{3, 1e6, 0.12}}) {
        SCOPED_TRACE(testing::Message() << "grade " << c.grade << " n " << c.n);
        EXPECT_NEAR(jis_load_tolerance(c.grade, c.n), c.fraction, 1e-15);
    }
}

TEST(JisTolerance, LoadOfAnExtensionSpring) {
    struct Case {
        int grade;
        double n, Fi, F, tolerance;
    };
    for (const Case& c : {
             Case{1, 3, 12, 50, 3.1},      // 1.2 + 38 * 0.05
             Case{2, 8, 12, 50, 5.6},      // 1.8 + 38 * 0.10
             Case{3, 10, 12, 50, 8.1},     // 2.4 + 38 * 0.15
             Case{2, 10, 5, 25, 2.75},     // 0.75 + 20 * 0.10
             Case{2, 10.01, 5, 25, 2.35},  // 0.75 + 20 * 0.08
             Case{1, 10.01, 20, 100, 5.2}, // 2.0 + 80 * 0.04
             Case{2, 12, 20, 100, 9.4},    // 3.0 + 80 * 0.08
             Case{3, 40, 20, 100, 13.6},   // 4.0 + 80 * 0.12
             Case{2, 5, 8, 8, 1.2},        // the load is the initial tension: 8 * 0.15
             Case{3, 6, 0, 30, 4.5},       // no initial tension: 30 * 0.15
             Case{1, 1e6, 0, 0, 0},
         }) {
        SCOPED_TRACE(testing::Message() << "grade " << c.grade << " n " << c.n << " F " << c.F);
        EXPECT_NEAR(jis_extension_load_tolerance(c.grade, c.n, c.Fi, c.F), c.tolerance, 1e-12);
    }
}

TEST(JisTolerance, CoilDiameter) {
    struct Case {
        int grade;
        double c, D, tolerance;
    };
    for (const Case& c : {
             // 3 <= c <= 8: 1.0 % (0.15), 1.5 % (0.2), 2.5 % (0.4)
             Case{1, 3, 5, 0.15},
             Case{1, 3, 40, 0.4},
             Case{2, 8, 8, 0.2},
             Case{2, 8, 40, 0.6},
             Case{3, 5, 10, 0.4},
             Case{3, 8, 40, 1.0},
             // 8 < c <= 15: 1.5 % (0.2), 2.0 % (0.3), 3.0 % (0.5)
             Case{1, 8.01, 8, 0.2},
             Case{1, 8.01, 40, 0.6},
             Case{2, 8.01, 10, 0.3},
             Case{2, 8.01, 40, 0.8},
             Case{3, 8.01, 40, 1.2},
             Case{2, 15, 10, 0.3},
             Case{2, 15, 60, 1.2},
             Case{3, 12, 10, 0.5},
             Case{3, 15, 60, 1.8},
             Case{1, 15, 60, 0.9},
             // 15 < c <= 22: 2.0 % (0.3), 3.0 % (0.5), 4.0 % (0.7)
             Case{1, 15.01, 60, 1.2},
             Case{2, 15.01, 10, 0.5},
             Case{2, 15.01, 60, 1.8},
             Case{3, 15.01, 60, 2.4},
             Case{1, 22, 10, 0.3},
             Case{2, 22, 10, 0.5},
             Case{3, 22, 10, 0.7},
             Case{3, 22, 100, 4.0},
         }) {
        SCOPED_TRACE(testing::Message() << "grade " << c.grade << " c " << c.c << " D " << c.D);
        EXPECT_NEAR(jis_coil_diameter_tolerance(c.grade, c.c, c.D), c.tolerance, 1e-12);
    }
}

// ---- Arguments outside the tables ----------------------------------------------

TEST(JisToleranceDomain, ArgumentsOutsideTheTablesThrow) {
    struct Call {
        const char* name;
        double good;
        std::function<double(double)> call;
        std::vector<double> bad;
    };
    const Call calls[] = {
        {"load n",
         8,
         [](double v) { return jis_load_tolerance(2, v); },
         {2.99, std::nextafter(3.0, 0.0), 0, -3, kNaN, kInf, -kInf}},
        {"extension n",
         8,
         [](double v) { return jis_extension_load_tolerance(2, v, 12, 50); },
         {2.99, 0, kNaN, kInf}},
        {"extension Fi",
         12,
         [](double v) { return jis_extension_load_tolerance(2, 8, v, 50); },
         {-0.01, -12, kNaN, kInf, -kInf, 50.01}},
        {"extension F",
         50,
         [](double v) { return jis_extension_load_tolerance(2, 8, 12, v); },
         {11.99, -1, kNaN, kInf, -kInf}},
        {"diameter c",
         8,
         [](double v) { return jis_coil_diameter_tolerance(2, v, 20); },
         {2.99, 22.01, std::nextafter(22.0, 23.0), 0, kNaN, kInf, -kInf}},
        {"diameter D",
         20,
         [](double v) { return jis_coil_diameter_tolerance(2, 8, v); },
         {0, -0.0, -20, kNaN, kInf}},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_NO_THROW(c.call(c.good));
        for (double bad : c.bad)
            EXPECT_THROW(c.call(bad), EspringCheckException) << bad;
    }
}

TEST(JisToleranceDomain, MessagesNameTheArgument) {
    const auto message = [](auto f) -> std::string {
        try {
            f();
        } catch (const EspringCheckException& e) {
            return e.what();
        }
        return "<no exception>";
    };
    const std::string grade = "Tolerance grade must be 1, 2 or 3.";
    for (int g : {0, 4, -1}) {
        SCOPED_TRACE(g);
        EXPECT_EQ(message([g] { jis_load_tolerance(g, 8); }), grade);
        EXPECT_EQ(message([g] { jis_extension_load_tolerance(g, 8, 12, 50); }), grade);
        EXPECT_EQ(message([g] { jis_coil_diameter_tolerance(g, 8, 20); }), grade);
    }
    EXPECT_EQ(message([] { jis_load_tolerance(1, 2.99); }),
              "Number of active coils must be at least 3.");
    EXPECT_EQ(message([] { jis_load_tolerance(1, kNaN); }),
              "Number of active coils is not a finite number.");
    EXPECT_EQ(message([] { jis_extension_load_tolerance(1, 8, -1, 50); }),
              "Initial tension must not be negative.");
    EXPECT_EQ(message([] { jis_extension_load_tolerance(1, 8, 12, kInf); }),
              "Load is not a finite number.");
    EXPECT_EQ(message([] { jis_extension_load_tolerance(1, 8, 12, 11); }),
              "Load must not be below the initial tension.");
    EXPECT_EQ(message([] { jis_coil_diameter_tolerance(1, 22.01, 20); }),
              "Spring index must be between 3 and 22.");
    EXPECT_EQ(message([] { jis_coil_diameter_tolerance(1, 8, 0); }),
              "Coil diameter must be positive.");
}

} // namespace
