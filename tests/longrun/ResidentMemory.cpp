#include "ResidentMemory.h"

#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::longrun {

std::uint64_t ResidentBytesOfStatm(std::string_view statm, std::uint64_t pageBytes) {
  const std::vector<std::string> fields = platform::Split(platform::Trim(statm), " ");
  int pages = 0;
  if (fields.size() < 2 || !platform::ScanInt(fields[1], pages) || pages < 0) return 0;
  return static_cast<std::uint64_t>(pages) * pageBytes;
}

std::uint64_t ResidentBytes() {
  // statm is plain ASCII, not one of the program's UTF-16 files.
  const std::optional<std::string> text = platform::ReadFileBytes("/proc/self/statm");
  const long page = ::sysconf(_SC_PAGESIZE);
  if (!text || page <= 0) return 0;
  return ResidentBytesOfStatm(*text, static_cast<std::uint64_t>(page));
}

}  // namespace vigil::longrun
