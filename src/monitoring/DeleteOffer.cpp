#include "monitoring/DeleteOffer.h"

#include "monitoring/MonitoringTexts.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::monitoring {

bool OfferToDeleteCopied(ui::AppContext& context, const std::filesystem::path& file) {
  const std::string question =
      context.Translate(texts::kConfirmDelete.key, texts::kConfirmDelete.defaultText);
  if (context.Bracket().MessageBox(question, {}, platform::MessageIcon::Information,
                                   platform::MessageButtons::YesNo) != platform::kIdYes) {
    return false;
  }
  if (!platform::DeleteFileAt(file)) return false;
  context.Bracket().MessageBox(
      context.Translate(texts::kDeleteSuccess.key, texts::kDeleteSuccess.defaultText), {},
      platform::MessageIcon::Information);
  return true;
}

std::filesystem::path ResolvePathText(const ui::AppContext& context, std::string_view text) {
  if (platform::StartsWith(text, "\\")) return context.Layout().Paths().Device(text);
  return platform::PathFromText(text);
}

}  // namespace vigil::monitoring
