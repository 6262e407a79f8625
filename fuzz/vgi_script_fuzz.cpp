// Feeds arbitrary text to the immediate window as a script: whatever the statements, the
// interpreter and the control must answer with values or errors, never crash or hang.
//
// The first four bytes choose the window's size, so that extreme geometry is reached too:
// widths up to 2^18 pixels (beyond the 16-bit range) and heights up to 255, at most 2^20
// pixels in all (well inside the bitmap cap, and cheap enough to paint at every statement).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "tools/vgi/interpreter.h"

namespace {

constexpr int64_t kMaxPixels = int64_t{1} << 20;

// Width and height from four bytes: a 16-bit number shifted by 0 to 3 bits, and a byte.
void WindowSize(const uint8_t* b, int* width, int* height) {
  const int64_t w = int64_t{b[0] | (b[1] << 8)} << (b[2] & 3);
  *width = static_cast<int>(std::max<int64_t>(w, 1));
  *height = std::max(1, static_cast<int>(std::min<int64_t>(b[3], kMaxPixels / *width)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int width = 64, height = 24;
  if (size >= 4) {
    WindowSize(data, &width, &height);
    data += 4, size -= 4;
  }
  std::string script(reinterpret_cast<const char*>(data), size);
  std::istringstream in(script);
  std::ostringstream lines;
  std::string line;
  // Saving writes files, and resizing is chosen above: the script does neither.
  while (std::getline(in, line)) {
    if (line.find(":s") != std::string::npos || line.find(":S") != std::string::npos) continue;
    lines << line << '\n';
  }
  std::ostringstream out;
  vg::vgi::SessionOptions options;
  options.width_px = width;
  options.height_px = height;
  vg::vgi::Interpreter interpreter(options, out);
  std::istringstream script_in(lines.str());
  interpreter.Run(script_in, false, false);
  return 0;
}
