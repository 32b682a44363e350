#include "app/AppOptions.h"

#include "platform/Format.h"

namespace vigil::app {

namespace {

// Digits with at most one point: ScanDouble alone would take "2x" as 2.
bool PlainNumber(std::string_view text) {
  int points = 0;
  int digits = 0;
  for (char c : text) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

}  // namespace

std::string UsageText() {
  return "usage: VigilStation [--home DIR] [--device-root DIR] [--runtime-dir DIR]\n"
         "                    [--sim SCENARIO] [--scale N] [--no-trace] [--resume] [--no-window]\n"
         "                    [--help]\n"
         "       VigilStation --demo FOLDER [--days N] [--sim SCENARIO] [--no-screens]\n"
         "  --home DIR         program folder (default: the folder of the program file)\n"
         "  --device-root DIR  folder that stands for the controller's root (default: HOME/device)\n"
         "  --runtime-dir DIR  folder of the window-message sockets\n"
         "  --sim SCENARIO     start the simulated instrument when no Basic-mode application is there\n"
         "  --scale N          draw the 320 x 240 screen N times larger (1 to 8)\n"
         "  --no-trace         write no link trace (default: every command and reply, with its time,\n"
         "                     in HOME/Trace/link.log and link.1.log, at most 1 MiB each)\n"
         "  --resume           at start, take monitoring up again after a countdown when the program last\n"
         "                     ran Enabled with the schedule armed and that project-station has\n"
         "                     resume_after_restart=1 (state in HOME/Station/resume.state)\n"
         "  --no-window        run without a screen (a service): message boxes are answered with their\n"
         "                     default and written to standard error; the schedule drives monitoring\n"
         "  --demo FOLDER      run the whole program headless against the simulated site (default\n"
         "                     sim/scenarios/dam-wall.json) and leave its files in FOLDER\n"
         "  --days N           simulated days of scheduled cycles in the demo (1 to 366, default 3)\n"
         "  --no-screens       the demo draws no pictures of the screens\n";
}

AppOptions ParseAppOptions(const std::vector<std::string_view>& arguments) {
  AppOptions options;
  const auto fail = [&options](std::string why) {
    if (options.error.empty()) options.error = std::move(why);
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view arg = arguments[i];
    if (arg.substr(0, 2) != "--") continue;  // Qt's
    if (arg == "--help") {
      options.help = true;
      continue;
    }
    if (arg == "--no-trace") {
      options.linkTrace = false;
      continue;
    }
    if (arg == "--no-screens") {
      options.noScreens = true;
      continue;
    }
    if (arg == "--resume") {
      options.resume = true;
      continue;
    }
    if (arg == "--no-window") {
      options.noWindow = true;
      continue;
    }
    std::string* target = nullptr;
    if (arg == "--home") {
      target = &options.home;
    } else if (arg == "--device-root") {
      target = &options.deviceRoot;
    } else if (arg == "--runtime-dir") {
      target = &options.runtimeDir;
    } else if (arg == "--sim") {
      target = &options.simScenario;
    } else if (arg == "--demo") {
      target = &options.demoFolder;
    } else if (arg != "--scale" && arg != "--days") {
      fail("unknown option " + std::string(arg));
      continue;
    }
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
      fail(std::string(arg) + " needs a value");
      continue;
    }
    const std::string_view value = arguments[++i];
    if (target != nullptr) {
      *target = std::string(value);
      continue;
    }
    if (arg == "--days") {
      int days = 0;
      if (value.find('.') != std::string_view::npos || !PlainNumber(value) ||
          !platform::ScanInt(value, days) || days < 1 || days > kMaxDemoDays) {
        fail("--days must be a whole number from 1 to 366, not " + std::string(value));
        continue;
      }
      options.demoDays = days;
      continue;
    }
    double scale = 0.0;
    if (!PlainNumber(value) || !platform::ScanDouble(value, scale) ||
        !(scale >= kMinScale && scale <= kMaxScale)) {
      fail("--scale must be a number from 1 to 8, not " + std::string(value));
      continue;
    }
    options.scale = scale;
  }
  if (options.error.empty() && options.demoFolder.empty()) {
    for (std::string_view arg : arguments) {
      if (arg == "--days" || arg == "--no-screens") fail(std::string(arg) + " belongs to --demo");
    }
  }
  return options;
}

}  // namespace vigil::app
