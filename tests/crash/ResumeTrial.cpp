#include "ResumeTrial.h"

#include <fcntl.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <sstream>

#include "ResumeWorld.h"
#include "monitoring/CycleColumns.h"
#include "monitoring/CycleFileText.h"
#include "monitoring/Schedule.h"
#include "platform/Files.h"
#include "results/ResultsDatabase.h"
#include "results/StationResults.h"
#include "ui/ResumeState.h"

namespace vigil::crashtest {
namespace {

constexpr std::int64_t kMinuteMs = 60000;
constexpr std::int64_t kHourMs = 60 * kMinuteMs;
// A cycle of the site's two prisms takes well under this; a row later than it is another cycle's.
constexpr std::int64_t kCycleWindowMs = 30 * kMinuteMs;

// Unbuffered appends: a line written is on its way to the file when the kill comes.
class LogFile {
 public:
  explicit LogFile(const std::filesystem::path& path)
      : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {}
  ~LogFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  void Line(const std::string& what, std::int64_t ms) {
    const std::string line = what + " " + std::to_string(ms) + "\n";
    if (fd_ >= 0 && ::write(fd_, line.data(), line.size()) < 0) return;
  }

 private:
  int fd_;
};

struct LogLine {
  std::string what;
  std::int64_t ms;
};

std::vector<LogLine> ReadLog(const std::filesystem::path& path) {
  std::vector<LogLine> lines;
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) return lines;
  std::istringstream in(*bytes);
  std::string what;
  std::int64_t ms = 0;
  while (in >> what >> ms) lines.push_back({what, ms});
  return lines;
}

std::optional<std::int64_t> RowMs(const monitoring::CycleRow& row) {
  int d = 0, mo = 0, y = 0, h = 0, mi = 0, s = 0;
  if (std::sscanf(row[monitoring::kCycleDate].c_str(), "%d-%d-%d", &d, &mo, &y) != 3 ||
      std::sscanf(row[monitoring::kCycleTime].c_str(), "%d:%d:%d", &h, &mi, &s) != 3)
    return std::nullopt;
  return platform::MillisecondsFromCivil({y, mo, d, h, mi, s, 0, 0});
}

// One run as the log tells it.
struct Run {
  std::int64_t startMs = 0;
  std::optional<std::int64_t> armedMs;
  std::int64_t lastMs = 0;  ///< its last sign of life
  bool ended = false;
  std::vector<std::int64_t> ticks;
  std::vector<std::int64_t> stored;
};

}  // namespace

int RunResumeTrialStep(const std::filesystem::path& home, std::int64_t startMs, std::int64_t endMs,
                       const std::filesystem::path& log) {
  std::error_code ec;
  std::filesystem::create_directories(home, ec);
  LogFile out(log);
  out.Line("start", startMs);
  ResumeWorld w(home, startMs, [&out](const std::string& what, std::int64_t ms) { out.Line(what, ms); });
  // A kill while a new cycle file was being put in place leaves its temporary; the start puts
  // it back and says so.
  w.Host().AlwaysAnswer("Readings of an interrupted write", platform::kIdOk);
  ui::ResumeState state;
  std::string why;
  const bool resumable =
      ui::ReadResumeState(w.Window().ResumeStatePath(), state, why) == ui::ResumeRead::kRead &&
      ui::ShouldResume(state);
  if (!resumable) {
    if (!w.WriteStation(true)) {
      std::fputs("resume trial: the site's settings or training file could not be written\n", stderr);
      return 1;
    }
    w.ScriptEnableStation();
  }
  w.WaitInForce().Do("armed", [&] { out.Line("armed", w.NowMs()); });
  w.WaitUntilLocal(endMs).Do("end", [&] { out.Line("end", w.NowMs()); }).EndAll();
  w.Run(true);
  for (const std::string& f : w.Host().Failures()) std::fprintf(stderr, "resume trial: %s\n", f.c_str());
  return w.Host().Failures().empty() ? 0 : 1;
}

