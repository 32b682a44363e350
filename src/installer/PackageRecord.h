// SETUP.DAT: the package's fixed 80-byte record. Read and written whole; every byte this
// program does not use is written back exactly as it was read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vigil::installer {

inline constexpr std::size_t kPackageRecordBytes = 80;

class PackageRecord {
 public:
  PackageRecord() { bytes_.fill(0); }

  /// The first 80 bytes of the file; nullopt when it holds fewer.
  static std::optional<PackageRecord> FromBytes(std::string_view bytes);
  /// The 80 bytes to write back.
  std::string ToBytes() const;

  bool Installed() const { return bytes_[kInstalledOffset] != 0; }
  void SetInstalled(bool installed) { bytes_[kInstalledOffset] = installed ? 1 : 0; }
  /// Only one of Install and Uninstall is offered (packages without a cabinet).
  bool SingleUse() const { return bytes_[kSingleUseOffset] != 0; }

  /// Offset of the byte that marks model family `family` (2 to 10) supported; -1 for others.
  static int FamilyOffset(int family);
  bool SupportsFamily(int family) const;
  void SetSupportsFamily(int family, bool supported);

  std::uint8_t Byte(std::size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }
  void SetByte(std::size_t offset, std::uint8_t value) {
    if (offset < bytes_.size()) bytes_[offset] = value;
  }

 private:
  static constexpr std::size_t kInstalledOffset = 4;
  static constexpr std::size_t kSingleUseOffset = 5;
  std::array<std::uint8_t, kPackageRecordBytes> bytes_;
};

}  // namespace vigil::installer
