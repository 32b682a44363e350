// The texts the training screen shows after a measurement: the retrain question and result,
// the verify report and the C&I result. Pure functions of the settings, the reading and the
// listed texts; `tr` translates a text.
#pragma once

#include <functional>
#include <string>

#include "store/ProjectStationSettings.h"
#include "survey/Reading.h"
#include "training/TrainingPoint.h"
#include "training/TrainingTexts.h"

namespace vigil::training {

using Translator = std::function<std::string(const TextKey&)>;

/// " gon" in gon mode, empty in degrees-minutes-seconds.
std::string AngleSuffix(const store::ProjectStationSettings& s);

/// The question when a retrained point `name` lies where `known` (listed) is: the distance,
/// the new reading, the known point's listed position and "Do you wish to continue?".
std::string RetrainQuestionText(const store::ProjectStationSettings& s, const Translator& tr,
                                std::string_view name, const survey::Reading& reading,
                                const TrainingPoint& known, double dSdMm);

/// "{prism_name} successfully trained." with the new Ha, Va and SD.
std::string RetrainSuccessText(const store::ProjectStationSettings& s, const Translator& tr,
                               std::string_view name, const survey::Reading& reading);

/// The reading against the stored row: both positions and the differences; in metres the
/// distance differences are millimetres with one decimal.
std::string VerifyText(const store::ProjectStationSettings& s, const Translator& tr, std::string_view name,
                       const survey::Reading& reading, const TrainingPoint& stored);

/// Face-1 and face-2 readings (gon) and the C and I errors, always in degrees-minutes-seconds.
struct CiReadings {
  double face1HaGon = 0.0;
  double face1VaGon = 0.0;
  double face2HaGon = 0.0;
  double face2VaGon = 0.0;
};
std::string CiText(const store::ProjectStationSettings& s, const CiReadings& readings);

/// |a - b| of two directions the short way round the circle (gon).
double HaDifferenceGon(double aGon, double bGon);

}  // namespace vigil::training
