// Cycle data file bytes: read the rows, write them back as data lines, read again; the rows
// must not change, and the name of the file must split the same way it was built.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "monitoring/CycleFileName.h"
#include "monitoring/CycleFileText.h"
#include "platform/Text.h"

namespace {

using vigil::monitoring::CycleRow;

bool HasLineBreak(const CycleRow& row) {
  for (const std::string& field : row) {
    if (field.find("\r\n") != std::string::npos) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace m = vigil::monitoring;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = vigil::platform::Utf16LeToUtf8(bytes);
  const auto rows = m::ParseCycleFileText(text);

  // Gon mode writes every field but the angles as it is; the angles only when they are
  // already in the packed form.
  const vigil::store::ProjectStationSettings gon;
  std::string written;
  for (const CycleRow& row : rows) {
    if (HasLineBreak(row)) std::abort();
    written += m::CycleDataLine(gon, row);
  }
  const auto again = m::ParseCycleFileText(written);
  if (again.size() != rows.size()) std::abort();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t c = 0; c < m::kCycleColumnCount; ++c) {
      if (c == m::kCycleHa || c == m::kCycleVa) continue;
      if (again[i][c] != rows[i][c]) std::abort();
    }
  }
  if (m::ParseCycleFileText(written + m::CycleHeaderLine(gon)).size() != rows.size()) std::abort();

  // Any text as a file name: a name the splitter accepts has a date and a number.
  if (const auto parts = m::SplitCycleFileName(text)) {
    if (parts->date.empty() || parts->cycle.empty()) std::abort();
  }
  return 0;
}
