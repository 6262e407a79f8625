// Feeds arbitrary text to the immediate window as a script: whatever the statements, the
// interpreter and the control must answer with values or errors, never crash or hang.
//
// Windows stay small so that painting is quick: extreme geometry is reached through
// coordinates (scale sizes, block values, offsets, mouse positions), not through window
// sizes. A `:size W H` line is kept only for a window of at most 8,192 pixels (a new
// window buffer is most of what an input allocates); commands that touch files
// (:save, :store, :load, :ramp) are dropped. The script runs with Redraw off and the
// control paints once at its end, as a host that sets many properties at once would have
// it; a script that turns Redraw on paints at each statement after that.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "tools/vgi/interpreter.h"

namespace {

constexpr long kMaxSide = 512;
constexpr long kMaxPixels = 8 * 1024;

// The command word of a host command line (":word ..."), or empty for a statement: the
// first word after the colon as the interpreter reads it, split at any white space (a
// vertical tab ends it as a space does), in lower case.
std::string CommandWord(std::string_view line) {
  size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos || line[first] != ':') return {};
  std::istringstream words{std::string(line.substr(first + 1))};
  std::string word;
  words >> word;
  for (char& c : word) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return word;
}

bool SmallSize(const std::string& line) {
  std::istringstream words(line.substr(line.find_first_of("sS")));
  std::string command;
  long width = -1, height = -1;
  words >> command >> width >> height;
  return width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  std::istringstream in(script);
  std::ostringstream lines;
  lines << "Redraw = False\n";
  std::string line;
  while (std::getline(in, line)) {
    const std::string word = CommandWord(line);
    if (word == "save" || word == "store" || word == "load" || word == "ramp") continue;
    if (word == "size" && !SmallSize(line)) continue;
    lines << line << '\n';
  }
  lines << "Redraw = True\n";
  std::ostringstream out;
  vg::vgi::SessionOptions options;
  options.width_px = 64;
  options.height_px = 24;
  vg::vgi::Interpreter interpreter(options, out);
  std::istringstream script_in(lines.str());
  interpreter.Run(script_in, false, false);
  return 0;
}
