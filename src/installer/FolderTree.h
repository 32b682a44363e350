// Whole folder trees on the instrument: their size, their files, emptying and removing them.
// A name beginning with "." is a hidden entry. Links are never followed: a link is removed
// as itself, so a tree being emptied can never reach outside itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vigil::installer {

struct FolderEntry {
  std::string name;
  bool folder = false;  ///< a real folder (not a link to one)
};

/// The entries of `folder`, sorted by name; empty when it cannot be listed.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder);

bool IsHiddenName(std::string_view name);

/// Total bytes of every file below `folder` (hidden ones too); 0 when it is missing.
std::uint64_t TreeBytes(const std::filesystem::path& folder);

/// Files below `folder` that are not hidden, in folders whose names do not begin with ".".
int CountVisibleFiles(const std::filesystem::path& folder);

/// Bytes of the files below `target` that a file of `source` at the same relative path would
/// replace (the folders a copy enters).
std::uint64_t ReplacedBytes(const std::filesystem::path& source, const std::filesystem::path& target);

/// Called after each file a removal deletes, so the dialog's screen stays live.
using RemovalPump = std::function<void()>;

/// Empties and removes `folder`. True when it is gone afterwards (also when it never was).
bool RemoveTree(const std::filesystem::path& folder, const RemovalPump& pump = {});

/// Deletes every file below `target` that `source` holds at the same relative path. False
/// when one of them exists and could not be deleted (the rest stay as they are).
bool DeleteMatchingFiles(const std::filesystem::path& source, const std::filesystem::path& target,
                         const RemovalPump& pump = {});

}  // namespace vigil::installer
