// The order of the cycle list: oldest day first, and within a day by cycle number, as the
// files were made (their names sort as text otherwise: Cycle_10 before Cycle_2, and
// 01-Jan-2027 before 07-Dec-2026).
#pragma once

#include "monitoring/CycleFileName.h"

namespace vigil::monitoring {

/// True when `a` is listed before `b`: by date, then by cycle number. A date or number that
/// cannot be read sorts after every one that can; equal keys keep their order.
bool CycleListedBefore(const CycleFileNameParts& a, const CycleFileNameParts& b);

}  // namespace vigil::monitoring
