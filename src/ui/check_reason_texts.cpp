#include "ui/check_reason_texts.h"

#include "core/strength/check_reasons.h"

#include <QCoreApplication>

#include <string>

namespace ui {
namespace {

namespace t = spring_checks::text;
using spring_checks::kSeatings;

// Each of core's texts beside the same text for the translation file, which
// reads only literals: the build fails where they part.
struct Listed {
    std::string_view core;
    const char* source;
};
constexpr Listed listed[] = {
    {t::kCoilsConsistent, QT_TRANSLATE_NOOP("spring_checks", "有効巻数は総巻数と整合")},
    {t::kCoilsInconsistent, QT_TRANSLATE_NOOP("spring_checks", "カタログ値の不整合")},
    {t::kStressOk[0], QT_TRANSLATE_NOOP("spring_checks", "応力比 τ0/τa は 0.8 未満")},
    {t::kStressOk[1], QT_TRANSLATE_NOOP("spring_checks", "応力比 τ0/τa は 0.64 未満")},
    {t::kStressHigh[0], QT_TRANSLATE_NOOP("spring_checks", "応力比 τ0/τa が 0.8 以上")},
    {t::kStressHigh[1], QT_TRANSLATE_NOOP("spring_checks", "応力比 τ0/τa が 0.64 以上")},
    {t::kAboveLn, QT_TRANSLATE_NOOP("spring_checks", "最小使用長さ以上")},
    {t::kBelowLn, QT_TRANSLATE_NOOP("spring_checks", "最小使用長さより短い")},
    {t::kLmaxAboveLn, QT_TRANSLATE_NOOP("spring_checks", "カタログの最大長は最小使用長さ以上")},
    {t::kLmaxBelowLn, QT_TRANSLATE_NOOP("spring_checks", "カタログの最大長が最小使用長さより短い")},
    {t::kSolidOk, QT_TRANSLATE_NOOP("spring_checks", "密着時の応力は許容応力以下")},
    {t::kSolidHigh,
     QT_TRANSLATE_NOOP("spring_checks", "密着時の応力が許容応力を超える (へたりのおそれ)")},
    {t::kFatigueOk, QT_TRANSLATE_NOOP("spring_checks", "作動点は疲れ強さの許容域内")},
    {t::kFatigueOut, QT_TRANSLATE_NOOP("spring_checks", "作動点が疲れ強さの許容域外")},
    {t::kInitialOk, QT_TRANSLATE_NOOP("spring_checks", "初応力は通常の範囲内")},
    {t::kInitialLow, QT_TRANSLATE_NOOP("spring_checks", "初応力が通常の範囲より低い")},
    {t::kInitialHigh, QT_TRANSLATE_NOOP("spring_checks", "初応力が通常の範囲より高い")},
    {t::kFrequency, QT_TRANSLATE_NOOP("spring_checks", "固有振動数 (両端固定)")},
    {t::kNoResonance, QT_TRANSLATE_NOOP("spring_checks", "固有振動数は加振周波数の 13 倍以上")},
    {t::kResonance, QT_TRANSLATE_NOOP("spring_checks", "共振のおそれ")},
    {t::kLoadBand, QT_TRANSLATE_NOOP("spring_checks", "荷重の公差範囲")},
    {t::kFitOk, QT_TRANSLATE_NOOP("spring_checks", "公差込みで収まる")},
    {t::kBoreTight, QT_TRANSLATE_NOOP("spring_checks", "外径 (公差込み) が上限を超える")},
    {t::kRodTight, QT_TRANSLATE_NOOP("spring_checks", "内径 (公差込み) が下限を下回る")},
    {t::kNoGeometry, QT_TRANSLATE_NOOP("spring_checks", "線径またはコイル径のデータがない")},
    {t::kNoRate, QT_TRANSLATE_NOOP("spring_checks", "ばね定数のデータがない")},
    {t::kNoLoadLine, QT_TRANSLATE_NOOP("spring_checks", "荷重線のデータが不正")},
    {t::kUnknownMaterial, QT_TRANSLATE_NOOP("spring_checks", "材料が材料表にない")},
    {t::kDiameterOutOfGrade, QT_TRANSLATE_NOOP("spring_checks", "線径が材料の適用範囲外")},
    {t::kNoTensileStrength, QT_TRANSLATE_NOOP("spring_checks", "材料の引張強さのデータがない")},
    {t::kNoTurns, QT_TRANSLATE_NOOP("spring_checks", "総巻数のデータがない")},
    {t::kLengthOutOfRange, QT_TRANSLATE_NOOP("spring_checks", "長さがカタログの範囲外")},
    {t::kRangeOutOfRange, QT_TRANSLATE_NOOP("spring_checks", "動作範囲がカタログの範囲外")},
    {t::kNoCycles, QT_TRANSLATE_NOOP("spring_checks", "繰返し回数がない")},
    {t::kCyclesOutOfDomain, QT_TRANSLATE_NOOP("spring_checks", "繰返し回数が疲れ限度線の範囲外")},
    {t::kNotComputable, QT_TRANSLATE_NOOP("spring_checks", "計算できない値")},
    {t::kJisFewCoils,
     QT_TRANSLATE_NOOP("spring_checks", "有効巻数が 3 未満: JIS の等級に公差がない")},
    {t::kJisIndexOutside,
     QT_TRANSLATE_NOOP("spring_checks", "ばね指数が 3～22 の外: JIS の等級に公差がない")},
    {kSeatings[0].safe, QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれなし (両端固定 ν=0.5)")},
    {kSeatings[0].buckles, QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれ (両端固定 ν=0.5)")},
    {kSeatings[0].never, QT_TRANSLATE_NOOP("spring_checks", "座屈しない (両端固定 ν=0.5)")},
    {kSeatings[1].safe,
     QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれなし (一端固定・他端回転支持 ν=0.7)")},
    {kSeatings[1].buckles,
     QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれ (一端固定・他端回転支持 ν=0.7)")},
    {kSeatings[1].never,
     QT_TRANSLATE_NOOP("spring_checks", "座屈しない (一端固定・他端回転支持 ν=0.7)")},
    {kSeatings[2].safe, QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれなし (両端回転支持 ν=1)")},
    {kSeatings[2].buckles, QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれ (両端回転支持 ν=1)")},
    {kSeatings[2].never, QT_TRANSLATE_NOOP("spring_checks", "座屈しない (両端回転支持 ν=1)")},
    {kSeatings[3].safe,
     QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれなし (一端固定・他端自由 ν=2)")},
    {kSeatings[3].buckles,
     QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれ (一端固定・他端自由 ν=2)")},
    {kSeatings[3].never, QT_TRANSLATE_NOOP("spring_checks", "座屈しない (一端固定・他端自由 ν=2)")},
    {kSeatings[4].safe, QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれなし (指定の座り係数 ν)")},
    {kSeatings[4].buckles, QT_TRANSLATE_NOOP("spring_checks", "座屈のおそれ (指定の座り係数 ν)")},
    {kSeatings[4].never, QT_TRANSLATE_NOOP("spring_checks", "座屈しない (指定の座り係数 ν)")},
};

constexpr bool listed_as_core() {
    for (const Listed& l : listed) {
        if (l.core != std::string_view(l.source))
            return false;
    }
    return true;
}
static_assert(listed_as_core(), "a reason of the checks reads otherwise now: list it as it reads");
static_assert(std::size(kSeatings) == 5, "a seating was added: list its reasons");

} // namespace

QString reason_text(std::string_view reason) {
    if (reason.empty())
        return {};
    return QCoreApplication::translate("spring_checks", std::string(reason).c_str());
}

std::vector<std::string_view> check_reasons() {
    std::vector<std::string_view> all;
    for (const Listed& l : listed)
        all.push_back(l.core);
    return all;
}

} // namespace ui
