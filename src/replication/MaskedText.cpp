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
  if (unreadableConnection) {
    std::string plain;
    bool quoted = false;
    for (char ch : out) {
      if (ch == '"') {
        if (!quoted) plain += "\"...";
        quoted = !quoted;
      }
      if (!quoted) plain += ch;
    }
    out = plain;
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace vigil::replication
