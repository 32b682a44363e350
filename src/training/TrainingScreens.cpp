#include "training/TrainingScreens.h"

namespace vigil::training {

int TrainingScreens::Open(ui::AppContext& context) {
  TrainingDialog dialog(context);
  if (browser_) dialog.SetFolderBrowser(browser_);
  return context.Host().RunModal(dialog);
}

}  // namespace vigil::training
