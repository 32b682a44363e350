// The texts the instrument answers with. Every line starts "#S", data lines end in CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vigil::sim {

inline constexpr char kAck = '\x06';
inline constexpr char kNak = '\x15';

/// "#S" + echo + ACK or NAK.
std::string EchoReply(std::string_view echo, bool accepted);

/// Answer to a turn or search: "#S" + echo + "OK", or "E" and three digits.
std::string OkLine(std::string_view echo);
std::string ErrorNumberLine(std::string_view echo, int number);

/// Angle value texts: gon with five decimals, 400 written as 0.
std::string GonText(double gon);
std::string MetresText(double metres);

/// "Ee" reply: status, then fields 5 Va, 6 Ha, 7 tilt X, 8 tilt Y.
std::string AngleLine(std::string_view haText, std::string_view vaText, std::string_view tiltXText,
                      std::string_view tiltYText, bool statusOk);

/// "*ST2" reply: fields 3 Ha, 4 Va, 5 SD.
std::string DistanceLine(std::string_view haText, std::string_view vaText, std::string_view sdText);

/// Parameter reply: `name`, a blank and the fields joined by commas ("A 0,1,0,0").
std::string ParameterLine(std::string_view name, const std::vector<std::string>& fields);

/// "*ST6" reply: field 3 hit number, field 4 signal (positive for a prism), 5 Ha, 6 Va.
std::string ScanLine(int hit, int signal, std::string_view haText, std::string_view vaText);

}  // namespace vigil::sim
