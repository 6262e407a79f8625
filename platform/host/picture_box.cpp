#include "platform/host/picture_box.h"

namespace vg {

PictureBox::PictureBox() : dc_(gdi::CreateCompatibleDC(0)) {}

PictureBox::~PictureBox() {
  Clear();
  if (dc_) gdi::DeleteDC(dc_);
}

void PictureBox::SetPicture(const StdPictureRef& picture) {
  Clear();
  if (!picture || picture->Type() == vbPicTypeNone) return;
  width_ = picture->PixelWidth();
  height_ = picture->PixelHeight();
  if (gdi::HBITMAP bitmap = picture->hBitmap()) {
    old_bitmap_ = gdi::SelectObject(dc_, bitmap);
    holding_ = old_bitmap_ != 0;
  }
}

void PictureBox::Clear() {
  if (holding_) gdi::SelectObject(dc_, old_bitmap_);
  holding_ = false;
  old_bitmap_ = 0;
  width_ = height_ = 0;
}

}  // namespace vg
