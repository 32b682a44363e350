#include "web/RequestTarget.h"

namespace vigil::web {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// UTF-8 as the browsers send it: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    unsigned min = 0, cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, min = 0x80, cp = c & 0x1Fu;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, min = 0x800, cp = c & 0x0Fu;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, min = 0x10000, cp = c & 0x07u;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

// Percent-decoding of one piece; '+' is a space in a query only.
bool Decode(std::string_view in, bool plusIsSpace, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c == '%') {
      if (i + 2 >= in.size()) return false;
      const int hi = HexValue(in[i + 1]), lo = HexValue(in[i + 2]);
      if (hi < 0 || lo < 0) return false;
      c = static_cast<char>(hi * 16 + lo);
      i += 2;
    } else if (c == '+' && plusIsSpace) {
      c = ' ';
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    out += c;
  }
  return IsUtf8(out);
}

bool RawByteAllowed(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u > 0x20 && u < 0x7F && c != '#' && c != '"' && c != '<' && c != '>' && c != '\\' && c != '`' &&
         c != '{' && c != '}' && c != '|' && c != '^';
}

}  // namespace

TargetStatus ParseRequestTarget(std::string_view target, RequestTarget& out) {
  out = RequestTarget{};
  if (target.size() > kMaxTargetBytes) return TargetStatus::kTooLong;
  if (target.empty() || target.front() != '/') return TargetStatus::kBadRequest;
  for (char c : target) {
    if (!RawByteAllowed(c)) return TargetStatus::kBadRequest;
  }
  const std::size_t q = target.find('?');
  std::string_view path = target.substr(0, q);
  const std::string_view query = q == std::string_view::npos ? std::string_view() : target.substr(q + 1);

  path.remove_prefix(1);
  if (!path.empty() && path.back() == '/') path.remove_suffix(1);
  std::string piece;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view raw = path.substr(0, slash);
    if (!Decode(raw, false, piece) || piece.empty() || piece == "." || piece == "..")
      return TargetStatus::kBadRequest;
    if (out.segments.size() == kMaxSegments) return TargetStatus::kBadRequest;
    out.segments.push_back(piece);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (slash != std::string_view::npos && path.empty()) return TargetStatus::kBadRequest;  // "a//"
  }

  std::string_view rest = query;
  while (!rest.empty()) {
    const std::size_t amp = rest.find('&');
    const std::string_view pair = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    if (pair.empty()) continue;
    const std::size_t eq = pair.find('=');
    std::string key, value;
    if (!Decode(pair.substr(0, eq), true, key) || key.empty()) return TargetStatus::kBadRequest;
    if (eq != std::string_view::npos && !Decode(pair.substr(eq + 1), true, value))
      return TargetStatus::kBadRequest;
    if (out.query.size() == kMaxQueryKeys || !out.query.emplace(key, value).second)
      return TargetStatus::kBadRequest;
  }
  return TargetStatus::kOk;
}

std::string EncodeSegment(std::string_view text) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

}  // namespace vigil::web
