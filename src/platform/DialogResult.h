// Results of modal dialogs and message boxes. Screens may end a dialog with their own
// values too (the settings sheet's Load ends it with 100).
#pragma once

namespace vigil::platform {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

}  // namespace vigil::platform
