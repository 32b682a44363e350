#include "replication/MaskedText.h"

#include <algorithm>
#include <vector>

namespace vigil::replication {

namespace {

constexpr std::string_view kMask = "***";

bool IsUri(std::string_view c) {
  return c.rfind("postgresql://", 0) == 0 || c.rfind("postgres://", 0) == 0;
}

// [begin, end) of every password value in `c`.
std::vector<std::pair<std::size_t, std::size_t>> PasswordSpans(std::string_view c) {
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  if (IsUri(c)) {
    const std::size_t authority = c.find("://") + 3;
    const std::size_t slash = c.find_first_of("/?", authority);
    const std::size_t at = c.substr(0, slash).rfind('@');
    if (at != std::string_view::npos && at > authority) {
      const std::size_t colon = c.substr(0, at).find(':', authority);
      if (colon != std::string_view::npos) spans.emplace_back(colon + 1, at);
    }
  }
  constexpr std::string_view kKey = "password";
  for (std::size_t k = c.find(kKey); k != std::string_view::npos; k = c.find(kKey, k + 1)) {
    std::size_t i = k + kKey.size();
    while (i < c.size() && (c[i] == ' ' || c[i] == '\t')) ++i;
    if (i >= c.size() || c[i] != '=') continue;
    ++i;
    while (i < c.size() && (c[i] == ' ' || c[i] == '\t')) ++i;
    std::size_t end = i;
    if (end < c.size() && c[end] == '\'') {
      for (++end; end < c.size() && c[end] != '\''; ++end) {
        if (c[end] == '\\') ++end;
      }
      end = std::min(end + 1, c.size());
    } else {
      while (end < c.size() && c[end] != ' ' && c[end] != '\t' && c[end] != '&' && c[end] != '\n') ++end;
    }
    if (end > i) spans.emplace_back(i, end);
  }
  return spans;
}

std::string Replaced(std::string text, std::string_view secret) {
  if (secret.empty()) return text;
  for (std::size_t p = text.find(secret); p != std::string::npos; p = text.find(secret, p + kMask.size()))
    text.replace(p, secret.size(), kMask);
  return text;
}

// The words of a connection string the client library could not read, in whatever quotes its
// language uses, and any word of the string itself: one may be a piece of a password.
std::string WithoutQuotedWords(std::string text, std::string_view connection) {
  static const std::pair<std::string_view, std::string_view> kQuotes[] = {
      {"\"", "\""},         {"\u00bb", "\u00ab"}, {"\u00ab", "\u00bb"},
      {"\u201e", "\u201c"}, {"\u201c", "\u201d"}, {"'", "'"}};
  // The quotes that open first are the language's: « of »...« is no opening quote.
  const std::pair<std::string_view, std::string_view>* used = nullptr;
  for (const auto& q : kQuotes) {
    if (text.find(q.first) < (used ? text.find(used->first) : std::string::npos)) used = &q;
  }
  if (used) {
    const auto& [open, close] = *used;
    for (std::size_t p = text.find(open); p != std::string::npos;) {
      const std::size_t inner = p + open.size();
      const std::size_t end = text.find(close, inner);
      if (end == std::string::npos) {
        text.erase(inner);
        break;
      }
      text.replace(inner, end - inner, "...");
      p = text.find(open, inner + 3 + close.size());
    }
  }
  std::size_t i = 0;
  while (i < connection.size()) {
    const std::size_t end = std::min(connection.find_first_of(" \t='\"", i), connection.size());
    if (end - i >= 3) text = Replaced(std::move(text), connection.substr(i, end - i));
    i = end + 1;
  }
  return text;
}

}  // namespace

std::string MaskedConnection(std::string_view connection) {
  auto spans = PasswordSpans(connection);
  // A quoted password may itself hold "password=": overlapping spans are masked as one.
  std::sort(spans.begin(), spans.end());
  std::vector<std::pair<std::size_t, std::size_t>> merged;
  for (const auto& span : spans) {
    if (!merged.empty() && span.first < merged.back().second) {
      merged.back().second = std::max(merged.back().second, span.second);
    } else {
      merged.push_back(span);
    }
  }
  std::string out(connection);
  for (auto it = merged.rbegin(); it != merged.rend(); ++it)
    out.replace(it->first, it->second - it->first, kMask);
  return out;
}

std::string MaskedMessage(std::string_view message, std::string_view connection, bool unreadableConnection) {
  std::string out(message);
  for (const auto& [begin, end] : PasswordSpans(connection)) {
    std::string_view value = connection.substr(begin, end - begin);
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
      value = value.substr(1, value.size() - 2);
    out = Replaced(std::move(out), value);
  }
  if (unreadableConnection) out = WithoutQuotedWords(std::move(out), connection);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace vigil::replication
