#pragma once
// A memory context with a bitmap of its own, for tests of the raster device.
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"

namespace vg::gdi {

// A memory context with a W x H bitmap, released at the end of the test.
struct Canvas {
  HDC window;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  Canvas(int w, int h, int dpi = kDefaultDpi) {
    window = CreateWindowDC(w, h, dpi);
    dc = CreateCompatibleDC(window);
    bitmap = CreateCompatibleBitmap(window, w, h);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyWindowDC(window);
  }
  void Fill(RECT r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  std::vector<COLORREF> Copy() const {
    PixelView v = GetPixels(dc);
    return {v.pixels, v.pixels + static_cast<size_t>(v.width) * v.height};
  }
  int Count(COLORREF c) const {
    PixelView v = GetPixels(dc);
    int n = 0;
    for (int i = 0; i < v.width * v.height; ++i) n += v.pixels[i] == c;
    return n;
  }
};

// A font made from a face name, a height in pixels (negative: the em) and an escapement,
// selected into a context for the test's scope.
struct SelectedFont {
  HDC dc;
  HFONT font;
  HGDIOBJ old;
  SelectedFont(HDC hdc, const char* face, int height, int escapement = 0, bool underline = false,
               bool strike_out = false)
      : dc(hdc) {
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    lf.lfWeight = 400;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strike_out;
    std::strncpy(lf.lfFaceName, face, kLfFaceSize - 1);
    font = CreateFontIndirectA(&lf);
    old = SelectObject(dc, font);
  }
  ~SelectedFont() {
    SelectObject(dc, old);
    DeleteObject(font);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
};

}  // namespace vg::gdi
