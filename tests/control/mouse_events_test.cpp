// Mouse and click events of a placed control: BlockClicked before Click, the hit test fed
// by the latest render pass, silence while disabled, errors of the host's Click handler
// caught, and the About members asking the host for its About box.
#include "control/enums.h"
#include "control/type_library.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using testing::PlacedControl;

std::vector<std::string> Names(const std::vector<RecordedEvent>& events) {
  std::vector<std::string> out;
  for (const RecordedEvent& e : events)
    out.push_back(e.name + (e.args.empty() ? "" : " " + std::to_string(e.args[0].integer())));
  return out;
}

// 202 x 102 pixels with the default 1-pixel inset border: 200 x 100 inside, so on the
// default 0..100 scales a step is 2 pixels across and 1 down.
struct Clicks : ::testing::Test {
  Clicks() : p(testing::Pixels(202, 102)) {
    Varigauge& c = p.c();
    c.put_Blocks(2);
    for (int16_t n = 1; n <= 2; ++n) {
      c.put_BlockClickable(Variant::Integer(n), true);
      c.put_BlockBarLeft(Variant::Integer(n), static_cast<int16_t>(n * 20));
      c.put_BlockBarRight(Variant::Integer(n), static_cast<int16_t>(n * 20 + 10));
      c.put_BlockBarTop(Variant::Integer(n), 80);
      c.put_BlockBarBottom(Variant::Integer(n), 20);
    }
    p.host.TakeEvents();
  }
  void Click(float x, float y, int16_t button = 1) {
    p.host.MouseUp(button, 0, x, y);
    p.host.Click();
  }
  PlacedControl p;
};

TEST_F(Clicks, BlockClickedComesBeforeClick) {
  EXPECT_EQ(VarigaugeTestPeer::HScale(p.c()), 2.0f);
  EXPECT_EQ(VarigaugeTestPeer::VScale(p.c()), 1.0f);
  int updates = p.Updates();
  Click(40, 20);     // block 1's left-top corner: x 40..60, y 20..80
  Click(60, 80);     // its right-bottom corner
  Click(81, 50, 2);  // block 2, right button
  Click(62, 50);     // between the two
  p.host.DblClick();
  EXPECT_EQ(Names(p.host.TakeEvents()),
            (std::vector<std::string>{"BlockClicked 1", "Click", "BlockClicked 1", "Click",
                                      "BlockClicked 2", "Click", "BlockClicked -1", "Click",
                                      "DblClick"}));
  EXPECT_EQ(p.Updates(), updates);  // a click draws nothing
}

TEST_F(Clicks, TheScaleFactorsAreThoseOfTheLatestPass) {
  p.c().put_HMaxValue(50);  // a step is now 4 pixels across: block 1 spans x 80..120
  Click(50, 50);
  Click(100, 50);
  // A scale that does not start at 0 still measures from 0, and the vertical one counts
  // 100 steps down from the top: with VMinValue 50 and VMaxValue 150 the factor stays 1.
  p.c().put_HMinValue(10);
  p.c().put_HMaxValue(110);
  p.c().put_VMinValue(50);
  p.c().put_VMaxValue(150);
  Click(40, 20);
  // Exchanged factors from the top: block 1 spans x 20..30 and y 40..160.
  p.c().put_Orientation(vgFromTop);
  Click(25, 100);
  EXPECT_EQ(Names(p.host.TakeEvents()),
            (std::vector<std::string>{"BlockClicked -1", "Click", "BlockClicked 1", "Click",
                                      "BlockClicked 1", "Click", "BlockClicked 1", "Click"}));
}

TEST_F(Clicks, NoBlocksReportsMinusOne) {
  p.c().put_Blocks(0);
  Click(40, 20);
  p.c().put_Blocks(-3);  // a negative count is allowed and holds no block
  Click(40, 20);
  EXPECT_EQ(Names(p.host.TakeEvents()),
            (std::vector<std::string>{"BlockClicked -1", "Click", "BlockClicked -1", "Click"}));
}

TEST_F(Clicks, ADisabledControlHearsNothing) {
  p.c().put_Enabled(false);
  Click(40, 20);
  p.host.DblClick();
  EXPECT_TRUE(p.host.TakeEvents().empty());
  p.c().put_Enabled(true);
  Click(40, 20);
  EXPECT_EQ(p.host.TakeEvents().size(), 2u);
}

TEST_F(Clicks, AnErrorInTheHostsClickHandlerEndsTheNotificationQuietly) {
  std::vector<std::string> handled;
  p.host.SetEventHandler([&](const std::string& name, std::vector<Variant>& args) {
    handled.push_back(name);
    if (name == "BlockClicked") args[0] = Variant::Integer(99);  // by reference; ignored
    if (name == "Click" || name == "DblClick") Raise(err::kInvalidProcedureCall);
  });
  EXPECT_NO_THROW(Click(40, 20));
  EXPECT_NO_THROW(p.host.DblClick());
  EXPECT_EQ(handled, (std::vector<std::string>{"BlockClicked", "Click", "DblClick"}));
  // An error in the BlockClicked handler is the host's own: its window reports it (the
  // window system's call raises nothing).
  p.host.SetEventHandler([](const std::string& name, std::vector<Variant>&) {
    if (name == "BlockClicked") Raise(err::kInvalidProcedureCall);
  });
  EXPECT_EQ(testing::ErrorOf([&] { p.host.MouseUp(1, 0, 40, 20); }), 0);
  const std::vector<BoundaryFault> faults = p.host.TakeFaults();
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_EQ(faults[0].number, err::kInvalidProcedureCall);
}

TEST(AboutBox, BothMembersAskTheHostEachTime) {
  PlacedControl p;
  Varigauge& c = p.c();
  p.host.TakeEvents();
  p.host.TakeNotifications();
  c.About();
  ASSERT_TRUE(Invoke(c, "ShowAboutBox", DISPATCH_METHOD, {}).ok());
  ASSERT_TRUE(Invoke(c, DISPID{-552}, DISPATCH_METHOD, {}).ok());
  EXPECT_EQ(Names(p.host.TakeEvents()),
            (std::vector<std::string>{"AboutBox", "AboutBox", "AboutBox"}));
  EXPECT_TRUE(p.host.TakeNotifications().empty());
}

}  // namespace
}  // namespace vg
