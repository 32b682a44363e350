#include "ReferenceRun.h"

namespace vigil::crashtest {

namespace fs = std::filesystem;

ReferenceRun RecordReferenceRun(const fs::path& home, const ScenarioOptions& options) {
  ReferenceRun run;
  bool inHook = false;  // the snapshot reads files through the same layer
  platform::SetFileFaultHook([&](platform::FileOp op, const fs::path& path) {
    if (inHook) return platform::FaultAction::Proceed;
    inHook = true;
    run.operations.push_back(
        {op, fs::relative(path, home).generic_string(), WithoutTemporaries(ReadFolderState(home))});
    inHook = false;
    return platform::FaultAction::Proceed;
  });
  run.outcome = RunStationScenario(home, options);
  platform::SetFileFaultHook({});
  run.after = ReadFolderState(home);
  return run;
}

bool ChangesFiles(platform::FileOp op) {
  return op != platform::FileOp::Read;
}

std::string Describe(const RecordedOperation& op) {
  static constexpr const char* kNames[] = {"Read", "Write",  "Append",      "Rename",
                                           "Copy", "Delete", "CreateFolder"};
  return std::string(kNames[static_cast<int>(op.op)]) + " " + op.relative;
}

}  // namespace vigil::crashtest
