// The immediate window's time and disk commands: ticks only for running timers, the manual
// clock, the wall time, drive maps, and their usage errors.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/tools/run_script.h"
#include "tools/vgi/interpreter.h"

namespace vg::vgi {
namespace {

std::string RunLive(const std::string& script) {
  return testing::RunScript(script);
}

TEST(VgiLive, TicksReachOnlyRunningTimersAndTheClockDeliversInTimeOrder) {
  EXPECT_EQ(RunLive(":tick time\n"  // stopped: nothing at all
                    ":tick disk 3\n"
                    ":events\n"
                    "TimerTimeEnabled = True\n"
                    "TimerDiskInterval = 1500\n"
                    "TimerDiskEnabled = True\n"
                    ":tick time 2\n"
                    ":tick disk\n"
                    ":events\n"
                    ":advance 3000\n"
                    ":events\n"
                    "TimerTimeEnabled = False\n"
                    ":tick time 5\n"
                    ":advance 1000\n"
                    ":events\n"),
            "TimerTime\nTimerTime\nTimerDisk\n"
            "TimerTime\nTimerDisk\nTimerTime\nTimerTime\nTimerDisk\n");
}

TEST(VgiLive, DrivesReportWhatTheMapSays) {
  EXPECT_EQ(RunLive("AddBlock\n"
                    "BlockBarLeft(1) = 0\n"
                    "BlockBarRight(1) = 100\n"
                    "BlockBarTop(1) = 100\n"
                    ":disk c 573000 1000000\n"
                    "BlockText(1) = \"C: !show horizontal ratio used:C!\"\n"
                    "? BlockBarRight(1)\n"
                    ":disk C fail\n"
                    "Refresh\n"
                    "? BlockBarRight(1)\n"
                    ":disk c 4000000000 5000000000\n"
                    "Refresh\n"
                    "? BlockBarRight(1)\n"
                    ":disk c /\n"
                    "Refresh\n"),
            "42\n0\n20\n");
}

TEST(VgiLive, BadCommandsAreHostErrors) {
  EXPECT_EQ(RunLive(":tick\n"
                    ":tick clock\n"
                    ":tick time -1\n"
                    ":tick time 1 2\n"
                    ":advance\n"
                    ":advance -5\n"
                    ":advance 99999999999\n"
                    ":now 2026-02-30 00:00:00\n"
                    ":now tomorrow\n"
                    ":disk\n"
                    ":disk c\n"
                    ":disk 1 fail\n"
                    ":disk cd fail\n"
                    ":disk c 9 5\n"
                    ":disk c /no/such/place\n"
                    ":now 2026-12-07 17:45:12\n"),
            "Host error: usage: :tick time|disk [N]\n"
            "Host error: usage: :tick time|disk [N]\n"
            "Host error: bad tick count: -1 (0 to 10000)\n"
            "Host error: usage: :tick time|disk [N]\n"
            "Host error: usage: :advance MS (0 to 600000)\n"
            "Host error: usage: :advance MS (0 to 600000)\n"
            "Host error: usage: :advance MS (0 to 600000)\n"
            "Host error: usage: :now YYYY-MM-DD HH:MM:SS (a valid date and time)\n"
            "Host error: usage: :now YYYY-MM-DD HH:MM:SS (a valid date and time)\n"
            "Host error: usage: :disk X FREE TOTAL | :disk X fail | :disk X PATH\n"
            "Host error: usage: :disk X FREE TOTAL | :disk X fail | :disk X PATH\n"
            "Host error: usage: :disk X FREE TOTAL | :disk X fail | :disk X PATH\n"
            "Host error: usage: :disk X FREE TOTAL | :disk X fail | :disk X PATH\n"
            "Host error: free bytes exceed the total\n"
            "Host error: no file system holds /no/such/place\n");
}

}  // namespace
}  // namespace vg::vgi
