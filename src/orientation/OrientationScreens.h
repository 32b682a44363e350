// What the main window's Orientation button opens, and the one resection of the program that
// outlives the screens. The application keeps one of these beside its main window.
#pragma once

#include "orientation/ResectionState.h"
#include "ui/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowHooks.h"

namespace vigil::orientation {

class OrientationScreens {
 public:
  ResectionState& State() { return state_; }

  /// Runs the orientation screen modally; returns its result.
  int Open(ui::AppContext& context);

 private:
  ResectionState state_;
};

/// Main-window hooks that open only the orientation screen; for a program that has no other
/// screens to hook (a combined set of hooks calls OrientationScreens::Open instead).
class OrientationHooks : public ui::MainWindowHooks {
 public:
  explicit OrientationHooks(OrientationScreens& screens) : screens_(screens) {}
  void OpenOrientation(ui::MainWindow& window) override { screens_.Open(window.Context()); }

 private:
  OrientationScreens& screens_;
};

}  // namespace vigil::orientation
