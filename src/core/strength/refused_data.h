// What a formula of the checks refuses of a spring's data: the value of a formula, or
// that of a fallback when the checks' formulas, the stress formulas or the material
// table refuse the data. Any other failure (no memory, a fault of the program) is
// none of the spring's and goes on.
#pragma once

#include "core/strength/cls_sprg.h"
#include "core/strength/float_error.h"
#include "core/strength/spr_mat.h"
#include "core/strength/spring_checks.h"

namespace spring_checks {

template <typename Formula, typename Failed> auto or_failed(Formula&& formula, Failed&& failed) {
    try {
        return formula();
    } catch (const EspringCheckException&) {
    } catch (const cls_sprg::EStdspringException&) {
    } catch (const float_error::EFloatError&) {
    } catch (const spr_mat::EspringMaterialException&) {
    }
    return failed();
}

} // namespace spring_checks
