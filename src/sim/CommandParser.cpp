#include <algorithm>
#include <array>

#include "platform/Format.h"
#include "sim/Command.h"

namespace vigil::sim {

namespace {

constexpr std::size_t kMaxCommandText = 998;

struct Fixed {
  std::string_view text;
  CommandKind kind;
};
constexpr std::array<Fixed, 13> kFixed{{
    {"Tc", CommandKind::kCloseLink},
    {"Ee", CommandKind::kReadAngles},
    {"*ST2", CommandKind::kMeasureDistance},
    {"*ST0", CommandKind::kStopMeasuring},
    {"Xh", CommandKind::kHorizontalZero},
    {"Xa", CommandKind::kFineMode},
    {"*GLON", CommandKind::kLightOn},
    {"*GLOFF", CommandKind::kLightOff},
    {"A", CommandKind::kReadBlockA},
    {"B", CommandKind::kReadBlockB},
    {"C", CommandKind::kReadReflector},
    {"*PA", CommandKind::kReadMotor},
    {"Ts 0", CommandKind::kToBasic},
}};

struct WithFields {
  std::string_view head;
  CommandKind kind;
  std::size_t count;
};
constexpr std::array<WithFields, 5> kWithFields{{
    {"/B ", CommandKind::kWriteBlockB, 12},
    {"/C ", CommandKind::kWriteReflector, 1},
    {"*/PA ", CommandKind::kWriteMotor, 4},
    {"/Dc ", CommandKind::kSetHorizontal, 1},
    {"*ST6 ", CommandKind::kScan, 8},
}};

bool StartsWith(std::string_view s, std::string_view head) {
  return s.substr(0, head.size()) == head;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Plain decimal gon: digits and at most one point, something before or after it.
bool ReadGon(std::string_view s, double& gon) {
  if (s.empty() || std::count(s.begin(), s.end(), '.') > 1 || s == ".") return false;
  if (!std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
    return false;
  return platform::ScanDouble(s, gon);
}

std::vector<std::string> SplitFields(std::string_view s) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = s.find(',', start);
    out.emplace_back(
        s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return out;
    start = comma + 1;
  }
}

bool ParseFields(const WithFields& form, std::string_view args, Command& c) {
  c.fields = form.count == 1 ? std::vector<std::string>{std::string(args)} : SplitFields(args);
  if (c.fields.size() != form.count) return false;
  if (form.kind == CommandKind::kWriteReflector && args.find(',') != std::string_view::npos) return false;
  if (form.kind == CommandKind::kSetHorizontal) {
    double gon = 0.0;
    if (!ReadGon(args, gon) || gon >= 400.0) return false;
    c.values = {gon};
  }
  if (form.kind == CommandKind::kScan) {
    for (std::size_t i = 0; i < 4; ++i) {
      double gon = 0.0;
      if (!ReadGon(c.fields[i], gon) || gon >= 400.0) return false;
      c.values.push_back(gon);
    }
    for (std::size_t i = 4; i < 8; ++i) {
      if (!c.fields[i].empty()) return false;
    }
  }
  return true;
}

bool ParseText(std::string_view t, Command& c) {
  for (const Fixed& f : kFixed) {
    if (t == f.text) {
      c.kind = f.kind;
      return true;
    }
  }
  if (t == "Ts 2") {
    c.kind = CommandKind::kToBasic;
    c.number = 2;
    return true;
  }
  if (t.size() > 3 && (StartsWith(t, "T1 ") || StartsWith(t, "T2 ") || StartsWith(t, "Tl "))) {
    c.kind = t[1] == '1' ? CommandKind::kAnnounceFirst
                         : (t[1] == '2' ? CommandKind::kAnnounceSecond : CommandKind::kGreeting);
    c.title = std::string(t.substr(3));
    return true;
  }
  if (t.size() == 20 && StartsWith(t, "*DHA") && t.substr(11, 2) == "VA" && AllDigits(t.substr(4, 7)) &&
      AllDigits(t.substr(13, 7))) {
    c.kind = CommandKind::kTurn;
    c.haTenthMilligon = platform::ParseIntOr(t.substr(4, 7), 0);
    c.vaTenthMilligon = platform::ParseIntOr(t.substr(13, 7), 0);
    return c.haTenthMilligon < 4'000'000 && c.vaTenthMilligon < 4'000'000;
  }
  if (t.size() == 9 && StartsWith(t, "*SJ") && AllDigits(t.substr(3))) {
    c.kind = CommandKind::kSearch;
    c.number = platform::ParseIntOr(t.substr(3), 0);
    return true;
  }
  for (const WithFields& form : kWithFields) {
    if (StartsWith(t, form.head)) {
      c.kind = form.kind;
      return ParseFields(form, t.substr(form.head.size()), c);
    }
  }
  return false;
}

}  // namespace

Command ParseCommand(std::string_view message) {
  Command c;
  if (!StartsWith(message, "#S")) return c;
  message.remove_prefix(2);
  const std::size_t end = message.find("\r\n");
  const std::string_view text = message.substr(0, end);
  for (std::size_t i = 0; i < 3; ++i) c.echo[i] = i < text.size() ? text[i] : ' ';
  if (end == std::string_view::npos || text.size() > kMaxCommandText) return c;
  const std::string_view rest = message.substr(end + 2);
  if (!rest.empty() && rest != "\r\n") return c;
  // A control character in a kept text would break every reply line that carries it.
  if (std::any_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20; }))
    return c;
  if (!ParseText(text, c)) {
    Command invalid;
    invalid.echo = c.echo;
    return invalid;
  }
  return c;
}

