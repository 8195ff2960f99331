#pragma once

#include "core/image_frame.h"

namespace orvane::display {

// "Image rotation": turns the width x height pixels by 180 degrees in place. The undo copy is
// not touched.
void rotate_180(orvane::core::ImageFrame& frame);

}  // namespace orvane::display
