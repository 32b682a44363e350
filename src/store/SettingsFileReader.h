// Reading a project-station settings file into the in-memory settings.
#pragma once

#include "store/KeyValueFile.h"
#include "store/ProjectStationSettings.h"

namespace vigil::store {

/// Takes every value of `file` into `settings`. Nothing changes when the file has no
/// `project` value. A number that does not read leaves its field as it was; an empty unit,
/// list or `mode` value counts as 0; an empty `interval`, `start_time` or `cycles` gives the
/// default. `reduced_level` becomes the file value plus `instrument_height` (the axis level).
/// Returns whether anything was taken.
bool ReadSettingsFile(const KeyValueFile& file, ProjectStationSettings& settings);

}  // namespace vigil::store
