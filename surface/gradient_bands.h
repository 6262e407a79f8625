#pragma once
// The gradient band machinery shared by the off-screen surface and the colour previews:
// a gradient is a run of solid bands (stripes, concentric rectangles or circles), each one
// colour, stepping linearly from a start colour towards an end colour.
//
// Band coordinates are single-precision values: every step is rounded to float when it is
// stored, and a band becomes integers (halves to even) only when it is painted. This
// accumulation decides where band edges fall.
#include <cstdint>

#include "platform/gdi/gdi.h"
#include "surface/wide_rect.h"

namespace vg {

struct GradientPass {
  int16_t Style = 0;  // 1..4 stripes moving right, left, down, up; 9/10 circles; 11/12 rectangles
  int32_t StartColor = 0;
  int32_t EndColor = 0;
  int16_t Steps = 0;
  float StepX = 0.0f;
  float StepY = 0.0f;
  float BandLeft = 0.0f;
  float BandTop = 0.0f;
  float BandRight = 0.0f;
  float BandBottom = 0.0f;
};

// The colour levels a gradient steps through on a display of `*depth` bits per pixel: 64
// for 4 or 8 bits, 32 for 15, 256 for 16, 24 or 32. Any other depth is taken as 4 bits
// (`*depth` becomes 4) with 64 levels.
int16_t ColorLevelsForDepth(int32_t* depth);

// Number of bands for a display's colour levels and a granularity: levels, /4, /8, /16, /32
// for vgDefault..vgVeryLow (rounded, halves to even); any other granularity, or a result of
// 0, gives the colour levels themselves.
int16_t GradientSteps(int16_t color_levels, int32_t granularity);

// Fills `passes` with the one or two runs of bands that paint gradient `style` over the
// rectangle `inner`, with colours start and end. Returns how many (0 for a style outside
// 1..12).
int SetupGradientPasses(int32_t style, const WideRect& inner, int16_t steps, int32_t start,
                        int32_t end, GradientPass passes[2]);

// The passes of a whole gradient: the band count from the colour levels and granularity,
// then the passes of `style` over `inner`. Returns how many (0 for a style outside 1..12).
// Both the surface's gradient fill and the colour previews paint these passes.
int SetupGradient(int32_t style, int32_t granularity, int16_t color_levels, const WideRect& inner,
                  int32_t start, int32_t end, GradientPass passes[2]);

// The colour of band i of a pass: each channel stepped linearly, (end - start) / Steps a
// band, rounded (halves to even). Styles 10 and 12 run from EndColor to StartColor.
COLORREF BandColor(const GradientPass& pass, int i);

// Paints pass.Steps bands. Styles 10 and 12 run from EndColor to StartColor, so the
// "outer" shapes have the start colour in the centre.
void PaintGradientPass(gdi::HDC hdc, const GradientPass& pass);

// Fills a rectangle, or the ellipse inscribed in it, in one colour without an outline. A
// rectangle may leave out a `hole` (what of it lies inside; an empty hole leaves out nothing).
void FillShape(gdi::HDC hdc, bool is_ellipse, const gdi::RECT& rect, COLORREF color,
               const gdi::RECT* hole = nullptr);

// The rectangle painting `passes` into the bitmap selected in `hdc` is certain to write
// whatever lay there, known without painting: the stripes running right or left whose row of
// colours an earlier painting kept. False (and `cover` untouched) for other passes, or before
// a row is kept.
bool KeptGradientCover(gdi::HDC hdc, const GradientPass passes[], int count, gdi::RECT* cover);

// Fills `rect` in one colour, as a solid brush would, less what of `hole` lies inside it.
void FillSolidAround(gdi::HDC hdc, const gdi::RECT& rect, const gdi::RECT& hole, COLORREF color);

}  // namespace vg
