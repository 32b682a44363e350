#include "orientation/OrientationScreens.h"

#include "orientation/OrientationDialog.h"

namespace vigil::orientation {

int OrientationScreens::Open(ui::AppContext& context) {
  OrientationDialog dialog(context, state_);
  return context.Host().RunModal(dialog);
}

}  // namespace vigil::orientation
