#include "platform/automation/ole_color.h"

namespace vg {
namespace {

// The classic desktop colour scheme, by system colour index.
constexpr COLORREF kSysColors[] = {
    RGB(212, 208, 200),  //  0 scroll bar
    RGB(58, 110, 165),   //  1 desktop
    RGB(10, 36, 106),    //  2 active caption
    RGB(128, 128, 128),  //  3 inactive caption
    RGB(212, 208, 200),  //  4 menu
    RGB(255, 255, 255),  //  5 window
    RGB(0, 0, 0),        //  6 window frame
    RGB(0, 0, 0),        //  7 menu text
    RGB(0, 0, 0),        //  8 window text
    RGB(255, 255, 255),  //  9 caption text
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(10, 36, 106),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(212, 208, 200),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(212, 208, 200),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(64, 64, 64),     // 21 3D dark shadow
    RGB(212, 208, 200),  // 22 3D light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(181, 181, 181),  // 25 (unnamed)
    RGB(0, 0, 128),      // 26 hot-tracked item
    RGB(166, 202, 240),  // 27 gradient of the active caption
    RGB(192, 192, 192),  // 28 gradient of the inactive caption
    RGB(49, 106, 197),   // 29 menu highlight
    RGB(236, 233, 216),  // 30 menu bar
};
constexpr int kSysColorCount = static_cast<int>(sizeof kSysColors / sizeof kSysColors[0]);

}  // namespace

bool IsSysColorIndex(int index) {
  return index >= 0 && index < kSysColorCount;
}

COLORREF GetSysColor(int index) {
  return IsSysColorIndex(index) ? kSysColors[index] : 0;
}

HRESULT OleTranslateColor(OLE_COLOR color, uintptr_t /*palette*/, COLORREF* out) {
  uint32_t kind = color >> 24;
  switch (kind) {
    case 0x00:
    case 0x02:
      if (out) *out = color & 0x00FFFFFF;
      return S_OK;
    case 0x01:
      // A palette index: without a palette there is nothing better than its index bits.
      if ((color & 0x00FF0000) != 0) return E_INVALIDARG;
      if (out) *out = color & 0x0000FFFF;
      return S_OK;
    case 0x80: {
      if ((color & 0x00FFFF00) != 0) return E_INVALIDARG;
      int index = static_cast<int>(color & 0xFF);
      if (!IsSysColorIndex(index)) return E_INVALIDARG;
      if (out) *out = GetSysColor(index);
      return S_OK;
    }
    default:
      return E_INVALIDARG;
  }
}

}  // namespace vg
