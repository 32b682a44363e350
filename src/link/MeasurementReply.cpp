#include <string>
#include <vector>

#include "link/InstrumentErrors.h"
#include "link/LineFields.h"
#include "link/ParseResult.h"
#include "link/Replies.h"
#include "platform/Text.h"

namespace vigil::link {
namespace {

// Multiplies the field-error flag by k, or sets it to k when it is still 0.
void Mark(int& flag, int k) {
  flag = flag == 0 ? k : flag * k;
}

std::string Field(const std::vector<std::string_view>& fields, std::size_t number) {
  return platform::Cp1252ToUtf8(fields[number - 1]);
}

bool OnlyZerosAndPoints(std::string_view text) {
  return text.find_first_not_of("0.") == std::string_view::npos;
}

struct Layout {
  std::size_t separators;
  std::size_t ha, va, sd;  // field numbers; 0: not in this line
  bool tilt;
};

// Which layout the line has; nullopt-like zero separators for anything else.
Layout LayoutOf(std::string_view l) {
  if (l.substr(0, 2) == "Ee") return {8, 6, 5, 0, true};
  if (CharAt(l, 0) == '*' && CharAt(l, 3) == '1') return {5, 3, 4, 0, false};
  if (CharAt(l, 0) == '*' && (CharAt(l, 3) == '2' || CharAt(l, 3) == '3')) return {5, 3, 4, 5, false};
  if (l.substr(0, 2) == "Ea") return {7, 7, 6, 5, false};
  return {0, 0, 0, 0, false};
}

}  // namespace

int ParseMeasurement(ReplyBuffer& replies, MeasurementFields& out) {
  std::string line;
  const int taken = replies.TakeReplyLine(line);
  if (taken != kParsed) return taken;

  const std::string_view l = WithoutPrefix(line);
  const Layout layout = LayoutOf(l);
  const std::vector<std::string_view> fields = SplitFields(l, 0);
  if (layout.separators == 0 || fields.size() != layout.separators) {
    replies.Clear();
    return kUnexpectedLine;
  }

  int flag = 0;
  if (layout.tilt) {
    if (CharAt(l, 3) != '0' || CharAt(l, 5) != '0' || CharAt(l, 6) != '0') {
      replies.Clear();
      return kAngleStatusNotZero;
    }
    for (std::size_t n : {7u, 8u, 5u, 6u}) {
      if (IsErrorField(fields[n - 1])) Mark(flag, kHaFieldError);
    }
    if (IsErrorField(fields[layout.va - 1])) Mark(flag, kVaFieldError);
    if (IsErrorField(fields[layout.ha - 1])) Mark(flag, kHaFieldError);
    out.tiltX = Field(fields, 7);
    out.tiltY = Field(fields, 8);
  } else {
    if (layout.sd != 0 && IsErrorField(fields[layout.sd - 1])) flag = kSdFieldError;
    if (IsErrorField(fields[layout.va - 1])) Mark(flag, kVaFieldError);
    if (IsErrorField(fields[layout.ha - 1])) Mark(flag, kHaFieldError);
  }

  out.ha = Field(fields, layout.ha);
  out.va = Field(fields, layout.va);
  out.sd = layout.sd != 0 ? Field(fields, layout.sd) : std::string();

  if (OnlyZerosAndPoints(out.sd)) out.sd.clear();
  if (IsAngleRangeCode(out.ha)) out.ha.clear();
  if (IsAngleRangeCode(out.va)) out.va = std::string(kOutOfRangeText);
  if (auto text = DistanceCodeText(out.sd)) out.sd = std::string(*text);
  return flag;
}

}  // namespace vigil::link
