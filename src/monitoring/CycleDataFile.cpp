#include "monitoring/CycleDataFile.h"

#include <string>

#include "monitoring/CycleFileName.h"
#include "monitoring/CycleFileText.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::monitoring {

bool CycleDataFile::AppendCycleLine(const store::ProjectStationSettings& s, const CycleRow& row,
                                    const platform::LocalDateTime& now) {
  platform::CreateFolder(dataFolder_);
  if (cyclePath_.empty()) {
    // The names go into a file name: one that would leave the folder names no file.
    if (!platform::IsValidFileNamePart(s.station) || !platform::IsValidFileNamePart(s.project)) return false;
    const std::string base = DayBaseName(s.station, s.project, CycleFileDate(now));
    int n = NextCycleNumber(dataFolder_, base);
    std::filesystem::path path = dataFolder_ / platform::PathFromText(CycleFileName(base, n));
    while (platform::FileExists(path)) path = dataFolder_ / platform::PathFromText(CycleFileName(base, ++n));
    cyclePath_ = path;
  }
  std::string text = CycleDataLine(s, row);
  if (!platform::FileExists(cyclePath_)) text = CycleHeaderLine(s) + text;
  return platform::AppendUtf16File(cyclePath_, text);
}

}  // namespace vigil::monitoring
