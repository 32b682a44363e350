// Copying cycle data files off the instrument to external storage, and freeing the
// instrument's space afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::monitoring {

/// Names of every data file ("*.vgl") in the data folder, of all project-stations.
std::vector<std::string> DataFileNames(const std::filesystem::path& dataFolder);

/// The file name after the last "\" (or "/") of a path text.
std::string FileNameOfPathText(std::string_view pathText);

/// Copies `from` into `toFolder` under its own name, replacing a file there. False when the
/// copy failed, or when the target is the source itself (nothing would be copied, and a
/// deletion afterwards would lose the file).
bool CopyIntoFolder(const std::filesystem::path& from, const std::filesystem::path& toFolder);

struct CopyAllOutcome {
  int copied = 0;
  int failed = 0;
  int deleted = 0;
};

/// Copies each named file of `dataFolder` into `toFolder`; with `deleteCopied` a file is
/// deleted only after its own copy succeeded. A failed copy keeps its file.
CopyAllOutcome CopyDataFiles(const std::filesystem::path& dataFolder, const std::vector<std::string>& names,
                             const std::filesystem::path& toFolder, bool deleteCopied);

}  // namespace vigil::monitoring
