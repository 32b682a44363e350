#include "orientation/StationResultText.h"

#include "orientation/OrientationTexts.h"
#include "platform/Format.h"
#include "survey/Units.h"

namespace vigil::orientation {

namespace {

std::string Tr(const Translator& translate, const TextKey& text) {
  return translate ? translate(text.key, text.defaultText) : std::string(text.defaultText);
}

}  // namespace

ResultTexts ResultTextsOf(const store::ProjectStationSettings& s, const ResectionState& state) {
  if (!state.HasResult()) return {};
  return {survey::FormatDistance(s, state.res_e), survey::FormatDistance(s, state.res_n),
          survey::FormatDistance(s, state.res_rl - s.instrument_height),
          survey::FormatAngle(s, state.res_orientation, survey::AngleFormat::Current, false)};
}

std::string StationResultText(const store::ProjectStationSettings& s, const ResectionState& state,
                              const Translator& translate) {
  const ResultTexts t = ResultTextsOf(s, state);
  const std::string unit = survey::DistanceUnitLabel(s);
  const std::string gon = survey::AngleUnitOf(s) == survey::AngleUnit::Gon ? " gon" : "";
  std::string text = platform::Format("%s:\n%s: %s %s\n", {Tr(translate, texts::kStationCoord),
                                                           Tr(translate, texts::kEasting), t.easting, unit});
  text += platform::Format(
      "%s: %s %s\n%s: %s %s\n%s: %s%s\n",
      {Tr(translate, texts::kNorthing), t.northing, unit, Tr(translate, texts::kReducedLevel), t.markLevel,
       unit, Tr(translate, texts::kOrientation), t.orientation, gon});

  const bool metres = unit == "m";
  auto shift = [&](double differenceMetres) {
    return metres ? platform::FormatFixed(differenceMetres * 1000.0, 1)
                  : survey::FormatDistance(s, differenceMetres);
  };
  const std::string shiftUnit = metres ? "mm" : unit;
  text += platform::Format("%s: %s %s\n%s: %s %s\n%s: %s %s",
                           {Tr(translate, texts::kTolE), shift(state.res_e - s.easting), shiftUnit,
                            Tr(translate, texts::kTolN), shift(state.res_n - s.northing), shiftUnit,
                            Tr(translate, texts::kTolRl), shift(state.res_rl - s.reduced_level), shiftUnit});
  text += "\n\n" + Tr(translate, texts::kUpdateNow);
  return text;
}

std::string CountSuffix(int count, const Translator& translate) {
  if (count <= 0) return {};
  return platform::Format(" [%s = %d]", {Tr(translate, texts::kCount), count});
}

}  // namespace vigil::orientation
