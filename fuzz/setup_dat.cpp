// SETUP.DAT bytes: a record reads from 80 bytes or more and writes back its first 80 exactly;
// setting the installed flag changes byte 4 only. The same bytes as a driver answer give a
// model name that stays inside the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installer/ModelDriver.h"
#include "installer/ModelTable.h"
#include "installer/PackageRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vigil::installer;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto record = PackageRecord::FromBytes(bytes);
  if (record.has_value() != (size >= kPackageRecordBytes)) std::abort();
  if (record) {
    const std::string written = record->ToBytes();
    if (written != bytes.substr(0, kPackageRecordBytes)) std::abort();
    PackageRecord changed = *record;
    changed.SetInstalled(!record->Installed());
    const std::string after = changed.ToBytes();
    for (std::size_t i = 0; i < kPackageRecordBytes; ++i) {
      if (i != 4 && after[i] != written[i]) std::abort();
    }
    if (changed.Installed() == record->Installed()) std::abort();
    for (int family = kFirstFamily; family <= kLastFamily; ++family) {
      const int offset = PackageRecord::FamilyOffset(family);
      if (record->SupportsFamily(family) != (written[static_cast<std::size_t>(offset)] != 0)) std::abort();
    }
  }

  ModelAnswer answer{};
  for (std::size_t i = 0; i < answer.size() && i < size; ++i) answer[i] = data[i];
  const std::string name = ModelNameFromAnswer(answer);
  if (name.size() > kModelAnswerBytes - kModelNameOffset || name.find('\0') != std::string::npos)
    std::abort();
  const int family = FamilyOfModel(name);
  if (family != kUnknownFamily && (family < kFirstFamily || family > kLastFamily)) std::abort();
  return 0;
}
