#include "control/timer_dispatch.h"

#include <optional>

namespace vg {
namespace {

thread_local std::optional<TimerLinks> thread_links;

}  // namespace

TimerLinks& ThreadTimerLinks() {
  if (!thread_links) thread_links.emplace();
  return *thread_links;
}

bool TimerLinksExist() {
  return thread_links.has_value();
}

void TimerProc(uintptr_t /*hwnd*/, uint32_t /*msg*/, uintptr_t id, uint32_t /*time*/) {
  try {
    if (!thread_links) return;
    const auto it = thread_links->find(id);
    if (it == thread_links->end()) return;
    // Held here: the tick's work may stop the timer (dropping the table's reference) or
    // end the control that owns it.
    const std::shared_ptr<TimerLink> link = it->second;
    link->RaiseTick();
  } catch (...) {
    // The tick ends quietly; the next one comes as usual.
  }
}

}  // namespace vg
