#pragma once
// The guard at the host boundary: every call from outside into a control (a toolkit's event
// handler, a timer tick, a C entry point, a form designer's plugin call) runs through
// GuardBoundary, so that nothing the control raises escapes into code that cannot take it
// (an event loop, a C caller). What was raised is reported once, with an automation error
// number and a description:
//
//   vg::AutomationError   its own number and description (6 "Overflow", 380, ...)
//   std::bad_alloc        7 "Out of memory"
//   any std::exception    51 "Internal error: <what()>"
//   anything else         51 "Internal error"
//
// Usage, in an event handler of a toolkit:
//
//   void Widget::resizeEvent(QResizeEvent* e) {
//     vg::GuardBoundary("resize", [&] { host_.ResizePixels(w, h); },
//                       [&](const vg::BoundaryFault& f) { emit errorOccurred(f.number, ...); });
//   }
//
// GuardBoundary returns true when the call completed and false when it raised (and was
// reported). GuardBoundaryOr returns the call's result, or `fallback` when it raised: for
// entry points that answer with a code. The reporter itself must not raise; if it does,
// that is swallowed too (the boundary holds even then).
//
// The guard belongs only where the outside calls in. Late-bound and typed calls made by a
// program still raise their errors to that program; drawing stays as it was when a pass
// fails, because a failed pass copies nothing to the window.
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <utility>

#include "platform/automation/errors.h"

namespace vg {

// What a guarded call raised.
struct BoundaryFault {
  const char* where = "";  // the entry point, as the caller named it ("paint", "timer tick")
  int32_t number = 0;      // the automation error number
  std::string description;
};

// Turns the exception being handled into a fault. Call only inside a catch block.
inline BoundaryFault CurrentBoundaryFault(const char* where) noexcept {
  BoundaryFault fault;
  fault.where = where;
  try {
    try {
      throw;
    } catch (const AutomationError& e) {
      fault.number = e.number();
      fault.description = e.description();
    } catch (const std::bad_alloc&) {
      fault.number = err::kOutOfMemory;
      fault.description = std::string(ErrorDescription(err::kOutOfMemory));
    } catch (const std::exception& e) {
      fault.number = err::kInternalError;
      fault.description = std::string(ErrorDescription(err::kInternalError)) + ": " + e.what();
    } catch (...) {
      fault.number = err::kInternalError;
      fault.description = std::string(ErrorDescription(err::kInternalError));
    }
  } catch (...) {
    // Copying a description ran out of memory: the number alone is reported.
  }
  return fault;
}

namespace detail {

template <class Report>
void ReportBoundaryFault(const char* where, Report& report) noexcept {
  try {
    report(CurrentBoundaryFault(where));
  } catch (...) {
    // A reporter that raises must not undo the guard.
  }
}

}  // namespace detail

// Runs `body()`; whatever it raises is reported through `report(const BoundaryFault&)` and
// goes no further. True when the body completed.
template <class Body, class Report>
bool GuardBoundary(const char* where, Body&& body, Report&& report) noexcept {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (...) {
    detail::ReportBoundaryFault(where, report);
    return false;
  }
}

// Runs `body()` and returns its result; when it raises, reports and returns `fallback`.
template <class Result, class Body, class Report>
Result GuardBoundaryOr(const char* where, Result fallback, Body&& body, Report&& report) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    detail::ReportBoundaryFault(where, report);
    return fallback;
  }
}

}  // namespace vg
