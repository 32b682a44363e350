// How a resection result is put to the operator: the new station, its shift from the
// current one and the question whether to take it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "orientation/ResectionState.h"
#include "store/ProjectStationSettings.h"

namespace vigil::orientation {

/// The four result texts in display units; all empty while there is no result.
struct ResultTexts {
  std::string easting;
  std::string northing;
  std::string markLevel;  ///< level of the station mark: axis level minus instrument height
  std::string orientation;
};

ResultTexts ResultTextsOf(const store::ProjectStationSettings& s, const ResectionState& state);

/// Looks up an operator's text: key and default.
using Translator = std::function<std::string(std::string_view key, std::string_view defaultText)>;

/// The station, the signed shifts new minus current (mm in metres, else the display unit) and
/// the question. `translate` empty: the defaults.
std::string StationResultText(const store::ProjectStationSettings& s, const ResectionState& state,
                              const Translator& translate = {});

/// " [Count = n]" for a count above 0, else empty.
std::string CountSuffix(int count, const Translator& translate = {});

}  // namespace vigil::orientation
