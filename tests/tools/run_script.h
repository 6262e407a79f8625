#pragma once
// Runs a script in a fresh immediate-window session and returns what it printed.
#include <sstream>
#include <string>

#include "tools/vgi/interpreter.h"

namespace vg::testing {

inline std::string RunScript(const std::string& script, vgi::SessionOptions options = {},
                             bool strict = false, int* status = nullptr) {
  std::ostringstream out;
  vgi::Interpreter interpreter(options, out);
  std::istringstream in(script);
  const int s = interpreter.Run(in, strict, false);
  if (status) *status = s;
  return out.str();
}

}  // namespace vg::testing
