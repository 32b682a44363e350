#include "orientation/ApplyResection.h"

#include <cstddef>

#include "platform/Format.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::orientation {

namespace {

bool ToMetres(const store::ProjectStationSettings& s, const std::string& display, double& metres) {
  return platform::ScanDouble(survey::DistanceToMetres(s, display), metres);
}

}  // namespace

ApplyResult ApplyResection(store::ProjectStationStore& station, training::TrainingStore& list,
                           ResectionState& state) {
  store::ProjectStationSettings& s = station.Settings();
  s.easting = state.res_e;
  s.northing = state.res_n;
  s.orientation = state.res_orientation;
  s.reduced_level = state.res_rl;

  ApplyResult result;
  result.stationSaved = station.SaveStationCoordinates();

  const survey::StationPosition from = survey::StationOf(s);
  for (std::size_t i = 0; i < list.Rows().size(); ++i) {
    training::TrainingPoint row = list.Rows()[i];
    double e = 0.0;
    double n = 0.0;
    double rl = 0.0;
    // A row without usable coordinates keeps its observation rather than getting one computed
    // from zeros.
    if (!ToMetres(s, row.easting, e) || !ToMetres(s, row.northing, n) || !ToMetres(s, row.rl, rl)) {
      ++result.rowsKept;
      continue;
    }
    const survey::Observation o = survey::ComputeHaVaSd(from, e, n, rl);
    row.ha = survey::FormatAngle(s, o.haGon, survey::AngleFormat::Current, false);
    row.va = survey::FormatAngle(s, o.vaGon, survey::AngleFormat::Current, false);
    row.sd = survey::FormatDistance(s, o.sdMetres);
    list.SetTrainingRow(i, row);
  }
  result.trainingSaved = list.SaveTrainingFile();
  ResetResection(state);
  return result;
}

}  // namespace vigil::orientation
