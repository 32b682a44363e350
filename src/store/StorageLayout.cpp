#include "store/StorageLayout.h"

#include <string>

#include "platform/Files.h"

namespace vigil::store {

namespace {

fs::path JoinName(const fs::path& folder, std::string_view project, std::string_view station,
                  std::string_view extension) {
  std::string name(project);
  name += '_';
  name += station;
  name += extension;
  return folder / platform::PathFromText(name);
}

fs::path MediaFolder(const platform::Paths& paths, std::string_view name) {
  fs::path folder = paths.Device("\\" + std::string(name));
  return platform::FolderExists(folder) ? folder : fs::path();
}

}  // namespace

fs::path StorageLayout::StationFilePath(std::string_view project, std::string_view station) const {
  return JoinName(StationFolder(), project, station, ".txt");
}

fs::path StorageLayout::TrainingFilePath(std::string_view project, std::string_view station) const {
  return JoinName(TrainingFolder(), project, station, ".ini");
}

fs::path StorageLayout::CardPath() const {
  return MediaFolder(paths_, "Storage Card");
}

fs::path StorageLayout::UsbPath() const {
  return MediaFolder(paths_, "Removable Disk");
}

}  // namespace vigil::store
