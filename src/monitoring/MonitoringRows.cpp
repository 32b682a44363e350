#include "monitoring/MonitoringRows.h"

#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::monitoring {
namespace {

// Display text of an expected angle in gon; a text that holds no angle stays as it is.
std::string ExpectedAngle(const store::ProjectStationSettings& s, const std::string& text, bool face2,
                          bool horizontal) {
  double gon = 0.0;
  if (!platform::ScanDouble(survey::ParseAngle(s, text), gon)) return text;
  if (face2) {
    if (horizontal) {
      gon = gon < 200.0 ? gon + 200.0 : gon - 200.0;
    } else {
      gon = 400.0 - gon;
    }
    // The turned-over angle is taken at the precision it is stored with.
    gon = platform::ParseDoubleOr(platform::FormatFixed(gon, 5), gon);
  }
  return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false);
}

void AddPointRows(const store::ProjectStationSettings& s, const training::TrainingPoint& p, int round,
                  bool face2, double cycleNumber, std::vector<MonitoringRow>& rows) {
  MonitoringRow row;
  row.cells[kCycleEpoch] = platform::FormatFixed(4.0, 0);
  row.cells[kCycleNumber] = platform::FormatFixed(cycleNumber, 0);
  row.cells[kCycleRound] = platform::Format("%d", {round});
  row.cells[kCyclePoint] = p.name;
  row.cells[kCycleFace] = face2 ? "2" : "1";
  row.cells[kCycleHa] = ExpectedAngle(s, p.ha, face2, true);
  row.cells[kCycleVa] = ExpectedAngle(s, p.va, face2, false);
  row.cells[kCycleSd] = p.sd;
  row.prismType = platform::ParseIntOr(p.prism_type, -1);
  row.refEasting = p.easting;
  row.refNorthing = p.northing;
  row.refRl = p.rl;
  for (int i = 0; i < s.repeat; ++i) rows.push_back(row);
}

}  // namespace

std::vector<MonitoringRow> BuildMonitoringRows(const store::ProjectStationSettings& s,
                                               const std::vector<training::TrainingPoint>& points,
                                               double cycleNumber) {
  std::vector<MonitoringRow> rows;
  for (int round = 1; round <= s.rounds; ++round) {
    for (const training::TrainingPoint& p : points) {
      AddPointRows(s, p, round, false, cycleNumber, rows);
      if (s.sequence == kEachPointBothFaces) AddPointRows(s, p, round, true, cycleNumber, rows);
    }
    if (s.sequence == kFace1ThenFace2) {
      for (const training::TrainingPoint& p : points) AddPointRows(s, p, round, true, cycleNumber, rows);
    }
  }
  return rows;
}

}  // namespace vigil::monitoring
