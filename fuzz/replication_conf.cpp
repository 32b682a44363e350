// replication.conf bytes: read them; whatever the connection string is, a password added to it
// never survives masking, in the string or in a message about it, and masking twice changes
// nothing more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replication/MaskedText.h"
#include "replication/ReplicationConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vigil::replication;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReplicationConfig config;
  std::string error;
  // A refusal always says why, an acceptance never does.
  if (ParseReplicationConfig(bytes, config, error) != error.empty()) std::abort();
  const std::string secret = "ZZsecretZZ";
  const std::string connection = std::string(bytes) + " password=" + secret;
  const std::string masked = MaskedConnection(connection);
  if (masked.find(secret) != std::string::npos) std::abort();
  if (MaskedConnection(masked) != masked) std::abort();
  for (bool unreadable : {false, true}) {
    if (MaskedMessage("failed for " + secret + " \"" + secret, connection, unreadable).find(secret) !=
        std::string::npos)
      std::abort();
  }
  return 0;
}
