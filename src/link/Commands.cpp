#include "link/Commands.h"

#include <cmath>
#include <initializer_list>

#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::link {
namespace {

// A CR, LF or NUL inside an argument would end or split the command on the wire.
bool SafeArgument(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// name + arguments joined by ',' + tail + CR LF, in the 8-bit code page; refused when it
// exceeds `maxChars`. The command then gets its final CR LF.
std::optional<std::string> Assemble(std::string_view name, std::initializer_list<std::string_view> args,
                                    std::string_view tail, std::size_t maxChars) {
  std::string text(name);
  bool first = true;
  for (std::string_view arg : args) {
    if (!SafeArgument(arg)) return std::nullopt;
    if (!first) text += ',';
    first = false;
    text += platform::Utf8ToCp1252(arg);
  }
  text += tail;
  text += "\r\n";
  if (text.size() > maxChars) return std::nullopt;
  text += "\r\n";
  return text;
}

// (gon + 1e-11) x 10000 truncated toward zero; nullopt unless it gives seven digits.
std::optional<long long> TurnUnits(double gon) {
  if (!std::isfinite(gon)) return std::nullopt;
  const double units = std::trunc((gon + 1e-11) * 10000.0);
  if (units < 0.0 || units > 9999999.0) return std::nullopt;
  return static_cast<long long>(units);
}

}  // namespace

std::optional<std::string> BuildTurnCommand(double haGon, double vaGon) {
  const auto ha = TurnUnits(haGon);
  const auto va = TurnUnits(vaGon);
  if (!ha || !va) return std::nullopt;
  std::string text = platform::Format("*DHA%07dVA%07d\r\n", {*ha, *va});
  if (text.size() > kTurnMaxChars) return std::nullopt;
  return text;
}

std::optional<std::string> BuildSetHorizontalAngleCommand(std::string_view value) {
  return Assemble(kSetHorizontalAngle.bytes, {value}, "", kSetHorizontalAngleMaxChars);
}

std::optional<std::string> BuildWriteBlockBCommand(const std::array<std::string, kBlockBFieldCount>& f) {
  return Assemble(kWriteBlockB.bytes,
                  {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]}, "",
                  kWriteBlockBMaxChars);
}

std::optional<std::string> BuildWriteReflectorTypeCommand(std::string_view value) {
  return Assemble(kWriteReflectorType.bytes, {value}, "", kWriteReflectorTypeMaxChars);
}

std::optional<std::string> BuildWriteMotorParametersCommand(
    const std::array<std::string, kMotorParameterCount>& v) {
  return Assemble(kWriteMotorParameters.bytes, {v[0], v[1], v[2], v[3]}, "", kWriteMotorParametersMaxChars);
}

std::optional<std::string> BuildScanMeasureCommand(double startHaGon, std::string_view startVa,
                                                   double endHaGon, std::string_view endVa) {
  if (!std::isfinite(startHaGon) || !std::isfinite(endHaGon)) return std::nullopt;
  const std::string startHa = platform::FormatFixed(startHaGon, 4);
  const std::string endHa = platform::FormatFixed(endHaGon, 4);
  return Assemble(kScanMeasure.bytes, {startHa, startVa, endHa, endVa}, ",,,,", kScanMeasureMaxChars);
}

}  // namespace vigil::link
