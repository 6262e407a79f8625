// Device contexts, bitmaps, selection and deletion, device attributes and window contexts.
#include <algorithm>
#include <limits>
#include <new>

#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

namespace {

void Deselect(HGDIOBJ handle) {
  Slot* s = Lookup(handle);
  if (!s || s->stock) return;
  if (s->selected > 0) --s->selected;
  if (s->selected == 0 && s->delete_pending) Erase(handle);
}

HGDIOBJ* SlotFor(Dc& dc, const Slot& object) {
  if (std::holds_alternative<Bitmap>(object.object)) return &dc.bitmap;
  if (std::holds_alternative<Brush>(object.object)) return &dc.brush;
  if (std::holds_alternative<Pen>(object.object)) return &dc.pen;
  if (std::holds_alternative<Font>(object.object)) return &dc.font;
  return nullptr;
}

Dc NewDc(const Dc* like) {
  Dc dc;
  if (like) {
    dc.bits_per_pixel = like->bits_per_pixel;
    dc.planes = like->planes;
    dc.dpi = like->dpi;
  }
  dc.bitmap = StockBitmap();
  dc.brush = StockBrush();
  dc.pen = StockPen();
  dc.font = StockFont();
  return dc;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
  const Dc* like = Get<Dc>(hdc);
  if (hdc != 0 && !like) return 0;
  try {
    return Insert(NewDc(like), true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || width < 0 || height < 0) return 0;
  if (int64_t{width} * height > kMaxBitmapPixels) return 0;
  Bitmap bitmap;
  // A memory context that still holds its stock bitmap is monochrome, as the device it
  // would make bitmaps for.
  bitmap.bits_per_pixel = (!dc->window && dc->bitmap == StockBitmap()) ? 1 : dc->bits_per_pixel;
  bitmap.width = width;
  bitmap.height = height;
  // A bitmap made for a window shown in the screen's layout holds that layout too, so that
  // copying it to the window moves pixels without converting them.
  if (dc->window)
    if (const Bitmap* shown = Get<Bitmap>(dc->bitmap)) bitmap.screen_layout = shown->screen_layout;
  try {
    bitmap.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return Insert(std::move(bitmap), true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

HBITMAP CreateBitmapFromPixels(int width, int height, const COLORREF* pixels) {
  if (width <= 0 || height <= 0 || !pixels) return 0;
  if (int64_t{width} * height > kMaxBitmapPixels) return 0;
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  try {
    bitmap.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    for (COLORREF& p : bitmap.pixels) p &= 0x00FFFFFF;
    return Insert(std::move(bitmap), true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  Dc* dc = Get<Dc>(hdc);
  Slot* s = Lookup(object);
  if (!dc || !s || s->delete_pending) return 0;
  HGDIOBJ* current = SlotFor(*dc, *s);
  if (!current) return 0;
  if (std::holds_alternative<Bitmap>(s->object)) {
    // A bitmap lives in one memory context at a time (the stock bitmap every new memory
    // context starts with excepted); window contexts keep their own.
    if (dc->window) return 0;
    if (!s->stock && s->selected > 0 && *current != object) return 0;
  }
  HGDIOBJ previous = *current;
  if (previous == object) return previous;
  if (!s->stock) ++s->selected;
  *current = object;
  Deselect(previous);
  return previous;
}

bool DeleteObject(HGDIOBJ object) {
  Slot* s = Lookup(object);
  if (!s || std::holds_alternative<Dc>(s->object)) return false;
  if (s->stock) return true;
  if (s->uncounted) return false;
  if (s->selected > 0) {
    s->delete_pending = true;
    return true;
  }
  EraseSlot(*s, object);
  return true;
}

bool DeleteDC(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || dc->window) return false;
  Dc copy = *dc;
  Erase(hdc);
  Deselect(copy.bitmap);
  Deselect(copy.brush);
  Deselect(copy.pen);
  Deselect(copy.font);
  return true;
}

int GetDeviceCaps(HDC hdc, int index) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return 0;
  switch (index) {
    case BITSPIXEL:
      return dc->bits_per_pixel;
    case PLANES:
      return dc->planes;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return dc->dpi;
    default:
      return 0;
  }
}

int SetBkMode(HDC hdc, int mode) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = dc->bk_mode;
  dc->bk_mode = mode;
  return previous;
}

int GetBkMode(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->bk_mode : 0;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->bk_color;
  dc->bk_color = color & 0x00FFFFFF;
  return previous;
}

COLORREF GetBkColor(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->bk_color : CLR_INVALID;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->text_color;
  dc->text_color = color & 0x00FFFFFF;
  return previous;
}

COLORREF GetTextColor(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->text_color : CLR_INVALID;
}

HFONT CreateFontIndirectA(const LOGFONTA* record) {
  if (!record) return 0;
  Font font;
  font.record = *record;
  font.record.lfFaceName[kLfFaceSize - 1] = '\0';
  try {
    return Insert(font, true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

bool GetFontRecord(HFONT handle, LOGFONTA* out) {
  Font* font = Get<Font>(handle);
  if (!font || !out) return false;
  *out = font->record;
  return true;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  Bitmap* b = TargetBitmap(hdc);
  if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height) return CLR_INVALID;
  return Loaded(*b, b->pixels[static_cast<size_t>(y) * b->width + x]);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  Bitmap* b = TargetBitmap(hdc);
  if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height) return CLR_INVALID;
  b->pixels[static_cast<size_t>(y) * b->width + x] = Stored(*b, color & 0x00FFFFFF);
  return color & 0x00FFFFFF;
}

PixelView GetPixels(HDC hdc) {
  Bitmap* b = TargetBitmap(hdc);
  if (!b) return {};
  return {b->pixels.data(), b->width, b->height, b->screen_layout};
}

WritablePixels GetWritablePixels(HDC hdc) {
  Bitmap* b = TargetBitmap(hdc);
  if (!b) return {};
  return {b->pixels.data(), b->width, b->height, b->screen_layout};
}

int GetObjectType(HGDIOBJ object) {
  Slot* s = Lookup(object);
  if (!s) return 0;
  if (std::holds_alternative<Bitmap>(s->object)) return OBJ_BITMAP;
  if (std::holds_alternative<Brush>(s->object)) return OBJ_BRUSH;
  if (std::holds_alternative<Pen>(s->object)) return OBJ_PEN;
  if (std::holds_alternative<Font>(s->object)) return OBJ_FONT;
  if (const Dc* dc = std::get_if<Dc>(&s->object)) return dc->window ? OBJ_DC : OBJ_MEMDC;
  return 0;
}

HDC CreateWindowDC(int width, int height, int dpi) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (int64_t{width} * height > kMaxBitmapPixels) width = height = 0;
  Bitmap surface;
  surface.width = width;
  surface.height = height;
  surface.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  HBITMAP bitmap = Insert(std::move(surface), false);
  Dc dc = NewDc(nullptr);
  dc.window = true;
  dc.dpi = dpi > 0 ? dpi : kDefaultDpi;
  dc.bitmap = bitmap;
  HDC hdc = Insert(dc, false);
  Lookup(bitmap)->selected = 1;
  return hdc;
}

void SetWindowDpi(HDC hdc, int dpi) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !dc->window) return;
  dc->dpi = dpi > 0 ? dpi : kDefaultDpi;
}

void ResizeWindowDC(HDC hdc, int width, int height) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !dc->window) return;
  Bitmap* b = Get<Bitmap>(dc->bitmap);
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (int64_t{width} * height > kMaxBitmapPixels) return;
  // Keep what the window showed where it still fits; new area is black until painted.
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * static_cast<size_t>(height),
                               Stored(*b, 0));
  for (int y = 0; y < std::min(height, b->height); ++y)
    for (int x = 0; x < std::min(width, b->width); ++x)
      pixels[static_cast<size_t>(y) * width + x] = b->pixels[static_cast<size_t>(y) * b->width + x];
  b->pixels = std::move(pixels);
  b->width = width;
  b->height = height;
}

