// setup: installs the program package that lies beside it onto the instrument, or removes it.
#include <QApplication>
#include <iostream>
#include <memory>
#include <string_view>

#include "installer/HeadlessRun.h"
#include "installer/InstallerDialog.h"
#include "installer/ModelDriver.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/QtTimeDriver.h"

namespace {

constexpr std::string_view kUsage =
    "usage: setup [--home PACKAGE_FOLDER] [--device-root DIR] [--headless ACTION [--delete-data]] [--help]\n"
    "  without --headless the installer opens in a window\n"
    "  ACTION: show, install, uninstall or tool; exit code 0 when it ran to its end\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace vigil;
  const platform::Paths paths = platform::Paths::FromCommandLine(argc, argv);
  bool headless = false;
  bool deleteData = false;
  installer::HeadlessAction action = installer::HeadlessAction::Show;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--headless") {
      headless = true;
      if (i + 1 >= argc || !installer::ParseHeadlessAction(argv[++i], action)) {
        std::cerr << kUsage;
        return 2;
      }
    } else if (arg == "--delete-data") {
      deleteData = true;
    } else if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--home" || arg == "--device-root") {
      ++i;
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }
  // Qt takes its own options (a single dash) out of the command line first.
  std::unique_ptr<QApplication> application;
  if (!headless) application = std::make_unique<QApplication>(argc, argv);

  // The strings lie beside the program file; --home names the package, which may lie elsewhere.
  const std::filesystem::path programFolder = platform::Paths::RunningProgramFolder();
  auto strings = installer::InstallerStrings::Load(programFolder / installer::kStringsFileName);
  if (!strings)
    strings = installer::InstallerStrings::Load(paths.ProgramFolder() / installer::kStringsFileName);
  if (!strings) {
    std::cerr << "setup: the strings file " << installer::kStringsFileName
              << " is missing beside the program in " << platform::PathText(programFolder)
              << " and in the package folder " << platform::PathText(paths.ProgramFolder()) << "\n";
    return 1;
  }
  installer::ModelFamily models([&paths] { return installer::QueryModelDriver(paths); });
  installer::InstallerContext context{paths, &*strings, &models, installer::VolumeFreeBytes,
                                      VIGIL_SETUP_VERSION};
  if (headless) {
    platform::EventLoop loop(std::make_unique<platform::RealTimeDriver>());
    installer::InstallerDialog dialog(std::move(context));
    return installer::RunHeadless(dialog, loop, *strings, action, deleteData, std::cout);
  }
  platform::EventLoop loop(std::make_unique<ui::qt::QtTimeDriver>());
  ui::qt::QtHost host(loop, paths.DeviceRoot());
  installer::InstallerDialog dialog(std::move(context));
  host.RunModal(dialog);
  return 0;
}
