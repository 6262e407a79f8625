#pragma once
// Automation errors by number. The control raises them as exceptions; the dispatch layer
// turns them into error results. Descriptions are the host's standard texts for each number.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vg {

namespace err {
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kInternalError = 51;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kGetNotSupportedAtRunTime = 393;
inline constexpr int32_t kNoObject = 424;
inline constexpr int32_t kNotSupported = 438;
inline constexpr int32_t kArgumentNotOptional = 449;
inline constexpr int32_t kWrongArguments = 450;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kInvalidPicture = 481;
inline constexpr int32_t kInvalidProcedureCall = 5;
}  // namespace err

// The standard description of an automation error number ("Overflow" for 6, ...). Numbers
// without a standard text get "Application-defined or object-defined error".
std::string_view ErrorDescription(int32_t number);

class AutomationError : public std::runtime_error {
 public:
  explicit AutomationError(int32_t number);
  AutomationError(int32_t number, std::string description);
  int32_t number() const noexcept { return number_; }
  const std::string& description() const noexcept { return description_; }

 private:
  int32_t number_;
  std::string description_;
};

[[noreturn]] void Raise(int32_t number);

}  // namespace vg
