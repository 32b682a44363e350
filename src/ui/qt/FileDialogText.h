// Texts between the program's open-file dialog and Qt's: the filter and the chosen path.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vigil::ui::qt {

/// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||" as Qt's "Text Files (*.txt);;All Files (*)".
/// "*.*" becomes "*": on Linux it would hide every file without an extension.
std::string QtFileFilter(std::string_view filter);

/// The controller path ("\Storage Card\a.txt") of a native file below `deviceRoot`; nothing
/// for a file outside it.
std::optional<std::string> ControllerPathOf(const std::filesystem::path& deviceRoot,
                                            const std::filesystem::path& file);

/// Where the open-file dialog starts: a controller path ("\\Storage Card") below
/// `deviceRoot`, or a folder of the program's own storage given as a native path.
std::filesystem::path StartFolderOf(const std::filesystem::path& deviceRoot, std::string_view folder);

/// The chosen file in the form the caller gave its folder: a controller path for a file below
/// `deviceRoot`; the native path for a file inside a native `folder`; nothing otherwise.
std::optional<std::string> ChosenFileText(const std::filesystem::path& deviceRoot, std::string_view folder,
                                          const std::filesystem::path& file);

}  // namespace vigil::ui::qt
