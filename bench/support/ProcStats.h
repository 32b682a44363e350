// What the kernel says about a process: CPU time used and resident memory, for this process
// or another one (a spawned simulator, the window program).
#pragma once

#include <map>
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

/// Context switches of each live thread of a process (thread id, count) from /proc; `pid` 0 is
/// this process. A thread that sleeps until it has work switches once per wake-up.
std::optional<std::map<int, long long>> ThreadSwitches(int pid);

/// Wake-ups between two samples of ThreadSwitches: what each thread of `after` added since
/// `before` (all of it for a thread that is new). A thread that ended meanwhile is not seen.
long long WakeUpsBetween(const std::map<int, long long>& before, const std::map<int, long long>& after);

/// This process's wake-ups so far by getrusage (voluntary + involuntary context switches of
/// every thread, ended ones included).
long long SelfWakeUps();

/// This process by getrusage: user + system CPU seconds of all its threads.
double SelfCpuSeconds();

/// This process by getrusage: the peak resident memory so far (MiB, ru_maxrss).
double PeakResidentMiB();

}  // namespace vigil::bench
