#include "installer/PackageRecord.h"

namespace vigil::installer {

std::optional<PackageRecord> PackageRecord::FromBytes(std::string_view bytes) {
  if (bytes.size() < kPackageRecordBytes) return std::nullopt;
  PackageRecord record;
  for (std::size_t i = 0; i < kPackageRecordBytes; ++i)
    record.bytes_[i] = static_cast<std::uint8_t>(bytes[i]);
  return record;
}

std::string PackageRecord::ToBytes() const {
  std::string bytes(kPackageRecordBytes, '\0');
  for (std::size_t i = 0; i < kPackageRecordBytes; ++i) bytes[i] = static_cast<char>(bytes_[i]);
  return bytes;
}

int PackageRecord::FamilyOffset(int family) {
  switch (family) {
    case 8:
      return 12;
    case 6:
      return 13;
    case 7:
      return 14;
    case 5:
      return 15;
    case 3:
      return 16;
    case 2:
      return 17;
    case 4:
      return 18;
    case 9:
      return 19;
    case 10:
      return 20;
    default:
      return -1;
  }
}

bool PackageRecord::SupportsFamily(int family) const {
  const int offset = FamilyOffset(family);
  return offset >= 0 && bytes_[static_cast<std::size_t>(offset)] != 0;
}

void PackageRecord::SetSupportsFamily(int family, bool supported) {
  const int offset = FamilyOffset(family);
  if (offset >= 0) bytes_[static_cast<std::size_t>(offset)] = supported ? 1 : 0;
}

}  // namespace vigil::installer
