// A small site known exactly, and the text of a noise-free cycle file measured on it from a
// pillar that may have moved and twisted since training: four references, three monitoring
// prisms (one moved, one seen in face 2 only) and one that always failed.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "evaluation/TrainedPoints.h"
#include "monitoring/CycleColumns.h"
#include "monitoring/CycleFileText.h"
#include "platform/Format.h"
#include "survey/Coordinates.h"

namespace vigil::evaluation::test {

inline const char* const kGonHeader =
    "Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa(gons)\tVa(gons)\tSD(m)\tPressure (hPa)\tTemp "
    "(°C)\tPPM\t"
    "Easting (m)\tNorthing (m)\tRL (m)\tTilt-X\tTilt-Y\r\n";

struct SitePoint {
  const char* name;
  int type;  // 0 reference, 2 monitoring
  double e, n, h;
  double movedEastMm, movedNorthMm, movedLevelMm;
  int faces;  // 1: face 1 only, 2: both, -2: face 2 only, 0: every reading failed
};

inline const SitePoint kSite[] = {
    {"R1", 0, 2324.605, 5453.764, 452.31, 0, 0, 0, 2},
    {"R2", 0, 2567.372, 5139.967, 449.87, 0, 0, 0, 2},
    {"R3", 0, 2400.0, 4980.0, 430.0, 0, 0, 0, 2},
    {"R4", 0, 2080.0, 5150.0, 445.0, 0, 0, 0, 2},
    {"M1", 2, 2385.020, 5239.036, 441.17, 3.0, -2.0, 1.0, 2},
    {"M2", 2, 2343.068, 5302.656, 441.20, 0, 0, 0, 2},
    {"M3", 2, 2365.363, 5209.484, 428.35, 0, 5.0, 0, -2},
    {"M4", 2, 2426.419, 5209.890, 441.21, 0, 0, 0, 0},
};

inline std::vector<TrainedPoint> Trained(const survey::StationPosition& station) {
  std::vector<TrainedPoint> out;
  for (const SitePoint& p : kSite) {
    const survey::Observation o = survey::ComputeHaVaSd(station, p.e, p.n, p.h);
    out.push_back({p.name, p.type, o.haGon, o.vaGon, o.sdMetres, p.e, p.n, p.h});
  }
  return out;
}

// The program measured with its station as set at training; the pillar has since moved
// to `truth` and twisted by `twistMgon`; the points have moved `scale` times their movement.
// Noise free, three readings per face.
inline std::string CycleText(const survey::StationPosition& asSet, const survey::StationPosition& truth,
                             double twistMgon, int cycle = 3, const char* date = "08-12-2026",
                             double scale = 1.0) {
  store::ProjectStationSettings s;
  std::string text = kGonHeader;
  int second = 0;
  for (const SitePoint& p : kSite) {
    const survey::Observation o =
        survey::ComputeHaVaSd(truth, p.e + scale * p.movedEastMm * 1e-3, p.n + scale * p.movedNorthMm * 1e-3,
                              p.h + scale * p.movedLevelMm * 1e-3);
    for (int face : {1, 2}) {
      if ((p.faces == 1 && face == 2) || (p.faces == -2 && face == 1)) continue;
      for (int repeat = 0; repeat < 3; ++repeat) {
        survey::Reading r;
        r.haGon = survey::NormaliseAngle(o.haGon - twistMgon * 0.001);
        r.vaGon = o.vaGon;
        r.sdMetres = o.sdMetres;
        const double h = r.haGon * survey::kGonToRadians, v = r.vaGon * survey::kGonToRadians;
        monitoring::CycleRow row;
        row[monitoring::kCycleEpoch] = "4";
        row[monitoring::kCycleNumber] = platform::FormatInt(cycle);
        row[monitoring::kCycleRound] = "1";
        row[monitoring::kCycleDate] = date;
        row[monitoring::kCycleTime] = platform::Format("09:%02d:%02d", {second / 60, second % 60});
        row[monitoring::kCyclePoint] = p.name;
        row[monitoring::kCycleFace] = face == 1 ? "1" : "2";
        const survey::Observation seen = face == 1 ? survey::Observation{r.haGon, r.vaGon, r.sdMetres}
                                                   : survey::OtherFace({r.haGon, r.vaGon, r.sdMetres});
        row[monitoring::kCycleHa] = platform::FormatFixed(seen.haGon, 5);
        row[monitoring::kCycleVa] = platform::FormatFixed(seen.vaGon, 5);
        row[monitoring::kCycleSd] = platform::FormatFixed(r.sdMetres, 4);
        if (p.faces != 0) {
          row[monitoring::kCycleEasting] =
              platform::FormatFixed(asSet.eastingMetres + r.sdMetres * std::sin(h) * std::sin(v), 4);
          row[monitoring::kCycleNorthing] =
              platform::FormatFixed(asSet.northingMetres + r.sdMetres * std::cos(h) * std::sin(v), 4);
          row[monitoring::kCycleRl] = platform::FormatFixed(asSet.levelMetres + r.sdMetres * std::cos(v), 4);
        }
        text += monitoring::CycleDataLine(s, row);
        second += 8;
      }
    }
  }
  return text;
}

}  // namespace vigil::evaluation::test
