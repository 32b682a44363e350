#include "results/ResultsTool.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "evaluation/EvaluationSettings.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "results/CycleStore.h"
#include "results/Export.h"
#include "store/KeyValueFile.h"
#include "store/SettingsFileReader.h"
#include "training/TrainingFileFormat.h"

namespace vigil::results {

namespace {

namespace fs = std::filesystem;

constexpr int kDone = 0, kFailed = 1, kUsage = 2;

struct Options {
  std::string command;
  std::map<std::string, std::string> values;
  std::vector<std::string> inputs;
  std::string Get(const std::string& key) const {
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  }
};

const std::set<std::string> kValueOptions = {"--db",       "--home",     "--project",    "--station",
                                             "--settings", "--training", "--evaluation", "--format",
                                             "--point",    "--from",     "--to",         "--out"};

bool Parse(const std::vector<std::string>& args, Options& o, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (kValueOptions.count(a)) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      o.values[a] = args[++i];
    } else if (a.rfind("--", 0) == 0) {
      error = "unknown option " + a;
      return false;
    } else if (o.command.empty()) {
      o.command = a;
    } else {
      o.inputs.push_back(a);
    }
  }
  if (o.command != "import" && o.command != "export" && o.command != "report") {
    error = o.command.empty() ? "no command given" : "unknown command " + o.command;
    return false;
  }
  return true;
}

// "2026-12-08" (the whole day with `endOfDay`) or "2026-12-08T09:00:00" to local ms.
bool ParseWhen(const std::string& text, bool endOfDay, std::int64_t& ms) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  const bool dateOnly = text.size() == 10;
  if (!dateOnly && text.size() != 19) return false;
  if (text[4] != '-' || text[7] != '-' || !platform::ScanInt(text.substr(0, 4), y) ||
      !platform::ScanInt(text.substr(5, 2), mo) || !platform::ScanInt(text.substr(8, 2), d))
    return false;
  if (!dateOnly && (text[10] != 'T' || !platform::ScanInt(text.substr(11, 2), h) ||
                    !platform::ScanInt(text.substr(14, 2), mi) || !platform::ScanInt(text.substr(17, 2), s)))
    return false;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return false;
  ms = platform::MillisecondsFromCivil({y, mo, d, h, mi, s, 0, 0}) + (dateOnly && endOfDay ? 86'399'999 : 0);
  return true;
}

fs::path DatabasePath(const Options& o) {
  if (!o.Get("--db").empty()) return o.Get("--db");
  if (!o.Get("--home").empty()) return fs::path(o.Get("--home")) / "Data" / kResultsFileName;
  return {};
}

