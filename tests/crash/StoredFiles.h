// The program's stored files as a crash leaves them: what kind each is, whether it reads back
// whole through the program's own readers, and whether a later state still holds what an
// earlier one had stored.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vigil::crashtest {

enum class StoredKind { Settings, Training, Cycle, Temporary, Other };

/// By folder and name: "Station/*.txt", "Training/*.ini", "*.vgl", and the temporary files
/// of an atomic replacement ("<name>.tmp<pid>-<n>").
StoredKind KindOf(const std::filesystem::path& relative);

/// The kind of the file an operation is for: a temporary file counts as its target.
StoredKind TargetKindOf(const std::filesystem::path& relative);

/// Every file below `folder` but the results database: relative path (generic form) to raw bytes.
using FolderState = std::map<std::string, std::string>;
FolderState ReadFolderState(const std::filesystem::path& folder);

/// The state without temporary files.
FolderState WithoutTemporaries(const FolderState& state);

/// Empty when `bytes` read as a whole file of `kind` (named `relative`); else what is wrong.
/// With `tornTailAllowed` a cycle file may end in a part of a line (the process was stopped
/// while appending it); the lines before must be whole.
std::string CheckStoredFile(const std::string& relative, const std::string& bytes, StoredKind kind,
                            bool tornTailAllowed);

/// A cycle file whose last line was cut short (or that is still empty).
bool HasTornTail(const std::string& bytes);

/// How a later state relates to an earlier one.
struct Comparison {
  std::vector<std::string> problems;  ///< files that do not read, or lost what was stored
  int files = 0;                      ///< stored files checked in the later state
  int temporaries = 0;                ///< left-over temporary files
  int tornTails = 0;                  ///< cycle files ending in a part of a line
  int replacedByNewer = 0;            ///< settings or training files newer than the earlier state
  int changed = 0;                    ///< stored files new or different since the earlier state
};

/// Every file of `later` must read whole; every settings or training file of `earlier` must be
/// there unchanged or as a newer whole file keeping its names (settings) or as many points
/// (training); every cycle file of `earlier` must be there and begin with its earlier bytes.
Comparison CompareStates(const FolderState& earlier, const FolderState& later);

}  // namespace vigil::crashtest
