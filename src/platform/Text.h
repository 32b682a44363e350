// Text helpers. Text is held as UTF-8 in memory and converted to UTF-16LE only at the file
// and link edges.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vigil::platform {

/// UTF-16LE bytes to UTF-8. Lone surrogates are kept (encoded as three-byte sequences) so that
/// any file reads and writes back to the same bytes; an odd trailing byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytes);

/// UTF-8 to UTF-16LE bytes, the inverse of Utf16LeToUtf8. Invalid UTF-8 bytes become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

/// Number of UTF-16 code units the text takes.
std::size_t Utf16Length(std::string_view text);

/// 8-bit text of the system code page (Windows-1252) to UTF-8 and back; characters
/// that have no 8-bit form become '?'.
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);

/// Every occurrence of `from` replaced by `to` (left to right, not rescanned).
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

/// Splits at every occurrence of `separator`; n separators give n + 1 pieces.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

/// Joins with `separator` between the pieces.
std::string Join(const std::vector<std::string>& pieces, std::string_view separator);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view part);

/// ASCII upper / lower case; other characters unchanged.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

/// Removes ASCII white space at both ends.
std::string Trim(std::string_view text);

/// True when the name can be a file name in a folder of its own: not empty, not "." or "..",
/// no path separator, no control character, none of  : * ? " < > |  and at most
/// kMaxFileNameUnits UTF-16 code units. Names of projects, stations and points go into file
/// names, so everything that would leave its folder or fail on a memory card is refused.
bool IsValidFileNamePart(std::string_view name);
inline constexpr std::size_t kMaxFileNameUnits = 100;

}  // namespace vigil::platform
