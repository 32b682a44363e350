// Training file bytes: load, write back, load again; the rows must not change, and the text
// written from them must be stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Text.h"
#include "store/ProjectStationSettings.h"
#include "training/TrainingStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vigil::training::TrainingStore;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  vigil::store::ProjectStationSettings settings;
  settings.const_custom_name = "Easting";  // a label that looks like a header must not hide points
  TrainingStore first(settings, {});
  first.LoadTrainingText(vigil::platform::Utf16LeToUtf8(bytes));
  const std::string text = first.BuildTrainingText();

  TrainingStore second(settings, {});
  second.LoadTrainingText(vigil::platform::Utf16LeToUtf8(vigil::platform::Utf8ToUtf16Le(text)));
  if (second.Rows() != first.Rows()) std::abort();
  if (second.BuildTrainingText() != text) std::abort();
  return 0;
}
