// What the main window's Training button opens. The application keeps one of these beside
// its main window and calls Open from its hooks.
#pragma once

#include "training/TrainingDialog.h"
#include "ui/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowHooks.h"

namespace vigil::training {

class TrainingScreens {
 public:
  /// The download folder chooser of the storage screens; without one the training file is
  /// downloaded to the root of the card (or memory stick).
  void SetFolderBrowser(TrainingDialog::FolderBrowser browser) { browser_ = std::move(browser); }

  /// Runs the training screen modally; returns its result.
  int Open(ui::AppContext& context);

 private:
  TrainingDialog::FolderBrowser browser_;
};

/// Main-window hooks that open only the training screen; a program with more screens calls
/// TrainingScreens::Open from its own hooks.
class TrainingHooks : public ui::MainWindowHooks {
 public:
  explicit TrainingHooks(TrainingScreens& screens) : screens_(screens) {}
  void OpenTraining(ui::MainWindow& window) override { screens_.Open(window.Context()); }

 private:
  TrainingScreens& screens_;
};

}  // namespace vigil::training
