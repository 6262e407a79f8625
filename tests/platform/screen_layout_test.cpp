// Windows in the screen's layout (0xFFRRGGBB): block copies exchange red and blue on the way
// in and out, every drawing call leaves the colours it leaves on a COLORREF window, and
// GetPixel and SetPixel speak COLORREF either way.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "tests/platform/canvas.h"

namespace vg::gdi {
namespace {

COLORREF Pattern(int x, int y) {
  return static_cast<COLORREF>((x * 2654435761u + y * 40503u) & 0x00FFFFFF);
}

COLORREF Screen(COLORREF c) {
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST(ScreenLayout, BlockCopiesExchangeRedAndBlueOnTheWayInAndOut) {
  // Widths around the processor's groups of four and eight pixels, with a source offset.
  for (int w : {1, 3, 4, 7, 8, 9, 15, 16, 17, 33}) {
    Canvas source(w + 2, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w + 2; ++x) SetPixel(source.dc, x, y, Pattern(x, y));
    HDC window = CreateWindowDC(w, 3);
    SetWindowScreenLayout(window, true);
    ASSERT_TRUE(BitBlt(window, 0, 0, w, 3, source.dc, 2, 0, SRCCOPY));
    const PixelView v = GetPixels(window);
    EXPECT_TRUE(v.screen_layout);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) {
        ASSERT_EQ(v.pixels[y * w + x], Screen(Pattern(x + 2, y))) << w << ": " << x << "," << y;
        ASSERT_EQ(GetPixel(window, x, y), Pattern(x + 2, y));
      }
    // Back out of the window into a memory bitmap: COLORREF values again.
    Canvas back(w, 3);
    ASSERT_TRUE(BitBlt(back.dc, 0, 0, w, 3, window, 0, 0, SRCCOPY));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(GetPixel(back.dc, x, y), Pattern(x + 2, y));
    // Rows composed in memory reach the window the same way.
    std::vector<COLORREF> row(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) row[static_cast<size_t>(x)] = Pattern(x, 9);
    ASSERT_TRUE(SetDIBitsToDevice(window, 0, 1, w, 1, row.data()));
    for (int x = 0; x < w; ++x) ASSERT_EQ(v.pixels[w + x], Screen(Pattern(x, 9)));
    DestroyWindowDC(window);
  }
}

TEST(ScreenLayout, SwitchingConvertsWhatTheWindowHoldsAndResizingAddsOpaqueBlack) {
  HDC window = CreateWindowDC(5, 2);
  SetPixel(window, 1, 1, RGB(10, 20, 30));
  SetWindowScreenLayout(window, true);
  SetWindowScreenLayout(window, true);  // a second switch changes nothing
  EXPECT_EQ(GetPixels(window).pixels[6], 0xFF0A141Eu);
  EXPECT_EQ(GetPixels(window).pixels[0], 0xFF000000u);
  EXPECT_EQ(GetPixel(window, 1, 1), RGB(10, 20, 30));
  ResizeWindowDC(window, 7, 3);
  EXPECT_EQ(GetPixels(window).pixels[7 * 3 - 1], 0xFF000000u);
  EXPECT_EQ(GetPixel(window, 1, 1), RGB(10, 20, 30));
  SetWindowScreenLayout(window, false);
  EXPECT_EQ(GetPixels(window).pixels[7 + 1], RGB(10, 20, 30));
  EXPECT_EQ(GetPixels(window).pixels[0], 0u);
  EXPECT_FALSE(GetPixels(window).screen_layout);
  DestroyWindowDC(window);
}

TEST(ScreenLayout, DrawingCallsLeaveTheColoursTheyLeaveOnACOLORREFWindow) {
  struct Step {
    std::string name;
    std::function<void(HDC)> draw;
  };
  const RECT all{0, 0, 40, 20};
  const std::vector<Step> steps = {
      {"solid fill",
       [&](HDC w) {
         HBRUSH b = CreateSolidBrush(RGB(200, 100, 50));
         FillRect(w, &all, b);
         DeleteObject(b);
       }},
      {"hatch over the background colour",
       [&](HDC w) {
         SetBkMode(w, OPAQUE);
         SetBkColor(w, RGB(1, 2, 250));
         HBRUSH b = CreateHatchBrush(HS_DIAGCROSS, RGB(250, 0, 7));
         FillRect(w, &all, b);
         DeleteObject(b);
       }},
      {"fill without a brush",
       [&](HDC w) {
         const RECT r{3, 4, 30, 15};
         FillSolidRect(w, &r, RGB(9, 99, 199));
       }},
      {"lines",
       [&](HDC w) {
         for (int width : {1, 3}) {
           HPEN pen = CreatePen(PS_SOLID, width, RGB(255, 128, 0));
           HGDIOBJ old = SelectObject(w, pen);
           MoveToEx(w, 1, 1, nullptr);
           LineTo(w, 38, 17);  // diagonal
           LineTo(w, 38, 2);   // vertical
           SelectObject(w, old);
           DeleteObject(pen);
         }
       }},
      {"ellipse",
       [&](HDC w) {
         HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 50, 255));
         HBRUSH brush = CreateSolidBrush(RGB(120, 240, 10));
         HGDIOBJ old_pen = SelectObject(w, pen), old_brush = SelectObject(w, brush);
         Ellipse(w, 2, 2, 35, 18);
         SelectObject(w, old_pen), SelectObject(w, old_brush);
         DeleteObject(pen), DeleteObject(brush);
       }},
      {"text on an opaque background",
       [&](HDC w) {
         LOGFONTA lf;
         lf.lfHeight = -13;
         std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Arial");
         HFONT font = CreateFontIndirectA(&lf);
         HGDIOBJ old = SelectObject(w, font);
         SetBkMode(w, OPAQUE);
         SetBkColor(w, RGB(250, 240, 5));
         SetTextColor(w, RGB(30, 60, 200));
         ExtTextOutA(w, 1, 2, 0, nullptr, "Qy 42%", 6, nullptr);
         SelectObject(w, old);
         DeleteObject(font);
       }},
      {"pixels and the focus rectangle",
       [&](HDC w) {
         SetPixel(w, 5, 5, RGB(77, 88, 99));
         const RECT r{1, 1, 39, 19};
         DrawFocusRect(w, &r);
       }},
  };
  HDC plain = CreateWindowDC(40, 20), screen = CreateWindowDC(40, 20);
  SetWindowScreenLayout(screen, true);
  for (const Step& step : steps) {
    step.draw(plain);
    step.draw(screen);
    const PixelView raw = GetPixels(screen);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(GetPixel(screen, x, y), GetPixel(plain, x, y))
            << step.name << " at " << x << "," << y;
        ASSERT_EQ(raw.pixels[y * 40 + x] >> 24, 0xFFu) << step.name << ": alpha kept opaque";
      }
  }
  DestroyWindowDC(plain);
  DestroyWindowDC(screen);
}

}  // namespace
}  // namespace vg::gdi
