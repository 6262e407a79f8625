#pragma once
// Circle gradients painted pixel by pixel once. The band rule paints every band's whole
// ellipse over the ones before it; this painter leaves exactly the pixels that would, but
// writes each pixel once, in the colour of the last band that covers it.
#include "platform/gdi/gdi.h"
#include "surface/gradient_bands.h"

namespace vg {

// Paints the bands of a circle pass (styles 9 and 10). Returns false, having painted
// nothing, when the pass has more bands than the painter keeps room for (more than any
// display's colour levels give) or the context gives no pixels to write; the caller then
// paints band by band.
bool PaintCircleBands(gdi::HDC hdc, const GradientPass& pass);

// Whether the bands' spans may be worked out four at a time where the processor allows
// (the default); off, every span comes from the plain per-band rule. For tests of both.
void UseWideCircleSpans(bool wide);

}  // namespace vg
