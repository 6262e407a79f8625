#pragma once
// The host-boundary guard (platform/host/boundary_guard.h) for Qt code: runs what Qt calls
// into the control (an event handler, a timer tick, a Designer plugin call) and reports
// whatever it raises with qWarning, "Varigauge: <where>: error <number>: <description>",
// then through `also` when one is given (a widget emits its errorOccurred signal there).
// Nothing raised reaches Qt's event loop.
//
//   void Widget::paintEvent(QPaintEvent*) {
//     vg::QtGuard("paint", [&] { host_.Paint(); },
//                 [&](const vg::BoundaryFault& f) { emit errorOccurred(f.number, ...); });
//   }
//
// Returns true when the call completed.
#include <functional>

#include "platform/host/boundary_guard.h"

namespace vg {

// Writes the qWarning line of a fault.
void WarnBoundaryFault(const BoundaryFault& fault);

template <class Body>
bool QtGuard(const char* where, Body&& body,
             const std::function<void(const BoundaryFault&)>& also = {}) noexcept {
  return GuardBoundary(where, std::forward<Body>(body), [&](const BoundaryFault& fault) {
    WarnBoundaryFault(fault);
    if (also) also(fault);
  });
}

// The same for calls that answer with a value: `fallback` when the call raised.
template <class Result, class Body>
Result QtGuardOr(const char* where, Result fallback, Body&& body) noexcept {
  return GuardBoundaryOr(where, std::move(fallback), std::forward<Body>(body), WarnBoundaryFault);
}

}  // namespace vg
