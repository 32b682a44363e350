// The data file of the cycle being measured: named when its first reading is recorded, then
// appended to line by line.
#pragma once

#include <filesystem>

#include "monitoring/CycleColumns.h"
#include "platform/Clock.h"
#include "store/ProjectStationSettings.h"

namespace vigil::monitoring {

class CycleDataFile {
 public:
  explicit CycleDataFile(std::filesystem::path dataFolder) : dataFolder_(std::move(dataFolder)) {}

  /// A new cycle: its first recorded reading names a new file.
  void StartCycle() { cyclePath_.clear(); }

  /// Appends the row (behind the header when the file is new). The data folder is created
  /// when missing; the first row of a cycle names the file from the date of `now` and the
  /// day's next cycle number. False when the line was not written (it is then not stored).
  bool AppendCycleLine(const store::ProjectStationSettings& s, const CycleRow& row,
                       const platform::LocalDateTime& now);

  /// The file of the current cycle; empty before its first recorded reading.
  const std::filesystem::path& CurrentPath() const { return cyclePath_; }

 private:
  std::filesystem::path dataFolder_;
  std::filesystem::path cyclePath_;
};

}  // namespace vigil::monitoring
