// Outcomes of loading and saving a project-station, as plain codes for the screens.
#pragma once

namespace vigil::store {

enum class SaveResult : int {
  Saved = 0,
  /// A project-station of these names already exists (the sheet shows
  /// IDS_STN_MSGBOX_PROJ_STN_EXISTS); nothing written.
  AlreadyExists = 1,
  /// The project or station name is not a valid file name part; nothing written.
  NameInvalid = 2,
  /// The file could not be written; the old file and the current names are unchanged.
  WriteFailed = 3,
  /// A value holds a line break or NUL and would not read back; nothing written.
  ValueInvalid = 4,
};

enum class LoadResult : int {
  Loaded = 0,
  /// No file, or no `project` value in it: the settings are unchanged.
  NothingToLoad = 1,
  /// The current names, or the names in the file, are not valid file name parts: nothing
  /// read, the settings are unchanged.
  NameInvalid = 2,
};

}  // namespace vigil::store
