#include "sim/ReplyLines.h"

#include "platform/Format.h"

namespace vigil::sim {

std::string EchoReply(std::string_view echo, bool accepted) {
  return "#S" + std::string(echo) + (accepted ? kAck : kNak);
}

std::string OkLine(std::string_view echo) {
  return "#S" + std::string(echo) + "OK\r\n";
}

std::string ErrorNumberLine(std::string_view echo, int number) {
  return "#S" + std::string(echo) + platform::Format("E%03d\r\n", {number % 1000});
}

std::string GonText(double gon) {
  std::string text = platform::FormatFixed(gon, 5);
  return text == "400.00000" ? "0.00000" : text;
}

std::string MetresText(double metres) {
  return platform::FormatFixed(metres, 4);
}

std::string AngleLine(std::string_view haText, std::string_view vaText, std::string_view tiltXText,
                      std::string_view tiltYText, bool statusOk) {
  return std::string("#SEe ") + (statusOk ? "0,00" : "1,10") + ",0,0," + std::string(vaText) + "," +
         std::string(haText) + "," + std::string(tiltXText) + "," + std::string(tiltYText) + "\r\n";
}

std::string DistanceLine(std::string_view haText, std::string_view vaText, std::string_view sdText) {
  return "#S*ST2,0," + std::string(haText) + "," + std::string(vaText) + "," + std::string(sdText) + "\r\n";
}

std::string ParameterLine(std::string_view name, const std::vector<std::string>& fields) {
  std::string line = "#S" + std::string(name) + " ";
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
  return line + "\r\n";
}

std::string ScanLine(int hit, int signal, std::string_view haText, std::string_view vaText) {
  return platform::Format("#S*ST6,0,%d,%d,%s,%s,0,0\r\n", {hit, signal, haText, vaText});
}

}  // namespace vigil::sim
