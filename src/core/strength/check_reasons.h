// The reasons of the checks of one spring, written once. The checks point to them;
// elsewhere they are told apart by their text, since where a text lies may differ
// from one translation unit to another.
#pragma once

#include <string_view>

namespace spring_checks {

namespace text {
inline constexpr std::string_view kCoilsConsistent = "有効巻数は総巻数と整合";
// The window names both coil counts after this text.
inline constexpr std::string_view kCoilsInconsistent = "カタログ値の不整合";
inline constexpr std::string_view kStressOk[] = {"応力比 τ0/τa は 0.8 未満",
                                                 "応力比 τ0/τa は 0.64 未満"};
inline constexpr std::string_view kStressHigh[] = {"応力比 τ0/τa が 0.8 以上",
                                                   "応力比 τ0/τa が 0.64 以上"};
inline constexpr std::string_view kAboveLn = "最小使用長さ以上";
inline constexpr std::string_view kBelowLn = "最小使用長さより短い";
inline constexpr std::string_view kLmaxAboveLn = "カタログの最大長は最小使用長さ以上";
inline constexpr std::string_view kLmaxBelowLn = "カタログの最大長が最小使用長さより短い";
inline constexpr std::string_view kSolidOk = "密着時の応力は許容応力以下";
inline constexpr std::string_view kSolidHigh = "密着時の応力が許容応力を超える (へたりのおそれ)";
inline constexpr std::string_view kFatigueOk = "作動点は疲れ強さの許容域内";
inline constexpr std::string_view kFatigueOut = "作動点が疲れ強さの許容域外";
inline constexpr std::string_view kInitialOk = "初応力は通常の範囲内";
inline constexpr std::string_view kInitialLow = "初応力が通常の範囲より低い";
inline constexpr std::string_view kInitialHigh = "初応力が通常の範囲より高い";
inline constexpr std::string_view kFrequency = "固有振動数 (両端固定)";
inline constexpr std::string_view kNoResonance = "固有振動数は加振周波数の 13 倍以上";
// The window names both frequencies after this text.
inline constexpr std::string_view kResonance = "共振のおそれ";
inline constexpr std::string_view kLoadBand = "荷重の公差範囲";
inline constexpr std::string_view kFitOk = "公差込みで収まる";
// The window names the diameters with these.
inline constexpr std::string_view kBoreTight = "外径 (公差込み) が上限を超える";
inline constexpr std::string_view kRodTight = "内径 (公差込み) が下限を下回る";

// Why a check is absent.
inline constexpr std::string_view kNoGeometry = "線径またはコイル径のデータがない";
inline constexpr std::string_view kNoRate = "ばね定数のデータがない";
inline constexpr std::string_view kNoLoadLine = "荷重線のデータが不正";
inline constexpr std::string_view kUnknownMaterial = "材料が材料表にない";
inline constexpr std::string_view kDiameterOutOfGrade = "線径が材料の適用範囲外";
inline constexpr std::string_view kNoTensileStrength = "材料の引張強さのデータがない";
inline constexpr std::string_view kNoTurns = "総巻数のデータがない";
inline constexpr std::string_view kLengthOutOfRange = "長さがカタログの範囲外";
inline constexpr std::string_view kRangeOutOfRange = "動作範囲がカタログの範囲外";
inline constexpr std::string_view kNoCycles = "繰返し回数がない";
inline constexpr std::string_view kCyclesOutOfDomain = "繰返し回数が疲れ限度線の範囲外";
inline constexpr std::string_view kNotComputable = "計算できない値";
inline constexpr std::string_view kJisFewCoils = "有効巻数が 3 未満: JIS の等級に公差がない";
inline constexpr std::string_view kJisIndexOutside =
    "ばね指数が 3～22 の外: JIS の等級に公差がない";
} // namespace text

// Buckling reasons by seating; the last row serves any other coefficient.
struct SeatingTexts {
    double nu;
    std::string_view safe, buckles, never;
};
inline constexpr SeatingTexts kSeatings[] = {
    {0.5, "座屈のおそれなし (両端固定 ν=0.5)", "座屈のおそれ (両端固定 ν=0.5)",
     "座屈しない (両端固定 ν=0.5)"},
    {0.7, "座屈のおそれなし (一端固定・他端回転支持 ν=0.7)",
     "座屈のおそれ (一端固定・他端回転支持 ν=0.7)", "座屈しない (一端固定・他端回転支持 ν=0.7)"},
    {1.0, "座屈のおそれなし (両端回転支持 ν=1)", "座屈のおそれ (両端回転支持 ν=1)",
     "座屈しない (両端回転支持 ν=1)"},
    {2.0, "座屈のおそれなし (一端固定・他端自由 ν=2)", "座屈のおそれ (一端固定・他端自由 ν=2)",
     "座屈しない (一端固定・他端自由 ν=2)"},
    {0.0, "座屈のおそれなし (指定の座り係数 ν)", "座屈のおそれ (指定の座り係数 ν)",
     "座屈しない (指定の座り係数 ν)"},
};

} // namespace spring_checks
