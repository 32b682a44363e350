// Coordinate file bytes: every line taken must be a usable point (a name the training file
// can hold, plain numbers), and the lines taken, written back as a file, must read back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Format.h"
#include "platform/Text.h"
#include "training/CoordinateFile.h"
#include "training/PointNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vigil::training;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const CoordinateFileContent content = ParseCoordinateFile(bytes);
  if (content.result != CoordinateFileResult::Read) {
    if (!content.lines.empty() || content.skippedLines != 0) std::abort();
    return 0;
  }
  for (const CoordinateLine& line : content.lines) {
    if (!IsStorablePointName(line.name)) std::abort();
    for (const std::string* value : {&line.easting, &line.northing, &line.rl}) {
      double number = 0.0;
      if (value->size() > kMaxCoordinateValueChars || !vigil::platform::ScanDouble(*value, number))
        std::abort();
    }
  }
  const CoordinateFileContent again = ParseCoordinateFile(BuildCoordinateFile(content.lines, '\t'));
  if (again.lines != content.lines || again.skippedLines != 0) std::abort();
  return 0;
}
