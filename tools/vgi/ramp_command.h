#pragma once
// The immediate window's colour-ramp command, for checking previews without a window:
//   :ramp STYLE GRANULARITY START END WxH FILE [DEPTH]
// makes a drawing box of W x H pixels and DEPTH colour bits (32 when left out), prints what
// SetColorDepth returns for it, paints the ramp and saves the box as a PNG file. Colours
// are numbers (decimal, &H or 0x hexadecimal) in RGB order 0x00BBGGRR.
#include <ostream>
#include <string>
#include <vector>

namespace vg::vgi {

// Runs `words` if it is the :ramp command. Returns false for any other command; on a bad
// command sets `error` and returns true.
bool RunRampCommand(const std::vector<std::string>& words, std::ostream& out, std::string* error);

}  // namespace vg::vgi
