#include "sim/ScenarioLoader.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <type_traits>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::sim {

namespace {

using nlohmann::json;

struct Bad : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void CheckKeys(const json& object, std::initializer_list<std::string_view> allowed,
               const std::string& where) {
  if (!object.is_object()) throw Bad(where + ": must be an object");
  for (const auto& item : object.items()) {
    bool known = false;
    for (std::string_view key : allowed) known = known || item.key() == key;
    if (!known) throw Bad(where + ": unknown key \"" + item.key() + "\"");
  }
}

template <typename T>
void Take(const json& object, const char* key, T& target) {
  if (object.contains(key)) target = object.at(key).get<T>();
}

// Limits of the numbers a scenario may hold. Coordinates and distances stay far inside what
// the replies' "%.4lf" texts and the scan's signal strength can carry; times stay below a day.
constexpr double kMaxCoordinateMetres = 1e7;
constexpr double kMaxMs = 86'400'000;
constexpr double kMaxCount = 1e9;

std::string Bound(double value) {
  if (value == std::floor(value)) return platform::FormatInt(static_cast<long long>(value));
  std::string text = platform::FormatFixed(value, 6);
  while (text.back() == '0') text.pop_back();
  return text;
}

// A number of the file, checked before it is converted: -1 for an unsigned field would wrap
// (to 49 days of delay), a huge value would not fit the field at all.
template <typename T>
void TakeInRange(const json& object, const char* key, T& target, const std::string& where, double min,
                 double max) {
  if (!object.contains(key)) return;
  const json& value = object.at(key);
  const std::string name = where + "." + key;
  if (!value.is_number()) throw Bad(name + ": must be a number");
  const double number = value.get<double>();
  if (!std::isfinite(number) || number < min || number > max)
    throw Bad(name + ": out of range (" + Bound(min) + " to " + Bound(max) + ")");
  if constexpr (std::is_integral_v<T>) {
    if (number != std::floor(number)) throw Bad(name + ": must be a whole number");
  }
  target = static_cast<T>(number);
}

void TakeFinite(const json& object, const char* key, double& target, const std::string& where, double min,
                double max = kMaxCoordinateMetres) {
  TakeInRange(object, key, target, where, min, max);
}

void TakeMs(const json& object, const char* key, std::uint32_t& target, const std::string& where,
            double min = 0.0) {
  TakeInRange(object, key, target, where, min, kMaxMs);
}

void TakeCount(const json& object, const char* key, int& target, const std::string& where) {
  TakeInRange(object, key, target, where, 0.0, kMaxCount);
}

double Coordinate(const json& object, const char* key, const std::string& where) {
  double value = 0.0;
  if (!object.contains(key)) throw Bad(where + "." + key + ": missing");
  TakeInRange(object, key, value, where, -kMaxCoordinateMetres, kMaxCoordinateMetres);
  return value;
}

template <std::size_t N>
void TakeTexts(const json& object, const char* key, std::array<std::string, N>& target,
               const std::string& where) {
  if (!object.contains(key)) return;
  const auto texts = object.at(key).get<std::vector<std::string>>();
  if (texts.size() != N) throw Bad(where + "." + key + ": needs " + std::to_string(N) + " texts");
  for (std::size_t i = 0; i < N; ++i) {
    for (char c : texts[i]) {
      if (c == ',' || static_cast<unsigned char>(c) < 0x20) throw Bad(where + "." + key + ": bad character");
    }
    target[i] = texts[i];
  }
}

AxisValues Axes(const json& value, const std::string& where) {
  const auto v = value.get<std::vector<double>>();
  if (v.size() != 3) throw Bad(where + ": needs [easting, northing, level]");
  for (double x : v) {
    if (!std::isfinite(x) || std::fabs(x) > 1e6) throw Bad(where + ": out of range (-1000000 to 1000000)");
  }
  return {v[0], v[1], v[2]};
}

std::int64_t DateTime(const json& value, const std::string& where) {
  std::int64_t ms = 0;
  if (!ParseLocalDateTime(value.get<std::string>(), ms)) throw Bad(where + ": expected YYYY-MM-DDTHH:MM:SS");
  return ms;
}

PrismType TypeOf(const std::string& name, const std::string& where) {
  static const std::pair<const char*, PrismType> kTypes[] = {
      {"reference", PrismType::kReference},   {"connection", PrismType::kConnection},
      {"monitoring", PrismType::kMonitoring}, {"reflectorless", PrismType::kReflectorless},
      {"sheet", PrismType::kSheet},           {"custom", PrismType::kCustom}};
  for (const auto& [text, type] : kTypes) {
    if (name == text) return type;
  }
  throw Bad(where + ": unknown prism type \"" + name + "\"");
}

Movement ReadMovement(const json& m, const std::string& where) {
  CheckKeys(m, {"kind", "mmPerDay", "mm", "at", "amplitudeMm", "periodDays"}, where);
  Movement out;
  const std::string kind = m.at("kind").get<std::string>();
  if (kind == "drift") {
    out.kind = Movement::Kind::kDrift;
    out.mmPerDay = Axes(m.at("mmPerDay"), where + ".mmPerDay");
  } else if (kind == "step") {
    out.kind = Movement::Kind::kStep;
    out.stepMm = Axes(m.at("mm"), where + ".mm");
    out.stepAtMs = DateTime(m.at("at"), where + ".at");
  } else if (kind == "seasonal") {
    out.kind = Movement::Kind::kSeasonal;
    out.amplitudeMm = Axes(m.at("amplitudeMm"), where + ".amplitudeMm");
    TakeFinite(m, "periodDays", out.periodDays, where, 1e-6, 1e6);
  } else {
    throw Bad(where + ": kind must be drift, step or seasonal");
  }
  return out;
}

Twist ReadTwist(const json& t, const std::string& where) {
  CheckKeys(t, {"kind", "mgonPerDay", "mgon", "at", "amplitudeMgon", "periodDays", "maximumAt"}, where);
  Twist out;
  const std::string kind = t.at("kind").get<std::string>();
  if (kind == "drift") {
    out.kind = Twist::Kind::kDrift;
    TakeFinite(t, "mgonPerDay", out.mgonPerDay, where, -1e4, 1e4);
  } else if (kind == "step") {
    out.kind = Twist::Kind::kStep;
    TakeFinite(t, "mgon", out.stepMgon, where, -1e5, 1e5);
    out.stepAtMs = DateTime(t.at("at"), where + ".at");
  } else if (kind == "seasonal") {
    out.kind = Twist::Kind::kSeasonal;
    TakeFinite(t, "amplitudeMgon", out.amplitudeMgon, where, -1e5, 1e5);
    TakeFinite(t, "periodDays", out.periodDays, where, 1e-6, 1e6);
  } else if (kind == "daily") {
    out.kind = Twist::Kind::kDaily;
    TakeFinite(t, "amplitudeMgon", out.amplitudeMgon, where, -1e5, 1e5);
    if (!ParseClockTime(t.at("maximumAt").get<std::string>(), out.maximumMinuteOfDay))
      throw Bad(where + ".maximumAt: expected \"HH:MM\"");
  } else {
    throw Bad(where + ": kind must be drift, step, seasonal or daily");
  }
  return out;
}

HiddenInterval ReadHidden(const json& h, const std::string& where) {
  CheckKeys(h, {"daily", "from", "to"}, where);
  HiddenInterval out;
  if (h.contains("daily")) {
    const auto times = h.at("daily").get<std::vector<std::string>>();
    if (times.size() != 2 || !ParseClockTime(times[0], out.fromMinuteOfDay) ||
        !ParseClockTime(times[1], out.toMinuteOfDay))
      throw Bad(where + ".daily: expected [\"HH:MM\", \"HH:MM\"]");
    return out;
  }
  out.daily = false;
  out.fromMs = DateTime(h.at("from"), where + ".from");
  out.toMs = DateTime(h.at("to"), where + ".to");
  return out;
}

Prism ReadPrism(const json& p, const std::string& where) {
  CheckKeys(p, {"name", "type", "constantMm", "easting", "northing", "level", "motion", "hidden"}, where);
  Prism out;
  out.name = p.at("name").get<std::string>();
  if (out.name.empty()) throw Bad(where + ".name: empty");
  out.type = TypeOf(p.value("type", std::string("monitoring")), where);
  TakeFinite(p, "constantMm", out.constantMm, where, -1000.0, 1000.0);
  out.truth.eastingMetres = Coordinate(p, "easting", where);
  out.truth.northingMetres = Coordinate(p, "northing", where);
  out.truth.levelMetres = Coordinate(p, "level", where);
  if (p.contains("motion")) {
    for (std::size_t i = 0; i < p.at("motion").size(); ++i)
      out.movements.push_back(
          ReadMovement(p.at("motion").at(i), where + ".motion[" + std::to_string(i) + "]"));
  }
  if (p.contains("hidden")) {
    for (std::size_t i = 0; i < p.at("hidden").size(); ++i)
      out.hidden.push_back(ReadHidden(p.at("hidden").at(i), where + ".hidden[" + std::to_string(i) + "]"));
  }
  return out;
}

void ReadFaults(const json& f, Faults& out) {
  CheckKeys(f,
            {"nak",
             "lostAcks",
             "lateReplies",
             "lateByMs",
             "splitReplies",
             "splitPieces",
             "splitGapMs",
             "doubleLines",
             "garbledLines",
             "overlongLines",
             "distanceErrors",
             "distanceErrorCode",
             "vaErrors",
             "vaErrorCode",
             "haErrors",
             "haErrorCode",
             "angleStatusErrors",
             "turnErrors",
             "turnErrorNumber",
             "endlessTurns",
             "vanishOnPrefix",
             "vanishForMs"},
            "faults");
  if (f.contains("nak")) {
    for (const json& rule : f.at("nak")) {
      CheckKeys(rule, {"prefix", "count"}, "faults.nak");
      int count = 0;
      if (!rule.contains("count")) throw Bad("faults.nak.count: missing");
      TakeCount(rule, "count", count, "faults.nak");
      out.nak.push_back({rule.at("prefix").get<std::string>(), count});
    }
  }
  TakeCount(f, "lostAcks", out.lostAcks, "faults");
  TakeCount(f, "lateReplies", out.lateReplies, "faults");
  TakeMs(f, "lateByMs", out.lateByMs, "faults");
  TakeCount(f, "splitReplies", out.splitReplies, "faults");
  TakeInRange(f, "splitPieces", out.splitPieces, "faults", 1.0, 1000.0);
  TakeMs(f, "splitGapMs", out.splitGapMs, "faults");
  TakeCount(f, "doubleLines", out.doubleLines, "faults");
  TakeCount(f, "garbledLines", out.garbledLines, "faults");
  TakeCount(f, "overlongLines", out.overlongLines, "faults");
  TakeCount(f, "distanceErrors", out.distanceErrors, "faults");
  Take(f, "distanceErrorCode", out.distanceErrorCode);
  TakeCount(f, "vaErrors", out.vaErrors, "faults");
  Take(f, "vaErrorCode", out.vaErrorCode);
  TakeCount(f, "haErrors", out.haErrors, "faults");
  Take(f, "haErrorCode", out.haErrorCode);
  TakeCount(f, "angleStatusErrors", out.angleStatusErrors, "faults");
  TakeCount(f, "turnErrors", out.turnErrors, "faults");
  TakeInRange(f, "turnErrorNumber", out.turnErrorNumber, "faults", 0.0, 99999.0);
  TakeCount(f, "endlessTurns", out.endlessTurns, "faults");
  Take(f, "vanishOnPrefix", out.vanishOnPrefix);
  TakeMs(f, "vanishForMs", out.vanishForMs, "faults");
}

void ReadInstrument(const json& in, Scenario& s) {
  const std::string w = "instrument";
  CheckKeys(in,
            {"turnSpeedGonPerS", "searchFieldGon", "beamGon", "replyDelayMs", "angleMs", "distanceFirstMs",
             "distanceRepeatMs", "searchMs", "settleMs", "blockA", "blockB", "reflectorType", "motor"},
            w);
  TakeFinite(in, "turnSpeedGonPerS", s.turnSpeedGonPerS, w, 1e-3, 4000.0);
  TakeFinite(in, "searchFieldGon", s.searchFieldGon, w, 0.0, 400.0);
  TakeFinite(in, "beamGon", s.beamGon, w, 0.0, 400.0);
  TakeMs(in, "replyDelayMs", s.replyDelayMs, w);
  TakeMs(in, "angleMs", s.angleMs, w);
  TakeMs(in, "distanceFirstMs", s.distanceFirstMs, w);
  TakeMs(in, "distanceRepeatMs", s.distanceRepeatMs, w, 1.0);
  TakeMs(in, "searchMs", s.searchMs, w);
  TakeMs(in, "settleMs", s.settleMs, w);
  TakeTexts(in, "blockA", s.blockA, w);
  TakeTexts(in, "blockB", s.blockB, w);
  if (in.contains("reflectorType")) {
    std::array<std::string, 1> reflector{in.at("reflectorType").get<std::string>()};
    json wrapped = json::object();
    wrapped["reflectorType"] = std::vector<std::string>{reflector[0]};
    TakeTexts(wrapped, "reflectorType", reflector, w);
    s.reflectorType = reflector[0];
  }
  TakeTexts(in, "motor", s.motor, w);
}

void ReadScenario(const json& j, Scenario& s) {
  CheckKeys(j,
            {"epoch", "seed", "station", "atmosphere", "noise", "instrument", "prisms", "faults", "comment"},
            "scenario");
  if (j.contains("epoch")) {
    s.epochMs = DateTime(j.at("epoch"), "epoch");
    s.epochGiven = true;
  }
  Take(j, "seed", s.seed);
  const json& st = j.at("station");
  CheckKeys(st, {"easting", "northing", "level", "circleZeroGon", "motion", "twist"}, "station");
  s.station.eastingMetres = Coordinate(st, "easting", "station");
  s.station.northingMetres = Coordinate(st, "northing", "station");
  s.station.levelMetres = Coordinate(st, "level", "station");
  TakeFinite(st, "circleZeroGon", s.circleZeroGon, "station", -4000.0, 4000.0);
  if (st.contains("motion")) {
    for (std::size_t i = 0; i < st.at("motion").size(); ++i)
      s.stationMovements.push_back(
          ReadMovement(st.at("motion").at(i), "station.motion[" + std::to_string(i) + "]"));
  }
  if (st.contains("twist")) {
    for (std::size_t i = 0; i < st.at("twist").size(); ++i)
      s.twists.push_back(ReadTwist(st.at("twist").at(i), "station.twist[" + std::to_string(i) + "]"));
  }
  if (j.contains("atmosphere")) {
    CheckKeys(j.at("atmosphere"), {"temperatureC", "pressureHpa"}, "atmosphere");
    TakeFinite(j.at("atmosphere"), "temperatureC", s.temperatureC, "atmosphere", -100.0, 100.0);
    TakeFinite(j.at("atmosphere"), "pressureHpa", s.pressureHpa, "atmosphere", 1.0, 2000.0);
  }
  if (j.contains("noise")) {
    const json& n = j.at("noise");
    CheckKeys(n, {"angleMgon", "distanceMm", "distancePpm", "tiltMgon"}, "noise");
    TakeFinite(n, "angleMgon", s.angleNoiseMgon, "noise", 0.0, 1000.0);
    TakeFinite(n, "distanceMm", s.distanceNoiseMm, "noise", 0.0, 1000.0);
    TakeFinite(n, "distancePpm", s.distanceNoisePpm, "noise", 0.0, 1000.0);
    TakeFinite(n, "tiltMgon", s.tiltNoiseMgon, "noise", 0.0, 1000.0);
  }
  if (j.contains("instrument")) ReadInstrument(j.at("instrument"), s);
  std::set<std::string> names;
  const json& prisms = j.at("prisms");
  if (!prisms.is_array()) throw Bad("prisms: must be a list");
  for (std::size_t i = 0; i < prisms.size(); ++i) {
    Prism p = ReadPrism(prisms.at(i), "prisms[" + std::to_string(i) + "]");
    if (!names.insert(p.name).second) throw Bad("prisms: name \"" + p.name + "\" twice");
    s.prisms.push_back(std::move(p));
  }
  if (j.contains("faults")) ReadFaults(j.at("faults"), s.faults);
}

}  // namespace

