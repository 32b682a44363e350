// One command as the instrument receives it: "#S", the command text, CR LF (commands with
// a text argument carry a second CR LF). The parser reads outside input and never trusts it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::sim {

enum class CommandKind {
  kInvalid,
  kCloseLink,        // Tc
  kAnnounceFirst,    // T1 <title>
  kAnnounceSecond,   // T2 <title>
  kToBasic,          // Ts 0 | Ts 2
  kGreeting,         // Tl <title>
  kReadAngles,       // Ee
  kMeasureDistance,  // *ST2
  kStopMeasuring,    // *ST0
  kTurn,             // *DHAhhhhhhhVAvvvvvvv
  kSearch,           // *SJnnnnnn
  kHorizontalZero,   // Xh
  kFineMode,         // Xa
  kSetHorizontal,    // /Dc <gon>
  kLightOn,          // *GLON
  kLightOff,         // *GLOFF
  kReadBlockA,       // A
  kReadBlockB,       // B
  kWriteBlockB,      // /B f1,...,f12
  kReadReflector,    // C
  kWriteReflector,   // /C v
  kReadMotor,        // *PA
  kWriteMotor,       // */PA a,b,c,d
  kScan,             // *ST6 ha1,va1,ha2,va2,,,,
};

struct Command {
  CommandKind kind = CommandKind::kInvalid;
  std::string echo = "   ";          ///< the first three characters of the text, blank-padded
  std::string title;                 ///< T1, T2, Tl
  int number = 0;                    ///< Ts state; search range
  std::int32_t haTenthMilligon = 0;  ///< turn: Ha in 0.0001 gon
  std::int32_t vaTenthMilligon = 0;  ///< turn: Va in 0.0001 gon
  std::vector<std::string> fields;   ///< texts of /B, /C, */PA, /Dc and *ST6 (as sent)
  std::vector<double> values;        ///< /Dc and *ST6 fields read as gon

  bool operator==(const Command&) const = default;
};

/// Reads one message. Anything malformed, unknown or with an argument out of range gives
/// kInvalid (with the echo when there was a "#S" prefix).
Command ParseCommand(std::string_view message);

/// The message that ParseCommand reads back as `command`; empty for kInvalid.
std::string FormatCommand(const Command& command);

/// A short name of the command for counting ("Ee", "*DHA", "/B", ...); "?" when invalid.
std::string CommandKey(CommandKind kind);

}  // namespace vigil::sim
