#include "store/Translations.h"

#include <map>
#include <mutex>
#include <optional>

#include "platform/Files.h"
#include "platform/Text.h"
#include "store/KeyValueFile.h"

namespace vigil::store {

namespace {

// The file is read in one block of this size; the rest of a longer file is not looked at.
constexpr std::size_t kTranslationsReadBytes = 25600;

struct CachedFile {
  std::optional<platform::FileStamp> stamp;
  std::string text;  ///< UTF-8
};

// Every screen asks for its texts, a dozen times per reading: the file is read again only when
// its stamp changed, so a replaced file still takes effect on the next lookup.
KeyValueFile Load(const fs::path& path) {
  static std::mutex mutex;
  static std::map<fs::path, CachedFile> cache;
  const std::optional<platform::FileStamp> stamp = platform::StampOf(path);
  std::lock_guard lock(mutex);
  CachedFile& cached = cache[path];
  if (cached.stamp != stamp || !stamp) {
    cached.stamp = stamp;
    cached.text.clear();
    if (stamp && stamp->regular) {
      if (auto bytes = platform::ReadRegularFileBytes(path, kTranslationsReadBytes)) {
        cached.text = platform::Utf16LeToUtf8(*bytes);
      } else {
        cached.stamp.reset();  // unread: try again next time
      }
    }
  }
  return KeyValueFile(path, cached.text);
}

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
  return Lookup(Load(translationsFile), key, defaultText);
}

void TranslateAll(const fs::path& translationsFile, std::vector<TextEntry>& entries) {
  const KeyValueFile file = Load(translationsFile);
  for (auto& entry : entries) entry.translated = Lookup(file, entry.key, entry.defaultText);
}

}  // namespace vigil::store
