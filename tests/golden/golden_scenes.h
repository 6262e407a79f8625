#pragma once
// The golden scenes: representative pictures of the control, each drawn through its public
// members on a control of the scene's size in pixels (at 96 dpi).
#include <functional>
#include <string>
#include <vector>

#include "control/enums.h"
#include "control/varigauge.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"

namespace vg::golden {

inline Variant N(int n) {
  return Variant::Integer(static_cast<int16_t>(n));
}

// Block n spans `left`..`right` on the horizontal scale and `bottom`..`top` on the
// vertical one (both 0..100 unless a scene changes them).
inline void Bar(Varigauge& c, int n, int left, int right, int bottom = 0, int top = 100) {
  while (c.get_Blocks() < n) c.AddBlock();
  c.put_BlockBarLeft(N(n), static_cast<int16_t>(left));
  c.put_BlockBarRight(N(n), static_cast<int16_t>(right));
  c.put_BlockBarBottom(N(n), static_cast<int16_t>(bottom));
  c.put_BlockBarTop(N(n), static_cast<int16_t>(top));
}

// A 6 x 4 picture whose every pixel differs, so that any shift, flip or cut shows.
inline StdPictureRef Picture() {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) pixels.push_back(RGB(40 * x, 80 * y, x == 0 && y == 0 ? 0 : 255));
  return StdPicture::FromPixels(6, 4, std::move(pixels));
}

inline StdFontRef Font(double size, bool bold = false) {
  StdFontRef font = StdFont::Create("Arial", size);
  font->SetBold(bold);
  return font;
}

struct Scene {
  std::string name;
  int width;
  int height;
  std::function<void(Varigauge&)> draw;
};

inline std::string Numbered(const char* kind, int n) {
  return std::string(kind) + (n < 10 ? "-0" : "-") + std::to_string(n);
}

