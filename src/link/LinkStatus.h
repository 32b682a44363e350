// Outcome of one acknowledged command.
#pragma once

namespace vigil::link {

/// What came back for a command sent with SendAndWaitAck.
enum class LinkStatus : int {
  Ack = 0,      ///< the Basic-mode application accepted the command
  Nak = 1,      ///< it refused the command
  TimeOut = 2,  ///< neither arrived in time
};

}  // namespace vigil::link
