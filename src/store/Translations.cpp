#include "store/Translations.h"

#include "platform/Text.h"
#include "store/KeyValueFile.h"

namespace vigil::store {

namespace {

std::string Lookup(const KeyValueFile& file, std::string_view key, std::string_view defaultText) {
  const std::string value = file.Get(key);
  if (value.empty()) return std::string(defaultText);
  return ResolveTranslationEscapes(value);
}

}  // namespace

std::string ResolveTranslationEscapes(std::string_view value) {
  return platform::ReplaceAll(platform::ReplaceAll(value, "\\r", "\r"), "\\n", "\n");
}

std::string Translate(const fs::path& translationsFile, std::string_view key, std::string_view defaultText) {
  return Lookup(KeyValueFile(translationsFile), key, defaultText);
}

void TranslateAll(const fs::path& translationsFile, std::vector<TextEntry>& entries) {
  const KeyValueFile file(translationsFile);
  for (auto& entry : entries) entry.translated = Lookup(file, entry.key, entry.defaultText);
}

}  // namespace vigil::store
