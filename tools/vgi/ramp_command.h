#pragma once
// The immediate window's colour-ramp command, for checking previews without a window:
//   :ramp STYLE GRANULARITY START END WxH FILE [DEPTH]
// makes a drawing box of W x H pixels and DEPTH colour bits (32 when left out), prints what
// SetColorDepth returns for it, paints the ramp and saves the box as a PNG file. Numbers
// are read as the window's expressions read them (255, &HFF, &HFF&, &O377); colours are in
// RGB order &H00BBGGRR.
#include <ostream>
#include <string>
#include <vector>

namespace vg::vgi {

// Runs the :ramp command `words` (its name first). Returns the error, empty when none.
std::string RunRampCommand(const std::vector<std::string>& words, std::ostream& out);

}  // namespace vg::vgi
