// A package folder and a device root in a temporary folder, and the installer dialog run on
// the virtual clock by the scripted host. Every text is "#" and its number, so scripts name
// the messages they expect by number.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "TempFolder.h"
#include "installer/InstallerDialog.h"
#include "installer/InstallerMessages.h"
#include "installer/InstrumentPaths.h"
#include "installer/ModelDriver.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::installer::test {

namespace fs = std::filesystem;
using platform::kIdNo;
using platform::kIdOk;
using platform::kIdYes;

inline std::string M(int number) {
  return "#" + std::to_string(number);
}

inline void Put(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  ASSERT_TRUE(platform::WriteFileBytesAtomic(file, bytes)) << file;
}

inline std::optional<std::string> Get(const fs::path& file) {
  return platform::ReadFileBytes(file);
}

struct InstallerWorld : ::testing::Test {
  vigil::test::TempFolder temp;
  fs::path pkg = temp.path() / "card" / "pkg";
  fs::path root = temp.path() / "device";
  platform::Paths paths{pkg, root};
  InstallerStrings strings;
  std::optional<std::uint64_t> freeBytes = 100000000;
  ModelFamily models{[this] { return QueryModelDriver(paths); }};
  platform::EventLoop loop{std::make_unique<platform::VirtualTimeDriver>()};
  ui::ScriptedHost host{loop};
  std::unique_ptr<InstallerDialog> dialog;

  InstallerWorld() {
    for (int n = 1; n <= 80; ++n) strings.Set(n, M(n));
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
  }
  ~InstallerWorld() override { platform::SetFileFaultHook(nullptr); }

  // ---- The instrument -----------------------------------------------------------------------
  fs::path Dev(std::string_view controllerPath) const { return paths.Device(controllerPath); }
  /// The launcher program, and the internal storage volume it lives beside.
  void Launcher() {
    Put(Dev(kLauncherProgram), "launcher");
    fs::create_directories(Dev(kStorageVolume));
  }
  void Model(std::string_view name) {
    const ModelAnswer a = MakeModelAnswer(name);
    Put(Dev(kModelAnswerFile), std::string(a.begin(), a.end()));
  }

  // ---- The package ---------------------------------------------------------------------------
  void Script(const std::string& text) { Put(pkg / "SETUP.INI", platform::Utf8ToCp1252(text)); }
  void Record(const PackageRecord& record) { Put(pkg / "SETUP.DAT", record.ToBytes()); }
  PackageRecord StoredRecord() const {
    const auto bytes = Get(pkg / "SETUP.DAT");
    return bytes ? PackageRecord::FromBytes(*bytes).value_or(PackageRecord{}) : PackageRecord{};
  }
  void ProgramFile(const std::string& relative, const std::string& bytes) {
    Put(pkg / "PROGRAM" / "Gauge" / relative, bytes);
  }
  /// An executable shell script in the package.
  void Program(const std::string& relative, const std::string& body) {
    Put(pkg / relative, "#!/bin/sh\n" + body + "\n");
    fs::permissions(pkg / relative, fs::perms::owner_all, fs::perm_options::add);
  }

  /// A complete package of the family-2 model VS-201 without a cabinet: program folder
  /// "Gauge" with two files, INI file "gauge.ini".
  void StandardPackage(const std::string& extraScript = "") {
    Launcher();
    Model("VS-201");
    PackageRecord record;
    record.SetSupportsFamily(2, true);
    for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 30u, 79u})
      record.SetByte(i, static_cast<std::uint8_t>(0xC0 + i));
    Record(record);
    Script("[PRODUCT]\r\nNAME=Crack gauge\r\nVERSION=1.4\r\n" + extraScript);
    ProgramFile("gauge.bin", std::string(1000, 'g'));
    ProgramFile("help/gauge.txt", "help");
    Put(pkg / "INI" / "gauge.ini", "[gauge]\r\n");
  }

  InstallerDialog& Dialog() {
    if (!dialog) {
      InstallerContext context{paths, &strings, &models, [this](const fs::path&) { return freeBytes; },
                               "0.1.0"};
      dialog = std::make_unique<InstallerDialog>(std::move(context));
    }
    return *dialog;
  }
  int Run() { return host.Run(Dialog()); }

  /// Script steps of an Install answered Yes that ends with `endMessage`.
  void ScriptInstall(int endMessage = msg::kInstalled) {
    host.Press(kInstallId).AnswerMessageBox(M(msg::kAskInstall), kIdYes).AnswerMessageBox(M(endMessage));
  }
  void ScriptUninstall(int endMessage = msg::kUninstalled) {
    host.Press(kUninstallId).AnswerMessageBox(M(msg::kAskUninstall), kIdYes).AnswerMessageBox(M(endMessage));
  }

  /// Fails every change under the package folder, as a write-protected medium does.
  void WriteProtect() {
    const std::string prefix = platform::PathText(pkg);
    platform::SetFileFaultHook([prefix](platform::FileOp op, const fs::path& path) {
      const bool change = op != platform::FileOp::Read;
      return change && platform::StartsWith(platform::PathText(path), prefix)
                 ? platform::FaultAction::Fail
                 : platform::FaultAction::Proceed;
    });
  }
};

}  // namespace vigil::installer::test
