// Feeds arbitrary text to the immediate window as a script: whatever the statements, the
// interpreter and the control must answer with values or errors, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "tools/vgi/interpreter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  std::istringstream in(script);
  std::ostringstream lines;
  std::string line;
  // Saving writes files, and a huge window only costs time: neither is what this tests.
  while (std::getline(in, line)) {
    if (line.find(":s") != std::string::npos || line.find(":S") != std::string::npos) continue;
    lines << line << '\n';
  }
  std::ostringstream out;
  vg::vgi::SessionOptions options;
  options.width_px = 64;
  options.height_px = 24;
  vg::vgi::Interpreter interpreter(options, out);
  std::istringstream script_in(lines.str());
  interpreter.Run(script_in, false, false);
  return 0;
}
