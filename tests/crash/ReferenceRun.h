// The scenario run once with every file operation allowed, recording each operation and the
// stored files as they were just before it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "StationScenario.h"
#include "StoredFiles.h"
#include "platform/Files.h"

namespace vigil::crashtest {

struct RecordedOperation {
  platform::FileOp op = platform::FileOp::Read;
  std::string relative;  ///< the path below the program folder
  FolderState before;    ///< stored files (no temporaries) just before it
};

struct ReferenceRun {
  ScenarioOutcome outcome;
  std::vector<RecordedOperation> operations;
  FolderState after;  ///< everything at the end
};

ReferenceRun RecordReferenceRun(const std::filesystem::path& home, const ScenarioOptions& options = {});

/// Writes that change stored files (reads and folder checks excluded).
bool ChangesFiles(platform::FileOp op);

/// The operation's kind and file kind, for messages: "Rename Training/PROJ_STN1.ini".
std::string Describe(const RecordedOperation& op);

}  // namespace vigil::crashtest
