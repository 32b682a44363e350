// Key=value file bytes: parse, write, parse again; every key must give the same value, the
// non-empty lines must be the same, and the written text must be stable. A value set into
// the file must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"
#include "store/KeyValueFile.h"

namespace {

std::vector<std::string> NonEmpty(const std::vector<std::string>& lines) {
  std::vector<std::string> result;
  for (const auto& line : lines) {
    if (!line.empty()) result.push_back(line);
  }
  return result;
}

// What a save followed by a load gives.
vigil::store::KeyValueFile WrittenAndRead(const vigil::store::KeyValueFile& file) {
  using vigil::platform::Utf16LeToUtf8;
  using vigil::platform::Utf8ToUtf16Le;
  const std::string text = vigil::store::KeyValueFile::JoinLines(file.Lines());
  return vigil::store::KeyValueFile("fuzz", Utf16LeToUtf8(Utf8ToUtf16Le(text)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vigil::store::KeyValueFile;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  KeyValueFile first("fuzz", vigil::platform::Utf16LeToUtf8(bytes));
  const KeyValueFile second = WrittenAndRead(first);
  if (NonEmpty(second.Lines()) != NonEmpty(first.Lines())) std::abort();
  for (const auto& line : first.Lines()) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    if (second.Get(key) != first.Get(key)) std::abort();
  }
  if (KeyValueFile::JoinLines(WrittenAndRead(second).Lines()) != KeyValueFile::JoinLines(second.Lines())) {
    std::abort();
  }

  // The first line's text as a value of the first line's key (or of "k").
  if (!first.Lines().empty()) {
    const std::string line = first.Lines().front();
    const auto eq = line.find('=');
    const std::string key = eq == std::string::npos ? "k" : line.substr(0, eq);
    if (first.Set(key, line)) {
      if (WrittenAndRead(first).Get(key) != line) std::abort();
    }
  }
  return 0;
}
