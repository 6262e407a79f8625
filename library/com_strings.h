#pragma once
// Text across the binary interface: BSTRs in UTF-16, the control's strings in UTF-8, and
// GUIDs in their registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#include <string>
#include <string_view>

#include "library/com_abi.h"

namespace vg::com {

// Ill-formed input (a lone surrogate, a broken UTF-8 sequence) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// A new BSTR holding `text`; throws std::bad_alloc when it cannot be made.
BSTR AllocBstr(std::string_view utf8);
// The text of a BSTR (a null BSTR is empty).
std::string BstrToUtf8(BSTR text);

// Parses the registry form (braces required, hex digits in either case).
bool ParseGuid(std::string_view text, GUID* out);
// The registry form with upper-case digits.
std::string FormatGuid(const GUID& guid);

}  // namespace vg::com
