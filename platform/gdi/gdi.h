#pragma once
// A software raster device with the semantics of the classic graphics device interface:
// device contexts (window and memory), bitmaps, brushes, pens and fonts addressed by
// handles; rectangles with exclusive right and bottom edges; 32-bit pixels holding
// COLORREF values (0x00BBGGRR). Every object made by a Create... call is counted until it
// is deleted, so tests can prove that drawing leaks nothing. Handles, object counts and the
// font cache belong to the calling thread: several threads draw at once without locks,
// each with its own objects, and a handle is used on the thread that made it.
#include <cstddef>
#include <cstdint>

#include "platform/base/color.h"

namespace vg::gdi {

using HGDIOBJ = uintptr_t;
using HDC = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using HFONT = HGDIOBJ;

struct RECT {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

inline constexpr int kLfFaceSize = 32;
struct LOGFONTA {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;  // tenths of a degree, counter-clockwise
  int32_t lfOrientation = 0;
  int32_t lfWeight = 0;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  char lfFaceName[kLfFaceSize] = {};
};

// GetDeviceCaps indices.
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Device contexts and bitmaps. No bitmap (window surfaces included) holds more than
// kMaxBitmapPixels pixels: a larger one is not made, instead of exhausting memory.
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;  // 256 MB of pixels
HDC CreateCompatibleDC(HDC hdc);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// A 32-bit bitmap holding a copy of width x height pixels.
HBITMAP CreateBitmapFromPixels(int width, int height, const COLORREF* pixels);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
bool DeleteObject(HGDIOBJ object);
bool DeleteDC(HDC hdc);
int GetDeviceCaps(HDC hdc, int index);
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
            uint32_t rop);
// Copies width x height pixels from memory (`bits`, rows top to bottom, `width` pixels
// each) to (x, y) of the context's bitmap, clipped to it: how a picture composed in memory,
// row by row, reaches the device without a bitmap of its own.
bool SetDIBitsToDevice(HDC hdc, int x, int y, int width, int height, const COLORREF* bits);

// Brushes and fills. Hatch brushes draw an 8 x 8 pattern aligned to the context's origin;
// the gaps show the background colour when the background mode is opaque.
inline constexpr int HS_HORIZONTAL = 0;
inline constexpr int HS_VERTICAL = 1;
inline constexpr int HS_FDIAGONAL = 2;
inline constexpr int HS_BDIAGONAL = 3;
inline constexpr int HS_CROSS = 4;
inline constexpr int HS_DIAGCROSS = 5;
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// A hatch brush for a device denser than 96 dpi: each pixel of the 8 x 8 pattern covers
// dpi / 96 device pixels (device pixel x lies in pattern column x * 96 / dpi, rounded down),
// so the pattern keeps its size in inches. 0 for a resolution below 96.
HBRUSH CreateHatchBrushForDpi(int hatch, COLORREF color, int dpi);
// Fills left..right-1 x top..bottom-1; a rectangle whose right or bottom edge is not
// greater than its left or top edge paints nothing.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);

// Fills left..right-1 x top..bottom-1 in one colour: the pixels FillRect paints with a solid
// brush of that colour, without making the brush. Painters that fill many small areas in
// changing colours (gradient bands, rivets) use it.
bool FillSolidRect(HDC hdc, const RECT* rect, COLORREF color);

// Pens and lines. A solid pen of width 0 or 1 draws one-pixel lines. A thicker pen stamps a
// square tip of its width centred on every pixel of the thin line (the tip reaches width/2
// pixels up and left of the pixel and (width-1)/2 down and right), which gives square line
// ends reaching half the width beyond each end point. A null pen draws nothing.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_NULL = 5;
struct POINT {
  int32_t x = 0, y = 0;
};
HPEN CreatePen(int style, int width, COLORREF color);
bool MoveToEx(HDC hdc, int x, int y, POINT* previous);
// Draws from the current position to (x, y), excluding (x, y), and moves there.
bool LineTo(HDC hdc, int x, int y);

// Fills the ellipse inscribed in left..right-1 x top..bottom-1 with the current brush and
// outlines it with the current pen (a rim of the pen's width inside the rectangle). A pixel
// belongs to the ellipse when its centre lies inside or on it.
bool Ellipse(HDC hdc, int left, int top, int right, int bottom);

// The focus rectangle: every other pixel of the rectangle's outline inverted, so a second
// call on the same rectangle removes it.
bool DrawFocusRect(HDC hdc, const RECT* rect);

// Device attributes.
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);

