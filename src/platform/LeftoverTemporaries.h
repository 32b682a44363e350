// Temporary files that a stopped program left behind (a kill or a power cut between writing a
// temporary file and putting it in place). Those beside replaced files only hold a newer
// version that was never taken; those beside appended files hold the first lines of a new
// file, readings that may be stored nowhere else.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vigil::platform {

struct LeftoverReport {
  int removed = 0;                     ///< temporaries dropped, nothing in them lost
  std::vector<std::string> recovered;  ///< files put in place from their temporary (names)
  std::vector<std::string> setAside;   ///< temporaries kept under a name of their own (names)
  bool operator==(const LeftoverReport&) const = default;
};

/// True for a name the file layer gives its temporaries ("<target>.tmp<pid>-<n>"); the
/// process id is stored in `pid`.
bool IsTemporaryName(const std::string& name, int& pid);

/// Clears the temporaries in `folder` whose process no longer runs. With `appended` the
/// folder's files are only ever created whole and appended to: a temporary whose lines are
/// already the start of its file is dropped; one whose file is missing is put in place when
/// it ends with a whole UTF-16 CR LF line; any other is renamed "<target>.recovered<pid>-<n>"
/// and kept. Without `appended` every leftover temporary is dropped.
void ClearLeftoverTemporaries(const std::filesystem::path& folder, bool appended, LeftoverReport& report);

}  // namespace vigil::platform
