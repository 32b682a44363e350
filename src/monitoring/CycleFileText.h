// The text of a cycle data file: a header line naming the 18 columns, then one line per
// recorded reading; fields separated by TAB, every line ending in CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "monitoring/CycleColumns.h"
#include "store/ProjectStationSettings.h"

namespace vigil::monitoring {

/// The 18 headings joined by TAB, with CR LF.
std::string CycleHeaderLine(const store::ProjectStationSettings& s);

/// The row's texts joined by TAB, with CR LF. Ha and Va are written in packed form (gon
/// "%.5lf", or DDD.MMSSs in degree mode); an empty angle stays empty. The tilts are plain
/// decimals in every mode.
std::string CycleDataLine(const store::ProjectStationSettings& s, const CycleRow& row);

/// The readings of a data file text: every line with more than six fields that is not a
/// header (no field contains "Easting"), cut or padded to 18 fields.
std::vector<CycleRow> ParseCycleFileText(std::string_view text);

}  // namespace vigil::monitoring