// Fonts: the logical font record is kept with the handle.
HFONT CreateFontIndirectA(const LOGFONTA* record);
bool GetFontRecord(HFONT font, LOGFONTA* out);

// Text in the selected font. Text is UTF-8; its length is given in bytes. Faces come from
// fontconfig, glyphs from FreeType, anti-aliased; a font with an escapement turns glyphs
// and pen position together about the text's origin.
struct SIZE {
  int32_t cx = 0, cy = 0;
};
// Width: the sum of the characters' advances; height: the font's ascent plus descent.
bool GetTextExtentPoint32A(HDC hdc, const char* text, int length, SIZE* size);
// Drops every realised font and rendered glyph of the calling thread (they are made again
// on demand), for instance after fonts were installed.
void FlushFontCache();
// Realised fonts and their rendered glyphs are kept up to a number of bytes (the font
// engine's own memory for faces included); beyond it the least recently used fonts go
// first; the limit holds for each thread's cache. A glyph larger than a sixteenth of the
// limit is never kept: it is rendered for the call that draws it and released at its end,
// so one huge glyph cannot hold memory.
inline constexpr size_t kDefaultFontCacheBytes = size_t{64} << 20;  // 64 MB
void SetFontCacheLimit(size_t bytes);
size_t FontCacheLimit();
// Bytes the cache holds now.
size_t FontCacheBytes();
inline constexpr uint32_t ETO_OPAQUE = 2;
inline constexpr uint32_t ETO_CLIPPED = 4;
// Draws text with its cell's upper left corner at (x, y) (turned with the font), in the
// text colour; with ETO_CLIPPED only inside `rect`. In the opaque background mode unturned
// text gets its cell filled with the background colour first. Underline and strike-out are
// drawn as lines along the baseline.
bool ExtTextOutA(HDC hdc, int x, int y, uint32_t options, const RECT* rect, const char* text,
                 int length, const int* dx);

// A line of text laid out once in the selected font: each character's glyph found once and
// its advance kept, so that measuring the text and drawing it (twice for embossed text) look
// nothing up again. The text is not copied: it must stay as it is until the layout is drawn.
// A text of more than kMaxLaidOutChars characters, or a layout whose font or glyphs have
// gone since (another font selected, the font cache flushed or trimmed), is drawn as
// ExtTextOutA draws it; either way the pixels are ExtTextOutA's.
inline constexpr int kMaxLaidOutChars = 256;
struct TextLayout {
  const char* text = nullptr;
  int length = 0;
  int count = -1;              // characters laid out; -1: not laid out
  const void* font = nullptr;  // the realised font it was laid out in
  uint64_t generation = 0;     // the font cache's glyph generation then
  SIZE size;                   // as GetTextExtentPoint32A measures it
  const void* glyphs[kMaxLaidOutChars];
  uint32_t codepoints[kMaxLaidOutChars];
};
// Lays `text` out in the selected font and gives its size in `size` (as
// GetTextExtentPoint32A). False for a bad context or text.
bool LayoutTextA(HDC hdc, const char* text, int length, TextLayout* layout);
// Draws a laid-out text as ExtTextOutA(hdc, x, y, options, rect, text, length) would.
bool ExtTextOutLayout(HDC hdc, int x, int y, uint32_t options, const RECT* rect,
                      const TextLayout& layout);

