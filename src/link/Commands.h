// Every command sent to the Basic-mode application: its bytes (after the "#S" prefix the
// link adds), how it is sent and its time-out. This file is the only owner of these texts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vigil::link {

enum class SendWay {
  Acknowledged,  ///< wait for ACK / NAK / time-out
  Fire,          ///< clear the acknowledged flag and the replies, send, return
  FireAndPause,  ///< as Fire, then block 300 ms without dispatching anything
};

/// Pause after a FireAndPause command (ms).
inline constexpr unsigned kFirePauseMs = 300;

/// What a command does to the link's continuous-measuring flag.
enum class ContinuousEffect { Unchanged, Clear, Set };

struct Command {
  std::string_view bytes;  ///< full bytes for fixed commands; the leading name for built ones
  SendWay way = SendWay::Fire;
  int timeoutSeconds = 0;  ///< for Acknowledged commands
  /// Time-out used instead while the continuous-measuring flag is set (0: none).
  int timeoutWhileContinuousSeconds = 0;
  ContinuousEffect continuous = ContinuousEffect::Unchanged;
};

// Link set-up.
inline constexpr Command kCloseLink{"Tc\r\n", SendWay::Acknowledged, 1};
inline constexpr Command kAnnounceLinkFirst{"T1 VNT8-Message communication\r\n", SendWay::Acknowledged, 10};
inline constexpr Command kAnnounceLinkSecond{"T2 VNT8-Message communication\r\n", SendWay::Acknowledged, 10};
inline constexpr Command kToBasicOn{"Ts 0\r\n", SendWay::Acknowledged, 5};
inline constexpr Command kToBasicSuspended{"Ts 2\r\n", SendWay::Acknowledged, 5};

/// Echoes (first five characters of the reply) of the set-up commands.
inline constexpr std::string_view kCloseLinkEcho = "#STc ";
inline constexpr std::string_view kAnnounceFirstEcho = "#ST1 ";
inline constexpr std::string_view kAnnounceSecondEcho = "#ST2 ";
inline constexpr std::string_view kToBasicEcho = "#STs ";

// Measuring.
inline constexpr Command kReadAngles{"Ee\r\n", SendWay::FireAndPause, 0, 0, ContinuousEffect::Clear};
inline constexpr Command kMeasureDistance{"*ST2\r\n", SendWay::FireAndPause, 0, 0, ContinuousEffect::Set};
inline constexpr Command kStopMeasuring{"*ST0\r\n", SendWay::Acknowledged, 2, 6};
inline constexpr Command kTurnTelescope{"*DHA", SendWay::Fire};
inline constexpr Command kSearchPrism{"*SJ000000\r\n", SendWay::Fire};
inline constexpr Command kScanMeasure{"*ST6 ", SendWay::FireAndPause};

// Instrument settings.
inline constexpr Command kZeroHorizontalAngle{"Xh\r\n", SendWay::Acknowledged, 2};
inline constexpr Command kDistanceModeFine{"Xa\r\n", SendWay::Acknowledged, 10};
inline constexpr Command kSetHorizontalAngle{"/Dc ", SendWay::Acknowledged, 10};
inline constexpr Command kLightOn{"*GLON\r\n", SendWay::Acknowledged, 10};
inline constexpr Command kLightOff{"*GLOFF\r\n", SendWay::Acknowledged, 10};
inline constexpr Command kReadBlockA{"A\r\n", SendWay::Fire};
inline constexpr Command kReadBlockB{"B\r\n", SendWay::Fire};
inline constexpr Command kWriteBlockB{"/B ", SendWay::Acknowledged, 10};
inline constexpr Command kReadReflectorType{"C\r\n", SendWay::Fire};
inline constexpr Command kWriteReflectorType{"/C ", SendWay::Acknowledged, 10};
inline constexpr Command kReadMotorParameters{"*PA\r\n", SendWay::Fire};
inline constexpr Command kWriteMotorParameters{"*/PA ", SendWay::Acknowledged, 10};

/// Largest assembled text (with its own CR LF, before the final CR LF) of each command
/// with an argument, in characters of the 8-bit code page.
inline constexpr std::size_t kTurnMaxChars = 26;
inline constexpr std::size_t kSetHorizontalAngleMaxChars = 19;
inline constexpr std::size_t kWriteBlockBMaxChars = 39;
inline constexpr std::size_t kWriteReflectorTypeMaxChars = 14;
inline constexpr std::size_t kWriteMotorParametersMaxChars = 39;
// The scan's vertical angles arrive as "%.5lf" texts, so its command needs up to 50 characters:
// a 39-character limit would refuse every scan.
inline constexpr std::size_t kScanMeasureMaxChars = 64;

inline constexpr std::size_t kBlockBFieldCount = 12;
inline constexpr std::size_t kMotorParameterCount = 4;

// Builders. Texts come in as UTF-8 and go out as bytes of the 8-bit code page. Each
// returns nullopt, and nothing is sent, when the assembled text does not fit its size:
// an argument is never cut short.

/// "*DHA%07ldVA%07ld\r\n" of the angles truncated toward zero from (gon + 1e-11) x 10000.
/// Angles are normalised by the caller; a value that is not finite, negative or would not
/// give seven digits is refused.
std::optional<std::string> BuildTurnCommand(double haGon, double vaGon);

/// "/Dc <value>\r\n\r\n".
std::optional<std::string> BuildSetHorizontalAngleCommand(std::string_view value);

/// "/B f1,...,f12\r\n\r\n".
std::optional<std::string> BuildWriteBlockBCommand(const std::array<std::string, kBlockBFieldCount>& fields);

/// "/C <value>\r\n\r\n".
std::optional<std::string> BuildWriteReflectorTypeCommand(std::string_view value);

/// "*/PA a,b,c,d\r\n\r\n".
std::optional<std::string> BuildWriteMotorParametersCommand(
    const std::array<std::string, kMotorParameterCount>& values);

/// "*ST6 <startHa>,<startVa>,<endHa>,<endVa>,,,,\r\n\r\n" with both horizontal angles
/// written "%.4lf" (gon) and the vertical angle texts passed on as given.
std::optional<std::string> BuildScanMeasureCommand(double startHaGon, std::string_view startVa,
                                                   double endHaGon, std::string_view endVa);

}  // namespace vigil::link
