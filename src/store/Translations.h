// Looking up the operator's texts in the translations file. There is no cache: a replaced
// file takes effect on the next lookup.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::store {

namespace fs = std::filesystem;

/// One caption of a dialog: its key, its compiled default and the text to show.
struct TextEntry {
  std::string key;
  std::string defaultText;
  std::string translated;  ///< filled by TranslateAll
};

/// The text of `key` in `translationsFile`, its escapes resolved, or `defaultText` when the
/// file, the key or the value is missing or empty. Reads the file on every call.
std::string Translate(const fs::path& translationsFile, std::string_view key, std::string_view defaultText);

/// Translate for every entry, in order, reading the file once.
void TranslateAll(const fs::path& translationsFile, std::vector<TextEntry>& entries);

/// The two-character escapes "\r" and "\n" as carriage return and line feed ("\r" first).
/// No other escape exists: every other backslash stays.
std::string ResolveTranslationEscapes(std::string_view value);

}  // namespace vigil::store