// Pixels.
COLORREF GetPixel(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

// What the host's screen provides: windows with a device context of their own, each with
// its own resolution (dots per inch; GetDeviceCaps answers LOGPIXELSX/Y with it, and
// memory contexts made compatible with a window inherit it) and colour depth. Window
// contexts are not counted as objects.
inline constexpr int kDefaultDpi = 96;
HDC CreateWindowDC(int width, int height, int dpi = kDefaultDpi);
void ResizeWindowDC(HDC hdc, int width, int height);
// The window moved to a screen of another resolution; contexts made compatible with it
// from now on get the new one.
void SetWindowDpi(HDC hdc, int dpi);
void DestroyWindowDC(HDC hdc);
// How many block copies have reached a window context: one per finished picture when the
// control draws properly, so tests can tell one draw from none or several.
int WindowUpdateCount(HDC hdc);
// Whoever shows a window context on a real screen listens to it: every block copy that
// reaches the window reports the rectangle of window pixels it changed (already clipped
// to the window, never empty), once per copy, so the listener can schedule exactly one
// repaint of that area. One listener per window; nullptr stops listening.
class WindowListener {
 public:
  virtual void WindowChanged(HDC window, const RECT& changed) = 0;

 protected:
  ~WindowListener() = default;
};
void SetWindowListener(HDC window, WindowListener* listener);
// A window shown on a screen keeps its pixels in the layout of the screen's backing store,
// 0xFFRRGGBB (red and blue exchanged, alpha opaque), so that presenting them is a plain
// copy: block copies to the window exchange red and blue as they copy, every drawing call
// stores its colours that way, GetPixel and SetPixel still speak COLORREF, and GetPixels
// says which layout it shows. The pixels the window holds are converted when the layout
// changes. Windows start in COLORREF layout.
void SetWindowScreenLayout(HDC window, bool screen_layout);
// Makes a device report another colour depth (bits per pixel and planes); contexts and
// bitmaps made compatible with it inherit that depth. Pixels stay 32-bit.
void SetDeviceDepth(HDC hdc, int bits_per_pixel, int planes);

// Read access to the pixels of the bitmap selected into a context.
struct PixelView {
  const COLORREF* pixels = nullptr;
  int width = 0;
  int height = 0;
  // The pixels are 0xFFRRGGBB, not COLORREF values: a window shown in the screen's layout.
  bool screen_layout = false;
};
PixelView GetPixels(HDC hdc);

// Red and blue exchanged: COLORREF (0x00BBGGRR) to and from 0x00RRGGBB (the top byte kept).
inline COLORREF SwapRedBlue(COLORREF c) {
  return (c & 0xFF00FF00u) | ((c >> 16) & 0xFFu) | ((c & 0xFFu) << 16);
}

// Write access to the pixels of the bitmap selected into a context (as the bits of a
// device-independent section), for painters that compose rows of spans of pixels
// themselves. The pointer is valid until the bitmap is deselected, deleted or resized.
// Writing through it counts as no block copy and reaches no window listener. A bitmap in
// the screen's layout holds 0xFFRRGGBB: painters write `Stored(colour)`, not the COLORREF.
struct WritablePixels {
  COLORREF* pixels = nullptr;
  int width = 0;
  int height = 0;
  bool screen_layout = false;
  COLORREF Stored(COLORREF color) const {
    return screen_layout ? SwapRedBlue(color) | 0xFF000000u : color;
  }
};
WritablePixels GetWritablePixels(HDC hdc);

// Graphics objects the calling thread made and has not yet deleted (contexts, bitmaps,
// brushes, pens, fonts).
int LiveObjectCount();

// Kind of object behind a handle, 0 for none.
enum ObjectType : int {
  OBJ_PEN = 1,
  OBJ_BRUSH = 2,
  OBJ_DC = 3,
  OBJ_FONT = 6,
  OBJ_BITMAP = 7,
  OBJ_MEMDC = 10
};
int GetObjectType(HGDIOBJ object);

}  // namespace vg::gdi
