// VigilStation: the monitoring program in a window.
#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppOptions.h"
#include "app/Station.h"
#include "demo/DemoOptions.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Paths.h"

namespace {

void Print(std::FILE* to, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), to);
}

// The scenario named, or the default one beside the sources or the program.
std::filesystem::path DemoScenario(const std::string& given, const char* program) {
  if (!given.empty()) return vigil::platform::PathFromText(given);
  const std::filesystem::path relative = "sim/scenarios/dam-wall.json";
  std::error_code ec;
  const std::filesystem::path programFolder = std::filesystem::absolute(program, ec).parent_path();
  for (const std::filesystem::path& base :
       {std::filesystem::path(VIGIL_SOURCE_DIR), programFolder, programFolder.parent_path(),
        programFolder.parent_path().parent_path(), programFolder.parent_path().parent_path().parent_path(),
        std::filesystem::current_path(ec)}) {
    if (vigil::platform::FileExists(base / relative)) return base / relative;
  }
  return relative;
}

int RunDemo(const vigil::app::AppOptions& options, int argc, char** argv) {
  using namespace vigil;
  demo::DemoOptions demo;
  demo.outputFolder = std::filesystem::absolute(platform::PathFromText(options.demoFolder));
  demo.scenarioPath = DemoScenario(options.simScenario, argv[0]);
  demo.days = options.demoDays;
  demo.screens = !options.noScreens;
  if (demo.screens) {
    // Pictures come from the Qt front end, drawn where no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const demo::DemoReport report = demo::RunDemo(demo);
    Print(stdout, report.text);
    return report.exitCode;
  }
  const demo::DemoReport report = demo::RunDemo(demo);
  Print(stdout, report.text);
  return report.exitCode;
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
  if (!options.demoFolder.empty()) return RunDemo(options, argc, argv);
  // Qt reads the scale when it starts; the dialogs keep their 320 x 240 pixels.
  if (options.scale != 1.0) qputenv("QT_SCALE_FACTOR", platform::FormatFixed(options.scale, 2).c_str());
  const platform::Paths paths = platform::Paths::FromCommandLine(argc, argv);
  if (options.noWindow) return app::RunStation(options, paths);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("VigilStation"));
  return app::RunStation(options, paths);
}
