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

/// Context switches (voluntary + involuntary) summed over the `voluntary_ctxt_switches` and
/// `nonvoluntary_ctxt_switches` lines of the text of a /proc/<pid>/task/<tid>/status file.
std::optional<long long> ContextSwitchesOfStatusText(std::string_view statusText);

/// Wake-ups of a live process so far: the context switches of all its threads from /proc;
/// `pid` 0 is this process. A thread that sleeps until it has work switches once per wake-up.
std::optional<long long> ProcessWakeUps(int pid);

/// This process by getrusage: user + system CPU seconds of all its threads.
double SelfCpuSeconds();

/// This process by getrusage: the peak resident memory so far (MiB, ru_maxrss).
double PeakResidentMiB();

}  // namespace vigil::bench
