// What the kernel says about a process: CPU time used and resident memory, for this process
// or another one (a spawned simulator, the window program).
#pragma once

#include <optional>
#include <string_view>

namespace vigil::bench {

/// utime + stime (clock ticks) of the text of /proc/<pid>/stat. The command name sits in
/// parentheses and may itself hold blanks and ")", so fields are counted after the last ")".
std::optional<long long> CpuTicksOfStatText(std::string_view statText);

/// Resident pages: the second number of the text of /proc/<pid>/statm.
std::optional<long long> ResidentPagesOfStatmText(std::string_view statmText);

/// CPU seconds (user + system) of a live process from /proc; `pid` 0 is this process.
std::optional<double> ProcessCpuSeconds(int pid);

/// Resident memory (MiB) of a live process from /proc; `pid` 0 is this process.
std::optional<double> ResidentMiB(int pid);

/// This process by getrusage: user + system CPU seconds of all its threads.
double SelfCpuSeconds();

/// This process by getrusage: the peak resident memory so far (MiB, ru_maxrss).
double PeakResidentMiB();

}  // namespace vigil::bench