bool ParseLocalDateTime(std::string_view text, std::int64_t& ms) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') ||
      text[13] != ':' || text[16] != ':')
    return false;
  int v[6];
  const std::size_t at[6] = {0, 5, 8, 11, 14, 17}, len[6] = {4, 2, 2, 2, 2, 2};
  for (int i = 0; i < 6; ++i) {
    for (std::size_t k = 0; k < len[i]; ++k) {
      if (text[at[i] + k] < '0' || text[at[i] + k] > '9') return false;
    }
    v[i] = platform::ParseIntOr(text.substr(at[i], len[i]), -1);
  }
  if (v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > 31 || v[3] > 23 || v[4] > 59 || v[5] > 59) return false;
  ms = platform::MillisecondsFromCivil(platform::LocalDateTime{v[0], v[1], v[2], v[3], v[4], v[5], 0, 0});
  return true;
}

bool ParseClockTime(std::string_view text, int& minuteOfDay) {
  if (text.size() != 5 || text[2] != ':') return false;
  for (std::size_t i : {0u, 1u, 3u, 4u}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  const int h = platform::ParseIntOr(text.substr(0, 2), -1), m = platform::ParseIntOr(text.substr(3, 2), -1);
  if (h > 24 || m > 59 || (h == 24 && m != 0)) return false;
  minuteOfDay = h * 60 + m;
  return true;
}

bool ParseScenario(std::string_view text, Scenario& scenario, std::string& error) {
  try {
    Scenario s;
    ReadScenario(json::parse(text.begin(), text.end()), s);
    scenario = std::move(s);
    return true;
  } catch (const Bad& e) {
    error = e.what();
  } catch (const json::exception& e) {
    error = std::string("scenario: ") + e.what();
  } catch (const std::exception& e) {
    error = std::string("scenario: ") + e.what();
  }
  return false;
}

bool LoadScenarioFile(const std::filesystem::path& path, Scenario& scenario, std::string& error) {
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) {
    error = "cannot read " + platform::PathText(path);
    return false;
  }
  if (!ParseScenario(*bytes, scenario, error)) {
    error = platform::PathText(path) + ": " + error;
    return false;
  }
  return true;
}

}  // namespace vigil::sim
