// The password of a connection string never reaches a screen or a log: every text about a
// connection goes through these first.
#pragma once

#include <string>
#include <string_view>

namespace vigil::replication {

/// The connection string with the value of every password (key = value and URI forms)
/// replaced by "***".
std::string MaskedConnection(std::string_view connection);

/// `message` with the connection's passwords replaced by "***", and with quoted fragments
/// removed when the connection string could not be read (the client library quotes the
/// words around a syntax error, which may be part of a password).
std::string MaskedMessage(std::string_view message, std::string_view connection, bool unreadableConnection);

}  // namespace vigil::replication
