#include "monitoring/DataFileCopy.h"

#include <system_error>

#include "monitoring/CycleFileName.h"
#include "platform/Files.h"

namespace vigil::monitoring {

std::vector<std::string> DataFileNames(const std::filesystem::path& dataFolder) {
  return platform::FindFiles(dataFolder, "*." + std::string(kCycleFileExtension));
}

std::string FileNameOfPathText(std::string_view pathText) {
  const std::size_t slash = pathText.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? pathText : pathText.substr(slash + 1));
}

bool CopyIntoFolder(const std::filesystem::path& from, const std::filesystem::path& toFolder) {
  const std::filesystem::path to = toFolder / from.filename();
  std::error_code ec;
  if (std::filesystem::equivalent(from, to, ec)) return false;
  return platform::CopyFileTo(from, to, false);
}

CopyAllOutcome CopyDataFiles(const std::filesystem::path& dataFolder, const std::vector<std::string>& names,
                             const std::filesystem::path& toFolder, bool deleteCopied) {
  CopyAllOutcome outcome;
  for (const std::string& name : names) {
    const std::filesystem::path from = dataFolder / platform::PathFromText(name);
    if (!CopyIntoFolder(from, toFolder)) {
      ++outcome.failed;
      continue;
    }
    ++outcome.copied;
    if (deleteCopied && platform::DeleteFileAt(from)) ++outcome.deleted;
  }
  return outcome;
}

}  // namespace vigil::monitoring
