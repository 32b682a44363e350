#include "demo/Screenshots.h"

#include <QApplication>

#include "platform/Files.h"
#include "ui/qt/DialogView.h"
#include "ui/qt/QtHost.h"

namespace vigil::demo {

namespace {

class NoScreenshots final : public Screenshots {
 public:
  bool Shoot(platform::Dialog&, const std::string&) override { return false; }
};

// A view made for one picture: the dialog keeps running on the scripted host, the Qt host
// only draws. Its key filter sees no keys: nothing is typed on an offscreen screen.
class QtScreenshots final : public Screenshots {
 public:
  QtScreenshots(platform::EventLoop& loop, const std::filesystem::path& deviceRoot,
                std::filesystem::path folder)
      : host_(loop, deviceRoot), folder_(std::move(folder)) {}

  bool Shoot(platform::Dialog& dialog, const std::string& name) override {
    if (!platform::CreateFolder(folder_)) return false;
    ui::qt::DialogView view(host_, dialog);
    view.show();
    QCoreApplication::processEvents();
    const std::filesystem::path path = folder_ / (name + ".png");
    if (!ui::qt::QtHost::SaveScreenshot(view, path)) return false;
    saved_.push_back(path);
    return true;
  }

 private:
  ui::qt::QtHost host_;
  std::filesystem::path folder_;
};

}  // namespace

std::unique_ptr<Screenshots> MakeScreenshots(bool enabled, platform::EventLoop& loop,
                                             const std::filesystem::path& deviceRoot,
                                             const std::filesystem::path& folder) {
  if (!enabled || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return std::make_unique<NoScreenshots>();
  }
  return std::make_unique<QtScreenshots>(loop, deviceRoot, folder);
}

}  // namespace vigil::demo
