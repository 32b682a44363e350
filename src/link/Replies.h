// Parsers of the reply lines. None waits: each takes at most one line from the reply
// buffer and returns a ParseResult code (see ParseResult.h).
#pragma once

#include <array>
#include <string>

#include "link/ReplyBuffer.h"

namespace vigil::link {

/// Answer to a turn or search: 100 for "OK" at L[5..6], the error number for "E" and three
/// digits at L[5..8], 2 otherwise (positions count the "#S" prefix). `acknowledged` is set
/// whenever an ACK is passed. The whole buffer is cleared after a complete line.
int ParseOkError(ReplyBuffer& replies, bool& acknowledged);

/// Texts of a measurement line (UTF-8). Ha, Va and SD are always written on success;
/// tilt only by an "Ee" line.
struct MeasurementFields {
  std::string ha;
  std::string va;
  std::string sd;
  std::string tiltX;
  std::string tiltY;
};

/// Reply to "Ee" or "*ST2": 0, or the product of the field-error factors, or 70 / 2 / -1 / -2.
int ParseMeasurement(ReplyBuffer& replies, MeasurementFields& fields);

enum class ParameterForm { None, A, B, C, MotorParameters };

/// Block A (fields 1 and 2) or block B (fields 1 to 12), whichever arrived.
struct ParameterAB {
  ParameterForm form = ParameterForm::None;
  std::array<std::string, 12> fields;  ///< A fills the first two
};
int ParseParameterAB(ReplyBuffer& replies, ParameterAB& parameters);

/// Reflector type ("C", one value) or motor parameters ("*PA", four values).
struct ParameterCPA {
  ParameterForm form = ParameterForm::None;
  std::array<std::string, 4> fields;  ///< C fills the first one
};
int ParseParameterCPA(ReplyBuffer& replies, ParameterCPA& parameters);

/// One line of a scan: Ha (field 5), Va (field 6) and the two integer texts (fields 3, 4).
struct ScanFields {
  std::string ha;
  std::string va;
  std::string value1;
  std::string value2;
};
int ParseScan(ReplyBuffer& replies, ScanFields& fields);

}  // namespace vigil::link
