#pragma once
// modTimer: the thread's table of timer links and the timer callback. The table
// (colTimerLinks) maps the decimal text of a running timer's id ("42") to its relay; one
// table per thread, made by the first clsTimer of the thread and shared by every control
// on it. TimerProc, called by the timer service for every tick, finds the relay and raises
// its tick; ticks of unknown ids are ignored, and no error of the tick's work leaves it.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "control/interval_timer.h"

namespace vg {

using TimerLinks = std::map<std::string, std::shared_ptr<clsTimerLink>, std::less<>>;

// The calling thread's table, made on first use.
TimerLinks& colTimerLinks();
// Whether the calling thread's table has been made.
bool TimerLinksExist();

// The table key of a timer id: its decimal digits, written into `buffer`.
std::string_view TimerKey(uintptr_t id, char (&buffer)[24]);

void TimerProc(uintptr_t hwnd, uint32_t msg, uintptr_t id, uint32_t time);

}  // namespace vg
