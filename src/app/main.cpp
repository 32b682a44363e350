// VigilStation: the monitoring program in a window.
#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppOptions.h"
#include "app/Station.h"
#include "platform/Format.h"
#include "platform/Paths.h"

namespace {

void Print(std::FILE* to, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), to);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vigil;
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const app::AppOptions options = app::ParseAppOptions(arguments);
  if (!options.error.empty()) {
    Print(stderr, "VigilStation: " + options.error + "\n" + app::UsageText());
    return 2;
  }
  if (options.help) {
    Print(stdout, app::UsageText());
    return 0;
  }
  // Qt reads the scale when it starts; the dialogs keep their 320 x 240 pixels.
  if (options.scale != 1.0) qputenv("QT_SCALE_FACTOR", platform::FormatFixed(options.scale, 2).c_str());
  const platform::Paths paths = platform::Paths::FromCommandLine(argc, argv);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("VigilStation"));
  return app::RunStation(options, paths);
}
