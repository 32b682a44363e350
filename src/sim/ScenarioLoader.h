// Reads a scenario file (JSON, see docs/SIM-SCENARIO.md). Never throws: a bad file gives
// false and a text saying what is wrong and where.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "sim/Scenario.h"

namespace vigil::sim {

bool ParseScenario(std::string_view json, Scenario& scenario, std::string& error);

bool LoadScenarioFile(const std::filesystem::path& path, Scenario& scenario, std::string& error);

/// "YYYY-MM-DDTHH:MM:SS" (local clock) to ms since 1970; false when malformed.
bool ParseLocalDateTime(std::string_view text, std::int64_t& ms);

/// "HH:MM" to the minute of the day (0..1440); false when malformed.
bool ParseClockTime(std::string_view text, int& minuteOfDay);

}  // namespace vigil::sim
