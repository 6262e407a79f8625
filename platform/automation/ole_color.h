#pragma once
// OLE_COLOR: 0x00BBGGRR is an RGB colour (red in the low byte); 0x800000nn names system
// colour nn. OleTranslateColor turns either into a plain RGB value (COLORREF).
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

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

// Colour of system colour index `index` (0..30, the classic desktop scheme); 0 for an
// index outside the table.
COLORREF GetSysColor(int index);
bool IsSysColorIndex(int index);

// Translates an OLE_COLOR to RGB. Accepts plain RGB (high byte 0), palette-relative forms
// (high byte 1 or 2, taken as their RGB part) and system colours (0x80000000 | index).
// Anything else, or an unknown system index, gives E_INVALIDARG and leaves *out untouched.
HRESULT OleTranslateColor(OLE_COLOR color, uintptr_t palette, COLORREF* out);

}  // namespace vg
