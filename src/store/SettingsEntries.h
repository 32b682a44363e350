// The key=value texts a project-station file receives from the settings sheet.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/ProjectStationSettings.h"

namespace vigil::store {

/// Keys with the texts to store, in the order they are set.
using SettingsEntries = std::vector<std::pair<std::string, std::string>>;

/// Every key but `project` and `station`, in file order, in the form the settings sheet
/// writes when nothing is retyped: temperature and pressure "%.1lf", list positions "%d",
/// coordinates and `instrument_height` in metres "%.4lf" (the level of the mark, that is
/// the axis level minus `instrument_height`), `orientation` in gon "%.5lf", prism constants
/// in mm "%.1lf", `const_custom` as name ":" constant, counts "%d", the cycle texts as held.
SettingsEntries SettingsEntriesFor(const ProjectStationSettings& settings);

/// Key of the choice between reply-driven measuring and the fixed poll periods.
inline constexpr const char* kReplyDrivenKey = "reply_driven";

/// Adds `reply_driven=0` when the fixed poll periods are chosen; the default adds nothing, so
/// a default project-station's file has exactly the lines it had before the key existed.
void AddReplyDrivenEntry(const ProjectStationSettings& settings, SettingsEntries& entries);

}  // namespace vigil::store
