// Kill trials of resuming: one run of the station on a virtual clock from a given local time,
// logging what it did to a file that survives SIGKILL, and the check of the program folder
// and that log after a series of killed and restarted runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vigil::crashtest {

/// One run from `startMs` to `endMs` (local ms since 1970), started as with --resume. When no
/// resumable state is there (the first run, or one killed before its Enable finished), the
/// operator enables the site's project-station. Appends "start", "armed", "tick", "stored",
/// "interrupted" and "end" lines with their local ms to `log`. Exit code 0 when the run went
/// as scripted.
int RunResumeTrialStep(const std::filesystem::path& home, std::int64_t startMs, std::int64_t endMs,
                       const std::filesystem::path& log);

struct ResumeTrialReport {
  int scheduled = 0;    ///< cycle times from the first start to the end
  int ran = 0;          ///< of those, cycles found in a file
  int missed = 0;       ///< scheduled while the program was down (or not yet armed)
  int interrupted = 0;  ///< cycles a kill may have cut short (started, never reported stored)
  int cut = 0;          ///< cycle files with fewer rows than a cycle has
  int noted = 0;        ///< "cycle interrupted" events in the results database
  int restarts = 0;
  std::vector<std::string> problems;
};

/// Every cycle time between a run's arming and its last sign of life has one cycle file of its
/// own (a cut one only for the cycle a kill interrupted, noted in the results database); no
/// other time has one; no file holds rows of two cycles; an interrupted cycle is noted only for
/// a cycle a kill could have cut.
ResumeTrialReport CheckResumeTrial(const std::filesystem::path& home, const std::filesystem::path& log,
                                   std::int64_t endMs);

}  // namespace vigil::crashtest
