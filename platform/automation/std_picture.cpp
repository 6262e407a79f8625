#include "platform/automation/std_picture.h"

#include <atomic>

#include "platform/base/numeric.h"
#include "platform/gdi/gdi.h"

namespace vg {
namespace {

// Handles are unique in the process (controls on several threads make pictures at once):
// 0x10001 .. 0x7FFFFFFF, then round again.
int32_t NextHandle() {
  static std::atomic<uint32_t> counter{0};
  constexpr uint32_t kFirst = 0x10001, kCount = 0x7FFFFFFFu - kFirst + 1;
  return static_cast<int32_t>(kFirst + counter.fetch_add(1, std::memory_order_relaxed) % kCount);
}

enum : DISPID { kHandle = 0, kHPal = 2, kType = 3, kWidth = 4, kHeight = 5 };

const DispatchTable<StdPicture>& PictureTable() {
  static const DispatchTable<StdPicture> table = [] {
    DispatchTable<StdPicture> t;
    auto add = [&t](const char* name, DISPID id, Variant (*get)(StdPicture&)) {
      DispatchTable<StdPicture>::Member m;
      m.name = name;
      m.id = id;
      m.get = [get](StdPicture& p, Args) { return get(p); };
      t.Add(std::move(m));
    };
    add("Handle", kHandle, [](StdPicture& p) { return Variant::Long(p.Handle()); });
    add("hPal", kHPal, [](StdPicture&) { return Variant::Long(0); });
    add("Type", kType, [](StdPicture& p) { return Variant::Integer(p.Type()); });
    add("Width", kWidth, [](StdPicture& p) { return Variant::Long(p.HimetricWidth()); });
    add("Height", kHeight, [](StdPicture& p) { return Variant::Long(p.HimetricHeight()); });
    return t;
  }();
  return table;
}

}  // namespace

int32_t PixelsToHimetric(int pixels, int dpi) {
  if (dpi <= 0) dpi = gdi::kDefaultDpi;
  return RoundToInt32(pixels * 2540.0 / dpi);
}

int HimetricToPixels(int32_t himetric, int dpi) {
  if (dpi <= 0) dpi = gdi::kDefaultDpi;
  return RoundToInt32(himetric * static_cast<double>(dpi) / 2540.0);
}

std::shared_ptr<StdPicture> StdPicture::Empty() {
  return std::shared_ptr<StdPicture>(new StdPicture());
}

std::shared_ptr<StdPicture> StdPicture::FromPixels(int width, int height,
                                                   std::vector<COLORREF> pixels, int16_t type,
                                                   int dpi) {
  std::shared_ptr<StdPicture> p(new StdPicture());
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    return p;
  p->type_ = type;
  p->width_ = width;
  p->height_ = height;
  p->pixels_ = std::move(pixels);
  p->handle_ = NextHandle();
  p->dpi_ = dpi > 0 ? dpi : gdi::kDefaultDpi;
  p->himetric_width_ = PixelsToHimetric(width, dpi);
  p->himetric_height_ = PixelsToHimetric(height, dpi);
  return p;
}

StdPicture::~StdPicture() {
  if (bitmap_) gdi::DeleteObject(bitmap_);
}

gdi::HBITMAP StdPicture::hBitmap() {
  if (bitmap_ || pixels_.empty()) return bitmap_;
  bitmap_ = gdi::CreateBitmapFromPixels(width_, height_, pixels_.data());
  return bitmap_;
}

DISPID StdPicture::GetIDOfName(std::string_view name) const {
  return PictureTable().IdOf(name);
}

Variant StdPicture::Invoke(DISPID id, uint16_t kind, Args args) {
  return PictureTable().Invoke(*this, id, kind, args);
}

}  // namespace vg
