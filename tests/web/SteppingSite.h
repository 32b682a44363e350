// A results database for the dashboard's tests: the synthetic site's cycles, one a day, in
// which prism M1 steps by (9, -6, 3) mm at the fourth cycle and stays there, judged against
// limits that M1 passes at every level; M2 renamed to a name full of markup.
#pragma once

#include <filesystem>
#include <string>

namespace vigil::web::test {

inline constexpr int kSteppingCycles = 8;
inline constexpr int kStepCycle = 3;  ///< the first cycle after the step (counting from 0)
inline constexpr const char* kMarkupPoint = "<b id=\"x\">M2</b>&amp;";
inline constexpr const char* kSteppingLimits =
    "group.m.points = M*\n"
    "group.m.alert.de_mm = 2\n"
    "group.m.alarm.de_mm = 4\n"
    "group.m.action.de_mm = 6\n";

/// Writes the database (and the cycle files it was made from, and alarms.conf) into `folder`;
/// false with `error` when a step fails.
bool WriteSteppingSite(const std::filesystem::path& folder, std::string& error);

}  // namespace vigil::web::test