std::string FormatCommand(const Command& c) {
  auto join = [&c](std::string_view head) {
    std::string s(head);
    for (std::size_t i = 0; i < c.fields.size(); ++i) s += (i ? "," : "") + c.fields[i];
    return "#S" + s + "\r\n\r\n";
  };
  switch (c.kind) {
    case CommandKind::kInvalid:
      return {};
    case CommandKind::kAnnounceFirst:
      return "#ST1 " + c.title + "\r\n";
    case CommandKind::kAnnounceSecond:
      return "#ST2 " + c.title + "\r\n";
    case CommandKind::kGreeting:
      return "#STl " + c.title + "\r\n";
    case CommandKind::kToBasic:
      return c.number == 2 ? "#STs 2\r\n" : "#STs 0\r\n";
    case CommandKind::kTurn:
      return platform::Format("#S*DHA%07dVA%07d\r\n", {c.haTenthMilligon, c.vaTenthMilligon});
    case CommandKind::kSearch:
      return platform::Format("#S*SJ%06d\r\n", {c.number});
    default:
      break;
  }
  for (const WithFields& form : kWithFields) {
    if (form.kind == c.kind) return join(form.head);
  }
  for (const Fixed& f : kFixed) {
    if (f.kind == c.kind) return "#S" + std::string(f.text) + "\r\n";
  }
  return {};
}

std::string CommandKey(CommandKind kind) {
  switch (kind) {
    case CommandKind::kAnnounceFirst:
      return "T1";
    case CommandKind::kAnnounceSecond:
      return "T2";
    case CommandKind::kGreeting:
      return "Tl";
    case CommandKind::kToBasic:
      return "Ts";
    case CommandKind::kTurn:
      return "*DHA";
    case CommandKind::kSearch:
      return "*SJ";
    case CommandKind::kInvalid:
      return "?";
    default:
      break;
  }
  for (const WithFields& form : kWithFields) {
    if (form.kind == kind) return std::string(form.head.substr(0, form.head.size() - 1));
  }
  for (const Fixed& f : kFixed) {
    if (f.kind == kind) return std::string(f.text);
  }
  return "?";
}

}  // namespace vigil::sim
