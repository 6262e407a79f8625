#include "platform/imaging/load_picture.h"

#include "platform/automation/errors.h"
#include "platform/imaging/png_io.h"

namespace vg {

StdPictureRef LoadPicture(const std::string& path) {
  if (path.empty()) return StdPicture::Empty();
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  std::string reason;
  // Transparent parts show the control's default background.
  switch (LoadPng(path, 0xC0C0C0, &width, &height, &pixels, &reason)) {
    case PngReadResult::kOk:
      break;
    case PngReadResult::kNotFound:
      Raise(err::kFileNotFound);
    case PngReadResult::kInvalid:
      Raise(err::kInvalidPicture);
  }
  return StdPicture::FromPixels(width, height, std::move(pixels));
}

}  // namespace vg
