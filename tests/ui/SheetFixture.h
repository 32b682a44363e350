// A project-station store in a fresh program folder and a scripted host on the virtual
// clock, for driving the settings screens as an operator would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/BasicStateBracket.h"
#include "platform/Files.h"
#include "store/ProjectStationStore.h"
#include "ui/scripted/ScriptedHost.h"

namespace vigil::ui::test {

class SheetFixture : public ::testing::Test {
 protected:
  SheetFixture()
      : store_(store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))),
        loop_(std::make_unique<platform::VirtualTimeDriver>()),
        host_(loop_),
        bracket_(host_, {}) {
    host_.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
  }
  ~SheetFixture() override { platform::SetFileFaultHook(nullptr); }

  std::filesystem::path StationFolder() const { return store_.Layout().StationFolder(); }
  std::filesystem::path StationFile(const std::string& name) const {
    return StationFolder() / (name + ".txt");
  }
  std::string FileText(const std::filesystem::path& path) const {
    return platform::ReadUtf16File(path).value_or("<missing>");
  }
  void WriteFile(const std::filesystem::path& path, std::string_view text) {
    platform::CreateFolder(path.parent_path());
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(path, text));
  }
  /// Names of the files in the station folder.
  std::vector<std::string> StationFiles() const { return platform::FindFiles(StationFolder(), "*"); }

  vigil::test::TempFolder dir_;
  store::ProjectStationStore store_;
  platform::EventLoop loop_;
  ScriptedHost host_;
  platform::BasicStateBracket bracket_;
};

}  // namespace vigil::ui::test
