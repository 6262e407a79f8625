#pragma once
// The thread's table of timer links and the timer callback. The table
// (ThreadTimerLinks) maps a running timer's id to its relay; one
// table per thread, made by the first IntervalTimer of the thread and shared by every control
// on it. TimerProc, called by the timer service for every tick, finds the relay and raises
// its tick; ticks of unknown ids are ignored, and no error of the tick's work leaves it.
#include <cstdint>
#include <map>
#include <memory>

#include "control/interval_timer.h"

namespace vg {

using TimerLinks = std::map<uintptr_t, std::shared_ptr<TimerLink>>;

// The calling thread's table, made on first use.
TimerLinks& ThreadTimerLinks();
// Whether the calling thread's table has been made.
bool TimerLinksExist();

void TimerProc(uintptr_t hwnd, uint32_t msg, uintptr_t id, uint32_t time);

}  // namespace vg
