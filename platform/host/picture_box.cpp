#include "platform/host/picture_box.h"

#include <algorithm>
#include <new>

#include "platform/host/picture_scaling.h"

namespace vg {

PictureBox::PictureBox() : dc_(gdi::CreateCompatibleDC(0)) {
  kept_.reserve(kKeptCopies);
}

PictureBox::~PictureBox() {
  Clear();
  for (Resampled& r : kept_) gdi::DeleteObject(r.bitmap);
  if (dc_) gdi::DeleteDC(dc_);
}

int PictureBox::ScaledSize(int pixels, int picture_dpi, int dpi) {
  if (picture_dpi <= 0) picture_dpi = gdi::kDefaultDpi;
  const int64_t scaled = (int64_t{pixels} * dpi + picture_dpi / 2) / picture_dpi;
  return static_cast<int>(std::clamp<int64_t>(scaled, 1, INT32_MAX));
}

void PictureBox::SetPicture(const StdPictureRef& picture, int dpi) {
  Clear();
  if (!picture || picture->Type() == vbPicTypeNone) return;
  width_ = picture->PixelWidth();
  height_ = picture->PixelHeight();
  gdi::HBITMAP bitmap = 0;
  if (dpi > gdi::kDefaultDpi && dpi != picture->Dpi() && width_ > 0 && height_ > 0) {
    const int w = ScaledSize(width_, picture->Dpi(), dpi);
    const int h = ScaledSize(height_, picture->Dpi(), dpi);
    bitmap = ResampledBitmap(picture, w, h);
    if (bitmap) width_ = w, height_ = h;
  }
  // A copy that could not be made (too large, out of memory) leaves the picture as it is.
  if (!bitmap) bitmap = picture->hBitmap();
  if (bitmap) {
    old_bitmap_ = gdi::SelectObject(dc_, bitmap);
    holding_ = old_bitmap_ != 0;
  }
}

gdi::HBITMAP PictureBox::ResampledBitmap(const StdPictureRef& picture, int width, int height) {
  for (Resampled& r : kept_)
    if (r.width == width && r.height == height && r.picture.lock() == picture) return r.bitmap;
  if (int64_t{width} * height > gdi::kMaxBitmapPixels) return 0;
  gdi::HBITMAP bitmap = 0;
  try {
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    std::vector<float> scratch;
    ResamplePixels(picture->Pixels().data(), picture->PixelWidth(), picture->PixelHeight(),
                   pixels.data(), width, height, &scratch);
    bitmap = gdi::CreateBitmapFromPixels(width, height, pixels.data());
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!bitmap) return 0;
  // Copies of pictures that are gone are dropped first, then the oldest.
  std::erase_if(kept_, [](const Resampled& r) {
    if (!r.picture.expired()) return false;
    gdi::DeleteObject(r.bitmap);
    return true;
  });
  if (kept_.size() == kKeptCopies) {
    gdi::DeleteObject(kept_.front().bitmap);
    kept_.erase(kept_.begin());
  }
  kept_.push_back({picture, width, height, bitmap});
  return bitmap;
}

void PictureBox::Clear() {
  if (holding_) gdi::SelectObject(dc_, old_bitmap_);
  holding_ = false;
  old_bitmap_ = 0;
  width_ = height_ = 0;
}

}  // namespace vg
