// The controller's system driver as far as the installer asks it: one request for the
// instrument's identity. In this build the driver's answer is a file under the device root,
// laid out as the driver's 1,024-byte reply, with the model name at byte 34.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Paths.h"

namespace vigil::installer {

inline constexpr std::size_t kModelAnswerBytes = 1024;
inline constexpr std::size_t kModelNameOffset = 34;
/// The control code of the identity request (kept for the record; the file needs none).
inline constexpr std::uint32_t kModelRequestCode = 0xFFFFFF78u;
/// Where the answer lies, below the device root.
inline constexpr std::string_view kModelAnswerFile = "\\Drivers\\GIO1.bin";

using ModelAnswer = std::array<std::uint8_t, kModelAnswerBytes>;

/// The driver's answer: the first 1,024 bytes of the answer file, a shorter file padded with
/// zeros. nullopt when the file is missing or unreadable (the request failed).
std::optional<ModelAnswer> QueryModelDriver(const platform::Paths& paths);

/// The NUL-terminated text at byte 34; it ends at the buffer's end when no NUL comes.
std::string ModelNameFromAnswer(const ModelAnswer& answer);

/// An answer carrying `modelName` (for tools and tests that lay out a device root).
ModelAnswer MakeModelAnswer(std::string_view modelName);

}  // namespace vigil::installer