inline std::vector<Scene> Scenes() {
  std::vector<Scene> scenes = {
      {"rivets", 160, 40,
       [](Varigauge& c) {
         for (int style = 1; style <= 4; ++style) {
           Bar(c, style, 25 * (style - 1), 25 * style - 1);
           c.put_BlockRivetsStyle(N(style), style);
           c.put_BlockColor(N(style), 0x4080C0);
         }
         c.put_RivetsStyle(vgRaisedRivets);
       }},
      {"hatches", 180, 30,
       [](Varigauge& c) {
         c.put_BorderStyle(vgFlat);
         for (int style = 1; style <= 6; ++style) {
           Bar(c, style, 16 * style - 14, 16 * style);  // odd offsets: hatches keep to the window
           c.put_BlockBrushStyle(N(style), style);
           c.put_BlockBrushColor(N(style), 0x0000C0);
           c.put_BlockColor(N(style), 0xE0FFFF);
         }
       }},
      {"circles", 120, 50,
       [](Varigauge& c) {
         Bar(c, 1, 0, 45);
         Bar(c, 2, 50, 100, 20, 80);
         c.SetBlockShapeStyle(vgCircle);
         c.put_BlockColor(N(1), 0x00A000);
         c.put_BlockBrushStyle(N(2), vgDiagonalCross);
       }},
      {"text-turned", 140, 70,
       [](Varigauge& c) {
         c.putref_Font(Font(12, true));
         c.put_Caption("Turned 30");
         c.put_CaptionAngle(30);
         c.put_CaptionAlignment(vgBottomLeft);
         Bar(c, 1, 88, 100);
         c.put_BlockText(N(1), "Up");
         c.put_BlockTextAutoAngle(N(1), vgUp);
         Bar(c, 2, 76, 88);
         c.put_BlockText(N(2), "Down");
         c.put_BlockTextAutoAngle(N(2), vgDown);
       }},
      {"text-embossed", 240, 34,
       [](Varigauge& c) {
         for (int style = 1; style <= 4; ++style) {
           Bar(c, style, 20 * (style - 1), 20 * style);
           c.put_BlockText(N(style), "3D");
           c.put_BlockTextFont3D(N(style), style);
           c.put_BlockTextFont(N(style), Font(11, style % 2 == 0));
           c.put_BlockTextColor(N(style), 0x202020);
           c.put_BlockTextAlignment(N(style), style * 2);  // left, top, top right, bottom
         }
         c.put_Caption("Caption");
         c.put_CaptionAlignment(vgCenterRight);
         c.put_CaptionFont3D(vgInsetShadow);
       }},
      {"pictures-tiled", 100, 40,
       [](Varigauge& c) {
         c.putref_Picture(Picture());
         c.put_PictureTile(vgBothTile);
         c.put_PictureOffset(2);
         Bar(c, 1, 50, 100);
         c.putref_BlockPicture(N(1), Picture());
         c.put_BlockPictureTile(N(1), vgHorizontalTile);
         c.put_BlockPictureAlignment(N(1), vgBottomRight);
       }},
      {"pictures-aligned", 90, 60,
       [](Varigauge& c) {
         for (int a = 0; a < 9; ++a) {
           int col = a % 3, row = a / 3;
           Bar(c, a + 1, 33 * col, 33 * col + 32, 66 - 33 * row, 99 - 33 * row);
           c.putref_BlockPicture(N(a + 1), Picture());
           c.put_BlockPictureAlignment(N(a + 1), a);
           c.put_BlockPictureOffset(N(a + 1), 1);
           c.put_BlockBorderStyle(N(a + 1), vgFlat);
           c.put_BlockBorderWidth(N(a + 1), 1);
         }
       }},
      {"disabled", 160, 40,
       [](Varigauge& c) {
         c.put_Caption("Off");
         c.put_CaptionAlignment(vgCenterRight);
         Bar(c, 1, 0, 60);
         c.put_BlockGradientStyle(N(1), vgLeftHGradient);
         c.put_BlockBrushStyle(N(1), vgCross);
         c.put_BlockText(N(1), "Disabled");
         c.put_BlockTextFont3D(N(1), vgRaisedLight);
         c.put_BlockRivetsStyle(N(1), vgInsetRivets);
         c.putref_BlockPicture(N(1), Picture());
         c.put_BlockPictureAlignment(N(1), vgCenterLeft);  // pictures keep their colours
         c.put_DisabledColor(0x6060A0);
         c.put_Enabled(false);
       }},
  };
  for (int style = vgLeftHGradient; style <= vgOuterRectangleGradient; ++style)
    scenes.push_back({Numbered("gradient", style), 90, 40, [style](Varigauge& c) {
                        c.put_BorderStyle(vgNoneBorder);
                        c.put_GradientStyle(style);
                        c.put_GradientColor(0x800000);
                        c.put_GradientColorEnd(0x00FFFF);
                        c.put_GradientGranularity(style % 5);  // every granularity appears
                      }});
  for (int style = vgNoneBorder; style <= vgBumpLight; ++style)
    scenes.push_back({Numbered("border", style), 80, 30, [style](Varigauge& c) {
                        c.put_BorderStyle(style);
                        c.put_BorderWidth(3);
                        c.put_BackColor(0xA0A0A0);
                        Bar(c, 1, 10, 90, 20, 80);
                        c.put_BlockBorderStyle(N(1), style);
                        c.put_BlockBorderWidth(N(1), 2);
                        c.put_BlockColor(N(1), 0xC08040);
                      }});
  for (int orientation = vgFromLeft; orientation <= vgFromBottom; ++orientation)
    scenes.push_back({Numbered("orientation", orientation), 100, 50, [orientation](Varigauge& c) {
                        c.put_Orientation(orientation);
                        Bar(c, 1, 0, 60, 0, 70);
                        c.put_BlockGradientStyle(N(1), vgLeftHGradient);
                        c.put_BlockText(N(1), "60 %");
                        c.put_BlockTextColor(N(1), 0xFFFFFF);
                        Bar(c, 2, 60, 95, 70, 100);
                        c.put_BlockBrushStyle(N(2), vgForwardDiagonal);
                        c.put_BlockRivetsStyle(N(2), vgRaisedRivetsExt);
                      }});
  return scenes;
}

}  // namespace vg::golden
