// The program's folders and file names, and where removable media appear.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Paths.h"

namespace vigil::store {

namespace fs = std::filesystem;

class StorageLayout {
 public:
  explicit StorageLayout(platform::Paths paths) : paths_(std::move(paths)) {}

  const platform::Paths& Paths() const { return paths_; }

  fs::path ProgramFolder() const { return paths_.ProgramFolder(); }
  fs::path StationFolder() const { return ProgramFolder() / "Station"; }
  fs::path TrainingFolder() const { return ProgramFolder() / "Training"; }
  fs::path DataFolder() const { return ProgramFolder() / "Data"; }
  /// The link trace's two files.
  fs::path TraceFolder() const { return ProgramFolder() / "Trace"; }
  fs::path LanguageFolder() const { return ProgramFolder() / "Language"; }
  fs::path TranslationsFilePath() const { return LanguageFolder() / "translations.txt"; }

  /// "<station folder>/<project>_<station>.txt". Callers check the names first
  /// (platform::IsValidFileNamePart); this only joins.
  fs::path StationFilePath(std::string_view project, std::string_view station) const;

  /// "<training folder>/<project>_<station>.ini".
  fs::path TrainingFilePath(std::string_view project, std::string_view station) const;

  /// The CF card folder "\Storage Card" when it exists as a folder, else empty.
  fs::path CardPath() const;
  /// The USB memory folder "\Removable Disk" when it exists as a folder, else empty.
  fs::path UsbPath() const;

 private:
  platform::Paths paths_;
};

}  // namespace vigil::store
