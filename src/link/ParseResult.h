// Result codes of the reply parsers and of a reading (signed integers that cross module
// boundaries unchanged).
#pragma once

namespace vigil::link {

inline constexpr int kNoLine = -1;          ///< no complete line yet; reply buffer untouched
inline constexpr int kNakReceived = -2;     ///< a NAK came before the line end; buffer cleared
inline constexpr int kReadingTimeOut = -3;  ///< no usable reply in time (set by the engine)
inline constexpr int kParsed = 0;           ///< line parsed, fields delivered
inline constexpr int kUnexpectedLine = 2;   ///< a complete line that is not the expected reply
inline constexpr int kAngleStatusNotZero = 70;
inline constexpr int kOkReply = 100;

/// Field-error factors of a measurement line: the result is their product.
inline constexpr int kHaFieldError = 3;
inline constexpr int kVaFieldError = 4;
inline constexpr int kSdFieldError = 5;

}  // namespace vigil::link
