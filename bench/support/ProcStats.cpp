#include "support/ProcStats.h"

#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::bench {

namespace {

// A run of decimal digits and nothing else; the counters can pass the range of int.
std::optional<long long> Count(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\n')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\n') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::string ProcFile(int pid, std::string_view name) {
  const std::string who = pid == 0 ? std::string("self") : platform::FormatInt(pid);
  return "/proc/" + who + "/" + std::string(name);
}

}  // namespace

std::optional<long long> CpuTicksOfStatText(std::string_view statText) {
  const std::size_t close = statText.rfind(')');
  if (close == std::string_view::npos) return std::nullopt;
  // After the name: state is field 3, utime field 14 and stime field 15.
  const std::vector<std::string_view> fields = Words(statText.substr(close + 1));
  if (fields.size() < 13) return std::nullopt;
  const auto user = Count(fields[11]);
  const auto system = Count(fields[12]);
  if (!user || !system) return std::nullopt;
  return *user + *system;
}

std::optional<long long> ResidentPagesOfStatmText(std::string_view statmText) {
  const std::vector<std::string_view> fields = Words(statmText);
  if (fields.size() < 2) return std::nullopt;
  return Count(fields[1]);
}

std::optional<double> ProcessCpuSeconds(int pid) {
  const auto text = platform::ReadFileBytes(ProcFile(pid, "stat"));
  if (!text) return std::nullopt;
  const auto ticks = CpuTicksOfStatText(*text);
  if (!ticks) return std::nullopt;
  return static_cast<double>(*ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::optional<double> ResidentMiB(int pid) {
  const auto text = platform::ReadFileBytes(ProcFile(pid, "statm"));
  if (!text) return std::nullopt;
  const auto pages = ResidentPagesOfStatmText(*text);
  if (!pages) return std::nullopt;
  return static_cast<double>(*pages) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

std::optional<long long> ContextSwitchesOfStatusText(std::string_view statusText) {
  long long total = 0;
  int found = 0;
  for (const std::string_view key : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
    std::size_t at = statusText.find(key);
    // "voluntary" is also the tail of "nonvoluntary": take the line that starts with the key.
    while (at != std::string_view::npos && at != 0 && statusText[at - 1] != '\n')
      at = statusText.find(key, at + 1);
    if (at == std::string_view::npos) continue;
    std::size_t from = at + key.size();
    while (from < statusText.size() && (statusText[from] == ' ' || statusText[from] == '\t')) ++from;
    long long value = 0;
    const auto [end, ec] =
        std::from_chars(statusText.data() + from, statusText.data() + statusText.size(), value);
    if (ec != std::errc() || end == statusText.data() + from) return std::nullopt;
    total += value;
    ++found;
  }
  if (found != 2) return std::nullopt;
  return total;
}

std::optional<std::map<int, long long>> ThreadSwitches(int pid) {
  const std::filesystem::path tasks = pid == 0
                                          ? std::filesystem::path("/proc/self/task")
                                          : std::filesystem::path("/proc") / std::to_string(pid) / "task";
  std::error_code error;
  std::filesystem::directory_iterator it(tasks, error);
  if (error) return std::nullopt;
  std::map<int, long long> threads;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) return std::nullopt;
    const auto text = platform::ReadFileBytes(it->path() / "status");
    int tid = 0;
    if (!text || !platform::ScanInt(it->path().filename().string(), tid)) continue;  // ended meanwhile
    if (const auto switches = ContextSwitchesOfStatusText(*text)) threads[tid] = *switches;
  }
  return threads;
}

long long WakeUpsBetween(const std::map<int, long long>& before, const std::map<int, long long>& after) {
  long long total = 0;
  for (const auto& [tid, switches] : after) {
    const auto it = before.find(tid);
    total += switches - (it == before.end() ? 0 : it->second);
  }
  return total;
}

long long SelfWakeUps() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_nvcsw + usage.ru_nivcsw;
}

double SelfCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double PeakResidentMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace vigil::bench
