// Pictures of the screens while the demo runs: the dialog in front drawn by the Qt front end
// as it is at that moment, saved as PNG. Without Qt (or when not wanted) nothing is drawn.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/EventLoop.h"

namespace vigil::demo {

class Screenshots {
 public:
  virtual ~Screenshots() = default;
  /// Saves `dialog` as `name`.png; false when it could not be drawn or written.
  virtual bool Shoot(platform::Dialog& dialog, const std::string& name) = 0;
  const std::vector<std::filesystem::path>& Saved() const { return saved_; }

 protected:
  std::vector<std::filesystem::path> saved_;
};

/// Draws through the Qt front end into `folder` (a QApplication must exist), or, with
/// `enabled` false or no QApplication, does nothing.
std::unique_ptr<Screenshots> MakeScreenshots(bool enabled, platform::EventLoop& loop,
                                             const std::filesystem::path& deviceRoot,
                                             const std::filesystem::path& folder);

}  // namespace vigil::demo
