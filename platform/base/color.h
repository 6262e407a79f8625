#pragma once
// Colour values shared by every platform layer. COLORREF is a plain RGB value, 0x00BBGGRR
// (red in the low byte); OLE_COLOR is what automation properties hold: an RGB value or,
// with the high byte 0x80, the index of a system colour. Translating one into the other
// belongs to the automation layer (OleTranslateColor).
#include <cstdint>

namespace vg {

using OLE_COLOR = uint32_t;
using COLORREF = uint32_t;

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
         (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t GetRValue(COLORREF c) {
  return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GetGValue(COLORREF c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t GetBValue(COLORREF c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}

}  // namespace vg