void DestroyWindowDC(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !dc->window) return;
  Dc copy = *dc;
  Erase(hdc);
  Erase(copy.bitmap);
  Deselect(copy.brush);
  Deselect(copy.pen);
  Deselect(copy.font);
}

void SetWindowScreenLayout(HDC hdc, bool screen_layout) {
  Dc* dc = Get<Dc>(hdc);
  Bitmap* b = dc && dc->window ? Get<Bitmap>(dc->bitmap) : nullptr;
  if (!b || b->screen_layout == screen_layout) return;
  for (COLORREF& p : b->pixels) p = Loaded(*b, p);
  b->screen_layout = screen_layout;
  for (COLORREF& p : b->pixels) p = Stored(*b, p);
}

int WindowUpdateCount(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? dc->updates : 0;
}

void SetWindowListener(HDC hdc, WindowListener* listener) {
  Dc* dc = Get<Dc>(hdc);
  if (dc && dc->window) dc->listener = listener;
}

void SetDeviceDepth(HDC hdc, int bits_per_pixel, int planes) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return;
  dc->bits_per_pixel = bits_per_pixel;
  dc->planes = planes;
  if (Bitmap* b = Get<Bitmap>(dc->bitmap); b && dc->window) b->bits_per_pixel = bits_per_pixel;
}

}  // namespace vg::gdi
