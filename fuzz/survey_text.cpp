// Typed and stored angle and distance texts: nothing crashes, a conversion either returns the
// text as given or a number, and a number survives the trip through the display form.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Format.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace {

using vigil::platform::ScanDouble;
using namespace vigil::survey;

void Check(bool ok) {
  if (!ok) std::abort();
}

// The output is the input unchanged, or a number when the input held one.
bool NumberOrUnchanged(std::string_view in, const std::string& out, double& value) {
  if (ScanDouble(out, value)) return true;
  Check(out == in);
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  ProjectStationSettings s;
  s.angle_units = data[0] & 1;
  s.distance_unit = (data[0] >> 1) % 3;
  s.dist_standard = (data[0] >> 3) & 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  double gon = 0.0;
  if (NumberOrUnchanged(text, ParseAngle(s, text), gon) && std::isfinite(gon) && std::fabs(gon) < 1e6) {
    const std::string shown = FormatAngle(s, gon, AngleFormat::Current, false);
    double back = 0.0;
    Check(ScanDouble(ParseAngle(s, shown), back));
    Check(std::fabs(back - gon) <= 2e-5);
    FormatAngle(s, gon, AngleFormat::Current, true);
  }

  double metres = 0.0;
  if (NumberOrUnchanged(text, DistanceToMetres(s, text), metres) && std::fabs(metres) < 1e9) {
    double again = 0.0;
    Check(ScanDouble(DistanceToMetres(s, FormatDistance(s, metres)), again));
    Check(std::fabs(again - metres) <= 1e-4);  // two four-decimal roundings, one in feet or inches
    Check(ScanDouble(DistanceToMetres(s, MetresTextToDisplay(s, vigil::platform::FormatFixed(metres, 4))),
                     again));
    Check(std::fabs(again - metres) <= 1e-4);
  }
  double mm = 0.0;
  NumberOrUnchanged(text, PrismConstantToMm(s, text), mm);

  Reading r;
  ReduceReading(s, r, text, text, text, (data[0] & 0x10) != 0);
  MatchTrainingPoint(s, r, {{"P", std::string(text), std::string(text), std::string(text)}}, "");
  return 0;
}