ResumeTrialReport CheckResumeTrial(const std::filesystem::path& home, const std::filesystem::path& log,
                                   std::int64_t endMs) {
  ResumeTrialReport report;
  auto problem = [&report](std::string text) { report.problems.push_back(std::move(text)); };
  std::vector<Run> runs;
  for (const LogLine& l : ReadLog(log)) {
    if (l.what == "start") {
      runs.push_back({l.ms, std::nullopt, l.ms, false, {}, {}});
      continue;
    }
    if (runs.empty()) continue;
    Run& r = runs.back();
    r.lastMs = std::max(r.lastMs, l.ms);
    if (l.what == "armed") r.armedMs = l.ms;
    if (l.what == "tick") r.ticks.push_back(l.ms);
    if (l.what == "stored") r.stored.push_back(l.ms);
    if (l.what == "end") r.ended = true;
  }
  if (runs.empty() || !runs.back().ended) {
    problem("the last run did not reach its end");
    return report;
  }
  report.restarts = static_cast<int>(runs.size()) - 1;

  // The cycle times: whole hours whose text is in the site's list.
  const std::string cycles = monitoring::BuildCycleList("12:00 AM", "2");
  std::map<std::int64_t, int> expected;  // cycle time -> 1 must run, 0 must not, 2 may be cut short
  for (std::int64_t h = (runs.front().startMs / kHourMs + 1) * kHourMs; h < endMs; h += kHourMs) {
    const platform::LocalDateTime t = platform::CivilFromMilliseconds(h);
    if (!monitoring::IsCycleTime(cycles, t.hour, 0)) continue;
    ++report.scheduled;
    int want = 0;
    for (const Run& r : runs) {
      // Armed before the hour and alive in its minute (the tick of that minute is logged first).
      if (!r.armedMs || !(*r.armedMs < h && h <= r.lastMs)) continue;
      want = 1;
      if (r.ended) continue;
      // A killed run's cycle that never reported itself stored may be cut short.
      bool storedAfter = false;
      for (std::int64_t st : r.stored) storedAfter = storedAfter || st >= h;
      if (!storedAfter) want = 2;
    }
    expected[h] = want;
    if (want == 0) ++report.missed;
    if (want == 2) ++report.interrupted;
  }

  // What the cycle files hold, by the cycle time of their first row.
  std::map<std::int64_t, std::pair<std::string, int>> found;
  const std::filesystem::path data = home / "Data";
  for (const std::string& name : platform::FindFiles(data, "*.vgl")) {
    const auto text = platform::ReadUtf16File(data / name);
    if (!text) {
      problem(name + ": cannot be read");
      continue;
    }
    const std::vector<monitoring::CycleRow> rows = monitoring::ParseCycleFileText(*text);
    std::optional<std::int64_t> hour;
    for (const monitoring::CycleRow& row : rows) {
      const auto ms = RowMs(row);
      if (!ms) {
        problem(name + ": a row without its time");
        continue;
      }
      const std::int64_t h = *ms / kHourMs * kHourMs;
      if (!hour) hour = h;
      if (h != *hour || *ms - h >= kCycleWindowMs) problem(name + ": rows of two cycles");
    }
    if (rows.size() > static_cast<std::size_t>(kResumeRowsPerCycle))
      problem(name + ": more rows than a cycle has");
    if (!hour) {
      problem(name + ": no rows");
      continue;
    }
    if (found.count(*hour)) problem(name + ": a second file for the cycle of " + found[*hour].first);
    found[*hour] = {name, static_cast<int>(rows.size())};
  }

  std::map<std::string, int> notedFiles;
  std::string error;
  if (auto db = results::ResultsDatabase::Open(data / results::kResultsFileName, error)) {
    results::Statement q = db->Raw().Prepare("SELECT file, time_ms FROM alarm_events WHERE kind = ?1");
    q.Bind(1, std::string_view(results::kCycleInterruptedKind));
    while (q.Step()) {
      ++notedFiles[q.Text(0)];
      ++report.noted;
      // Noted only for a cycle a kill could have cut, at the minute it started.
      const std::int64_t h = q.Int(1) / kHourMs * kHourMs;
      if (expected.count(h) == 0 || expected[h] != 2 || q.Int(1) - h >= kMinuteMs)
        problem("a cycle noted as interrupted that no kill cut: " + std::to_string(q.Int(1)));
    }
  }
  for (const auto& [h, want] : expected) {
    const auto f = found.find(h);
    const std::string when = std::to_string(h);
    if (want == 0 && f != found.end())
      problem("a cycle at " + when + ", scheduled while down: " + f->second.first);
    if (want == 1 && (f == found.end() || f->second.second != kResumeRowsPerCycle))
      problem("the cycle at " + when + " did not run whole");
    if (want == 2 && f != found.end() && f->second.second < kResumeRowsPerCycle &&
        notedFiles[f->second.first] == 0)
      problem("the cut cycle " + f->second.first + " is not noted as interrupted");
    if (f != found.end()) ++report.ran;
    if (f != found.end() && f->second.second < kResumeRowsPerCycle) ++report.cut;
  }
  for (const auto& [h, entry] : found) {
    if (!expected.count(h)) problem(entry.first + ": a cycle at no cycle time");
  }
  return report;
}

}  // namespace vigil::crashtest
