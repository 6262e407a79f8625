#pragma once
// A failure of the immediate window itself (a bad host command, a file it cannot read or
// write), as opposed to an automation error raised by the control.
#include <stdexcept>

namespace vg::vgi {

class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vg::vgi
