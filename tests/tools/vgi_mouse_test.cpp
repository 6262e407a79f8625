// The immediate window's mouse commands, its event record and its member listing.
#include <gtest/gtest.h>

#include <sstream>

#include "control/members.h"
#include "tests/tools/run_script.h"
#include "tools/vgi/interpreter.h"

namespace vg::vgi {
namespace {

std::string RunVgi(const std::string& script, SessionOptions options = {}) {
  return testing::RunScript(script, options);
}

TEST(VgiMouse, ClicksAndDoubleClicksReachTheHostAsEvents) {
  SessionOptions size;
  size.width_px = 202;  // 200 x 100 inside the inset border
  size.height_px = 102;
  EXPECT_EQ(RunVgi("Blocks = 2\n"
                   "BlockClickable(2) = True\n"
                   "BlockBarLeft(2) = 20\n"
                   "BlockBarRight(2) = 30\n"
                   "BlockBarTop(2) = 80\n"
                   "BlockBarBottom(2) = 20\n"
                   ":click 40 20\n"
                   ":click 60 80 right\n"
                   ":click 10 10 middle\n"
                   ":dblclick 40 20\n"
                   "About\n"
                   ":events\n"
                   "Enabled = False\n"
                   ":click 40 20\n"
                   ":dblclick 40 20\n"
                   ":events\n",
                   size),
            "BlockClicked 2\nClick\nBlockClicked 2\nClick\nBlockClicked -1\nClick\nDblClick\n"
            "AboutBox\n");
}

TEST(VgiMouse, BadMouseCommandsSayHowToUseThem) {
  EXPECT_EQ(RunVgi(":click 1\n:click 1 2 thumb\n:dblclick 1 2 left\n:click x 2\n"),
            "Host error: usage: :click X Y [left|right|middle]\n"
            "Host error: bad button: thumb (left, right or middle)\n"
            "Host error: usage: :dblclick X Y\n"
            "Host error: bad x: x\n");
}

TEST(VgiMouse, MembersListsTheInterfaceInOrder) {
  std::string out = RunVgi(":members\n");
  std::istringstream lines(out);
  std::string line;
  size_t n = 0;
  while (std::getline(lines, line)) {
    ASSERT_LT(n, Members().size());
    EXPECT_EQ(line.substr(0, line.find(' ')), Members()[n].name);
    ++n;
  }
  EXPECT_EQ(n, Members().size());
  EXPECT_EQ(out.substr(0, 55), "Refresh &H6003004D method\nBackColor &H68030047 get/let\n");
  EXPECT_NE(out.find("\nFont &HFFFFFE00 get/set\n"), std::string::npos);
  EXPECT_NE(out.find("\nBlockAutoSize &H68030000 get/let\n"), std::string::npos);
}

}  // namespace
}  // namespace vg::vgi
