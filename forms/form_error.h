#pragma once
// Failures of form files. A FormError's message names the file and, where it applies, the
// control and the key, so a person can find the fault; a BagError is a fault inside one
// property bag, which the form reader turns into a FormError.
#include <stdexcept>
#include <string>

namespace vg::forms {

class FormError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class BagError : public std::runtime_error {
 public:
  BagError(std::string key, const std::string& reason)
      : std::runtime_error(reason), key_(std::move(key)) {}
  // The key in lower case; empty when the fault is in the bag as a whole.
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

}  // namespace vg::forms