// The cycle files named in the inputs (folders give their "*.vgl"), sorted by name.
std::vector<fs::path> CycleFiles(const std::vector<std::string>& inputs, std::ostream& err, bool& ok) {
  std::vector<fs::path> out;
  for (const std::string& in : inputs) {
    if (platform::FolderExists(in)) {
      for (const std::string& name : platform::FindFiles(in, "*.vgl")) out.push_back(fs::path(in) / name);
    } else if (platform::FileExists(in)) {
      out.push_back(in);
    } else {
      err << "vigil-results: no such file or folder: " << in << "\n";
      ok = false;
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

int Import(const Options& o, std::ostream& out, std::ostream& err) {
  const fs::path home = o.Get("--home");
  std::string project = o.Get("--project"), station = o.Get("--station");
  fs::path settingsPath = o.Get("--settings");
  if (settingsPath.empty()) {
    if (home.empty() || project.empty() || station.empty()) {
      err << "vigil-results: import needs --settings FILE, or --home DIR with --project and --station\n";
      return kUsage;
    }
    settingsPath = home / "Station" / (project + "_" + station + ".txt");
  }
  store::ProjectStationSettings settings;
  if (!platform::FileExists(settingsPath) ||
      !store::ReadSettingsFile(store::KeyValueFile(settingsPath), settings)) {
    err << "vigil-results: not a project-station file: " << platform::PathText(settingsPath) << "\n";
    return kFailed;
  }
  fs::path trainingPath = o.Get("--training");
  if (trainingPath.empty())
    trainingPath = home / "Training" / (settings.project + "_" + settings.station + ".ini");
  const std::optional<std::string> trainingText = platform::ReadUtf16File(trainingPath);
  if (!trainingText) {
    err << "vigil-results: cannot read the training file " << platform::PathText(trainingPath) << "\n";
    return kFailed;
  }
  const std::vector<evaluation::TrainedPoint> trained =
      evaluation::TrainedPointsFrom(training::ParseTrainingText(*trainingText), settings);

  evaluation::EvaluationSettings es;
  std::string error;
  const fs::path evaluationPath = o.Get("--evaluation");
  if (!evaluationPath.empty()) {
    const auto bytes = platform::ReadFileBytes(evaluationPath);
    if (!bytes || !evaluation::ParseEvaluationSettings(*bytes, es, error)) {
      err << "vigil-results: " << platform::PathText(evaluationPath) << ": "
          << (bytes ? error : "cannot be read") << "\n";
      return kFailed;
    }
  } else if (!home.empty() && !evaluation::LoadEvaluationSettings(home, es, error)) {
    err << "vigil-results: " << error << "\n";
    return kFailed;
  }

  const fs::path dbPath = DatabasePath(o);
  if (dbPath.empty()) {
    err << "vigil-results: import needs --db FILE or --home DIR\n";
    return kUsage;
  }
  bool ok = true;
  std::vector<std::string> inputs = o.inputs;
  if (inputs.empty() && !home.empty()) inputs.push_back(platform::PathText(home / "Data"));
  std::vector<fs::path> files = CycleFiles(inputs, err, ok);
  // Only this project-station's files, oldest first: velocities look back at earlier cycles.
  const std::string prefix = settings.station + "_" + settings.project + "_";
  std::erase_if(files,
                [&](const fs::path& f) { return platform::PathText(f.filename()).rfind(prefix, 0) != 0; });
  std::vector<std::pair<std::int64_t, fs::path>> ordered;
  for (const fs::path& f : files) {
    evaluation::CycleReadings r;
    const auto text = platform::ReadUtf16File(f);
    std::int64_t first = LLONG_MAX;
    if (text && evaluation::ReadCycleReadings(*text, settings, r, error) && !r.readings.empty())
      first = r.readings.front().localMs;
    ordered.emplace_back(first, f);
  }
  std::sort(ordered.begin(), ordered.end());

  std::unique_ptr<ResultsDatabase> db = ResultsDatabase::Open(dbPath, error);
  if (!db) {
    err << "vigil-results: " << platform::PathText(dbPath) << ": " << error << "\n";
    return kFailed;
  }
  int stored = 0, corrected = 0;
  for (const auto& [first, f] : ordered) {
    const StoredCycleReport r = StoreCycleFile(*db, f, settings, trained, es);
    if (!r.message.empty()) err << "vigil-results: " << r.message << "\n";
    if (r.outcome != StoreOutcome::kStored) {
      ok = false;
      continue;
    }
    ++stored;
    corrected += r.evaluation.station.corrected;
  }
  out << "imported " << stored << " cycles of " << settings.project << " " << settings.station << " ("
      << corrected << " corrected from the references) into " << platform::PathText(dbPath) << "\n";
  return ok ? kDone : kFailed;
}

// The project-station to read: as given, or the only one in the database.
bool Choose(ResultsDatabase& db, const Options& o, std::string& project, std::string& station,
            std::ostream& err) {
  project = o.Get("--project");
  station = o.Get("--station");
  if (!project.empty() && !station.empty()) return true;
  std::set<std::pair<std::string, std::string>> all;
  for (const StoredCycle& c : db.Cycles("", "")) all.insert({c.key.project, c.key.station});
  if (all.size() != 1) {
    err << "vigil-results: "
        << (all.empty() ? "the database holds no cycles" : "name the station with --project and --station")
        << "\n";
    return false;
  }
  project = all.begin()->first;
  station = all.begin()->second;
  return true;
}

int ExportOrReport(const Options& o, std::ostream& out, std::ostream& err) {
  const fs::path dbPath = DatabasePath(o);
  if (dbPath.empty()) {
    err << "vigil-results: " << o.command << " needs --db FILE or --home DIR\n";
    return kUsage;
  }
  std::int64_t from = LLONG_MIN, to = LLONG_MAX;
  if ((!o.Get("--from").empty() && !ParseWhen(o.Get("--from"), false, from)) ||
      (!o.Get("--to").empty() && !ParseWhen(o.Get("--to"), true, to))) {
    err << "vigil-results: --from and --to take YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS\n";
    return kUsage;
  }
  const std::string format = o.Get("--format").empty() ? "csv" : o.Get("--format");
  if (o.command == "export" && format != "csv" && format != "geojson") {
    err << "vigil-results: --format is csv or geojson\n";
    return kUsage;
  }
  if (!platform::FileExists(dbPath)) {
    err << "vigil-results: no results database at " << platform::PathText(dbPath) << "\n";
    return kFailed;
  }
  std::string error;
  std::unique_ptr<ResultsDatabase> db = ResultsDatabase::Open(dbPath, error);
  if (!db) {
    err << "vigil-results: " << platform::PathText(dbPath) << ": " << error << "\n";
    return kFailed;
  }
  std::string project, station;
  if (!Choose(*db, o, project, station, err)) return kFailed;
  const std::vector<StoredPoint> points = db->Points(project, station, o.Get("--point"), from, to);
  std::string text;
  if (o.command == "report") {
    std::vector<StoredCycle> cycles = db->Cycles(project, station);
    std::erase_if(cycles, [&](const StoredCycle& c) { return c.firstMs < from || c.firstMs > to; });
    text = Report(cycles, points, project, station);
  } else {
    text = format == "csv" ? ExportCsv(points) : ExportGeoJson(points, project, station);
  }
  if (o.Get("--out").empty()) {
    out << text;
    return kDone;
  }
  if (!platform::WriteFileBytesAtomic(o.Get("--out"), text)) {
    err << "vigil-results: cannot write " << o.Get("--out") << "\n";
    return kFailed;
  }
  return kDone;
}

}  // namespace

std::string ResultsToolUsage() {
  return "usage: vigil-results import (--home DIR --project P --station S | --settings FILE --training "
         "FILE)\n"
         "                            [--evaluation FILE] [--db FILE] [CYCLE_FILE_OR_FOLDER ...]\n"
         "       vigil-results export (--db FILE | --home DIR) [--project P --station S] [--format "
         "csv|geojson]\n"
         "                            [--point NAME] [--from DATE] [--to DATE] [--out FILE]\n"
         "       vigil-results report (--db FILE | --home DIR) [--project P --station S] [--from DATE] [--to "
         "DATE]\n"
         "\n"
         "import   evaluates cycle files (default: the Data folder of --home) against the project-station's\n"
         "         training and writes them to the results database (default: DIR/Data/results.sqlite);\n"
         "         a cycle imported again replaces its rows\n"
         "export   one CSV row per point and cycle, or GeoJSON of every point's latest displacement\n"
         "report   a summary of the cycles, references and points of a period\n"
         "DATE     YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS, local time of the station\n"
         "Exit status: 0 done, 1 something could not be done, 2 a usage error.\n";
}

int RunResultsTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end()) {
    out << ResultsToolUsage();
    return kDone;
  }
  Options o;
  std::string error;
  if (!Parse(arguments, o, error)) {
    err << "vigil-results: " << error << "\n" << ResultsToolUsage();
    return kUsage;
  }
  return o.command == "import" ? Import(o, out, err) : ExportOrReport(o, out, err);
}

}  // namespace vigil::results
