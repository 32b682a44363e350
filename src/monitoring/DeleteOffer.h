// After a file was copied off the instrument: offer to delete it there.
#pragma once

#include <filesystem>

#include "ui/AppContext.h"

namespace vigil::monitoring {

/// Asks whether to delete `file` (Yes/No); on Yes deletes it and, when that worked, says so.
/// Returns whether the file was deleted.
bool OfferToDeleteCopied(ui::AppContext& context, const std::filesystem::path& file);

/// A path text as the screens hold it: a controller path ("\Storage Card\x") below the device
/// root, anything else as a path of this system.
std::filesystem::path ResolvePathText(const ui::AppContext& context, std::string_view text);

}  // namespace vigil::monitoring
