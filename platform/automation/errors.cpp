#include "platform/automation/errors.h"

namespace vg {

std::string_view ErrorDescription(int32_t number) {
  switch (number) {
    case 5:
      return "Invalid procedure call or argument";
    case 6:
      return "Overflow";
    case 7:
      return "Out of memory";
    case 9:
      return "Subscript out of range";
    case 11:
      return "Division by zero";
    case 13:
      return "Type mismatch";
    case 51:
      return "Internal error";
    case 53:
      return "File not found";
    case 91:
      return "Object variable or With block variable not set";
    case 380:
      return "Invalid property value";
    case 383:
      return "'Set' not supported (read-only property)";
    case 393:
      return "Get not supported at run time";
    case 424:
      return "Object required";
    case 438:
      return "Object doesn't support this property or method";
    case 449:
      return "Argument not optional";
    case 450:
      return "Wrong number of arguments or invalid property assignment";
    case 481:
      return "Invalid picture";
    default:
      return "Application-defined or object-defined error";
  }
}

AutomationError::AutomationError(int32_t number)
    : AutomationError(number, std::string(ErrorDescription(number))) {}

AutomationError::AutomationError(int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

void Raise(int32_t number) {
  throw AutomationError(number);
}

}  // namespace vg
