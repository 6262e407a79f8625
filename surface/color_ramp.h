#pragma once
// The gradient bands' preview painter: the gradients of the block fill painted straight into a
// picture box on a dialog, outside any off-screen surface. The box is any object offering
// ScaleLeft, ScaleTop, ScaleWidth, ScaleHeight and hDC by late-bound name.
//
// The display's colour depth and levels are kept per thread, set by SetColorDepth.
#include <cstdint>

#include "platform/automation/dispatch.h"

namespace vg {

// Reads the colour depth of the box's device (bits per pixel times planes, asking the box
// for its hDC once per reading), keeps it with its colour levels for this thread and
// returns it. An unknown depth is kept and returned as 4.
int32_t SetColorDepth(DispatchObject& box);

// Paints gradient `style` (1..12) at `granularity` from startColor to endColor (RGB) over
// the box's rectangle (ScaleLeft, ScaleTop) to (ScaleWidth, ScaleHeight), asking the box
// for its hDC before each pass. A style outside 1..12 paints nothing. If SetColorDepth has
// not run on this thread yet, it runs first on this box, so a ramp never lacks its levels.
// A box that cannot answer (an error, a missing member) counts as 0 for that value; a box
// without a device context makes the painting draw nothing.
void PaintColorRamp(DispatchObject& box, int16_t style, int16_t granularity, int32_t startColor,
                    int32_t endColor);

// The colour levels SetColorDepth kept on this thread (0 before it ran).
int16_t RampColorLevels();

}  // namespace vg
