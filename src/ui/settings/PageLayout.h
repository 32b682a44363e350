// Where the settings pages put their rows: a caption on the left, its field on the right.
#pragma once

#include "platform/Control.h"

namespace vigil::ui::page_layout {

inline constexpr int kRowHeightPx = 22;
inline constexpr int kTopPx = 4;

inline platform::PixelRect Caption(int row) {
  return {4, kTopPx + row * kRowHeightPx, 136, 18};
}
inline platform::PixelRect Field(int row) {
  return {144, kTopPx + row * kRowHeightPx, 168, 18};
}
/// A drop-down list opens below its row.
inline platform::PixelRect List(int row) {
  return {144, kTopPx + row * kRowHeightPx, 168, 100};
}

}  // namespace vigil::ui::page_layout
