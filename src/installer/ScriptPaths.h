// Paths written in SETUP.INI, turned into native paths that stay where they belong: the
// programs inside the package folder, the DELETE lines below the device root (and never the
// root itself). A path that would leave its place is refused, not quietly shortened.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/Paths.h"

namespace vigil::installer {

/// A cabinet, finish or tool program (one leading "\" already dropped) inside the package
/// folder. nullopt for an empty path, a ".." piece, a drive or device name (":"), or a path
/// that is still absolute.
std::optional<std::filesystem::path> PackageProgramPath(const std::filesystem::path& packageFolder,
                                                        std::string_view scriptPath);

struct DeleteTarget {
  std::filesystem::path path;
  bool folder = false;  ///< the line ended in "\": empty and remove the folder
};

/// The value of a DELETE line as a path below the device root. nullopt for a ".." piece, a
/// drive or device name, a path that names the root itself, or one that a symbolic link
/// leads out of the root (or back onto it).
std::optional<DeleteTarget> DeleteLineTarget(const platform::Paths& paths, std::string_view value);

}  // namespace vigil::installer
