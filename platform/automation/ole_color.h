#pragma once
// OLE_COLOR: 0x00BBGGRR is an RGB colour (red in the low byte); 0x800000nn names system
// colour nn. OleTranslateColor turns either into a plain RGB value (COLORREF); the value
// types themselves live in platform/base/color.h.
#include <cstdint>

#include "platform/base/color.h"

namespace vg {

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
