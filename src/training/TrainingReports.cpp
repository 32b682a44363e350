#include "training/TrainingReports.h"

#include <cmath>

#include "platform/Format.h"
#include "store/Placeholders.h"
#include "survey/Units.h"
#include "ui/CiCheck.h"

namespace vigil::training {
namespace {

using store::ProjectStationSettings;

std::string Angle(const ProjectStationSettings& s, double gon) {
  return survey::FormatAngle(s, gon, survey::AngleFormat::Current, false);
}

std::string PositionTitle(const Translator& tr, std::string_view name) {
  return store::FillPlaceholders(tr(texts::kPositionTitle), {{"{prism_name}", name}});
}

// "%s\n%s %s%s\n%s %s%s\n%s %s %s\n\n": a position title and three labelled values.
std::string PositionBlock(const ProjectStationSettings& s, const Translator& tr, std::string_view name,
                          std::string_view ha, std::string_view va, std::string_view sd) {
  const std::string suffix = AngleSuffix(s);
  const std::string unit = survey::DistanceUnitLabel(s);
  return platform::Format("%s\n%s %s%s\n%s %s%s\n%s %s %s\n\n",
                          {PositionTitle(tr, name), tr(texts::kHorizontalAngle), ha, suffix,
                           tr(texts::kVerticalAngle), va, suffix, tr(texts::kSlopeDistance), sd, unit});
}

double Metres(const ProjectStationSettings& s, std::string_view displayText) {
  return platform::ParseDoubleOr(survey::DistanceToMetres(s, displayText), 0.0);
}

}  // namespace

std::string AngleSuffix(const ProjectStationSettings& s) {
  return survey::AngleUnitOf(s) == survey::AngleUnit::DegMinSec ? "" : " gon";
}

double HaDifferenceGon(double aGon, double bGon) {
  const double d = std::fmod(std::fabs(aGon - bGon), 400.0);
  return std::fmin(d, 400.0 - d);
}

std::string RetrainQuestionText(const ProjectStationSettings& s, const Translator& tr, std::string_view name,
                                const survey::Reading& reading, const TrainingPoint& known, double dSdMm) {
  const std::string distance = platform::FormatFixed(dSdMm, 1);
  std::string text = store::FillPlaceholders(
      tr(texts::kDistFromKnown),
      {{"{prism_name}", name}, {"{distance}", distance}, {"{known_prism_name}", known.name}});
  text += "\n\n";
  text += PositionBlock(s, tr, name, Angle(s, reading.haGon), Angle(s, reading.vaGon),
                        survey::FormatDistance(s, reading.sdMetres));
  text += PositionBlock(s, tr, known.name, known.ha, known.va, known.sd);
  text += tr(texts::kWishToContinue);
  return text;
}

std::string RetrainSuccessText(const ProjectStationSettings& s, const Translator& tr, std::string_view name,
                               const survey::Reading& reading) {
  const std::string suffix = AngleSuffix(s);
  return platform::Format(
      "%s\n\n%s %s%s\n%s %s%s\n%s %s %s",
      {store::FillPlaceholders(tr(texts::kTrainingSuccess), {{"{prism_name}", name}}),
       tr(texts::kHorizontalAngle), Angle(s, reading.haGon), suffix, tr(texts::kVerticalAngle),
       Angle(s, reading.vaGon), suffix, tr(texts::kSlopeDistance),
       survey::FormatDistance(s, reading.sdMetres), survey::DistanceUnitLabel(s)});
}

std::string VerifyText(const ProjectStationSettings& s, const Translator& tr, std::string_view name,
                       const survey::Reading& reading, const TrainingPoint& stored) {
  const std::string suffix = AngleSuffix(s);
  const std::string unit = survey::DistanceUnitLabel(s);
  auto angleLine = [&](const TextKey& label, std::string_view value) {
    return platform::Format("%s: %s%s \n", {tr(label), value, suffix});
  };
  auto distanceLine = [&](const TextKey& label, std::string_view value) {
    return platform::Format("%s: %s %s\n", {tr(label), value, unit});
  };
  auto differenceLine = [&](const TextKey& label, double metres) {
    if (unit == "m") return platform::Format("%s: %.1lf mm\n", {tr(label), metres * 1000.0});
    return distanceLine(label, survey::FormatDistance(s, metres));
  };
  const double storedHa = platform::ParseDoubleOr(survey::ParseAngle(s, stored.ha), 0.0);
  const double storedVa = platform::ParseDoubleOr(survey::ParseAngle(s, stored.va), 0.0);

  std::string text = PositionTitle(tr, name) + "\n\n";
  text += angleLine(texts::kCurrentHa, Angle(s, reading.haGon));
  text += angleLine(texts::kCurrentVa, Angle(s, reading.vaGon));
  text += distanceLine(texts::kCurrentSd, survey::FormatDistance(s, reading.sdMetres));
  text += angleLine(texts::kInitialHa, stored.ha);
  text += angleLine(texts::kInitialVa, stored.va);
  text += distanceLine(texts::kInitialSd, stored.sd);
  // Across north 399.9 and 0.1 gon are 0.2 gon apart, not 399.8.
  text += angleLine(texts::kDiffHa, Angle(s, HaDifferenceGon(reading.haGon, storedHa)));
  text += angleLine(texts::kDiffVa, Angle(s, std::fabs(reading.vaGon - storedVa)));
  text += differenceLine(texts::kDiffSd, std::fabs(reading.sdMetres - Metres(s, stored.sd)));
  text += differenceLine(texts::kDiffEasting, std::fabs(reading.eastingMetres - Metres(s, stored.easting)));
  text +=
      differenceLine(texts::kDiffNorthing, std::fabs(reading.northingMetres - Metres(s, stored.northing)));
  text += differenceLine(texts::kDiffRl, std::fabs(reading.rlMetres - Metres(s, stored.rl)));
  return text;
}

std::string CiText(const ProjectStationSettings& s, const CiReadings& r) {
  const std::string suffix = AngleSuffix(s);
  auto dms = [&](double gon) { return survey::FormatAngle(s, gon, survey::AngleFormat::Degrees, false); };
  const ui::CiErrors errors = ui::ComputeCiErrors({r.face1HaGon, r.face1VaGon}, {r.face2HaGon, r.face2VaGon});
  std::string text = "F1 Reading:\n";
  text += platform::Format("Ha: %s%s \n", {Angle(s, r.face1HaGon), suffix});
  text += platform::Format("Va: %s%s \n", {Angle(s, r.face1VaGon), suffix});
  text += "\nF2 Reading:\n";
  text += platform::Format("Ha: %s%s \n", {Angle(s, r.face2HaGon), suffix});
  text += platform::Format("Va: %s%s \n", {Angle(s, r.face2VaGon), suffix});
  text += "\nC&I:\n";
  text += platform::Format("C: %s \n", {dms(errors.cGon)});
  text += platform::Format("I: %s \n", {dms(errors.iGon)});
  return text;
}

}  // namespace vigil::training
