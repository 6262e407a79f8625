// A control written into a JSON property bag and read back from one: keys and their order,
// the default rule, what reading puts where, and reads that stop at a bad key.
#include <gtest/gtest.h>

#include "control/varigauge.h"
#include "forms/json_bag.h"
#include "platform/automation/errors.h"
#include "platform/host/headless_host.h"
#include "tests/control/control_fixture.h"

namespace vg::forms {
namespace {

using testing::ErrorOf;
using testing::PlacedControl;
using Peer = VarigaugeTestPeer;

// A control created from a stored bag, as a host loads a form (ReadProperties is run
// directly so a failing key can be seen).
struct LoadedControl {
  explicit LoadedControl(const std::string& json) : bag(JsonPropertyBag::FromJson(json)) {
    host.Create([this](UserControl& site) {
      control = std::make_shared<Varigauge>(site);
      return control;
    });
  }
  int Read() {
    return ErrorOf([&] { control->UserControl_ReadProperties(bag); });
  }
  HeadlessHost host;
  JsonPropertyBag bag;
  std::shared_ptr<Varigauge> control;
  Varigauge& c() { return *control; }
};

std::string Written(Varigauge& c) {
  JsonPropertyBag bag;
  c.UserControl_WriteProperties(bag);
  return bag.ToJson();
}

std::vector<std::string> Keys(Varigauge& c) {
  JsonPropertyBag bag;
  c.UserControl_WriteProperties(bag);
  std::vector<std::string> keys;
  for (const auto& entry : bag.entries()) keys.push_back(entry.first);
  return keys;
}

TEST(StoredControl, ANewControlStoresNothingAndItsSizeOnlyWhenChanged) {
  PlacedControl p;
  EXPECT_EQ(Written(p.c()), "{}");
  p.host.SetWidth(1200);
  EXPECT_EQ(Written(p.c()), R"j({"width":1200})j");
  p.host.SetWidth(900);
  p.host.SetHeight(330);
  EXPECT_EQ(Written(p.c()), R"j({"height":330})j");
  LoadedControl l(R"j({"height":330})j");
  ASSERT_EQ(l.Read(), 0);
  EXPECT_EQ(l.host.Height(), 330);
  EXPECT_EQ(l.host.Width(), 900);
}

TEST(StoredControl, KeysFollowTheWriteOrderWithEveryBlocksKeysAfterTheCount) {
  PlacedControl p;
  p.host.SetUserMode(false);
  for (int i = 0; i < 3; ++i) p.c().AddBlock();
  p.c().put_BlockText(Variant::Integer(2), "two");
  p.c().put_BlockBarTop(Variant::Integer(3), 50);
  p.c().put_Caption("Disk");
  p.c().put_PictureOffset(4);
  p.c().put_DontRefreshAfterPropertyPage(true);
  p.host.SetHeight(450);
  std::vector<std::string> keys = Keys(p.c());
  // Each new block has its own text font (not the ambient one) and bars at -1, 100, 0:
  // the left and right bars and the font differ from the stored defaults.
  std::vector<std::string> expected = {"blocks"};
  for (int n = 1; n <= 3; ++n) {
    std::string i = std::to_string(n) + ")";
    if (n == 3) expected.push_back("block.bartop(" + i);
    if (n == 2) expected.push_back("block.text(" + i);
    expected.push_back("block.textfont(" + i);
  }
  for (const char* k : {"height", "caption", "dontrefreshafterpropertypage", "pictureoffset"})
    expected.push_back(k);
  EXPECT_EQ(keys, expected);
}

TEST(StoredControl, BlocksAreReadUpToTheStoredCountOnly) {
  LoadedControl three(
      R"j({"blocks":3,"block.text(3)":"c","block.text(4)":"ignored","block.text(0)":"no"})j");
  ASSERT_EQ(three.Read(), 0);
  EXPECT_EQ(Peer::blocks(three.c()).count(), 3);
  EXPECT_EQ(Peer::blocks(three.c()).records().size(), 4u);
  EXPECT_EQ(Peer::blocks(three.c()).At(3).Text, "c");
  EXPECT_EQ(Peer::blocks(three.c()).At(0).Text, "");

  LoadedControl none(R"j({"block.text(1)":"a","BLOCK.TEXT(2)":"b"})j");
  ASSERT_EQ(none.Read(), 0);
  EXPECT_EQ(Peer::blocks(none.c()).count(), 0);
  EXPECT_EQ(Peer::blocks(none.c()).records().size(), 1u);
}

TEST(StoredControl, AbsentBlockKeysReadAsTheirStoredDefaults) {
  LoadedControl l(R"j({"Blocks":1,"BLOCK.TEXT(1)":"any case"})j");
  ASSERT_EQ(l.Read(), 0);
  const BlockRecord& b = Peer::blocks(l.c()).At(1);
  EXPECT_EQ(b.Text, "any case");
  EXPECT_EQ(b.HPercentage, "0");
  EXPECT_EQ(b.VPercentage, "0");
  EXPECT_EQ(b.BarLeft, -1);
  EXPECT_EQ(b.BarTop, 100);
  EXPECT_EQ(b.Color, 0x808080u);
  EXPECT_TRUE(b.Visible);
  EXPECT_EQ(b.TextFont, l.host.AmbientFont());  // the ambient font object itself
  EXPECT_FALSE(b.Picture);
}

TEST(StoredControl, ValuesGoIntoTheStateAsStored) {
  LoadedControl l(R"j({"captionangle":-45,"dontrefreshafterpropertypage":true,)j"
                  R"j("backcolor":255,"indexblock":7,"timertimeinterval":500,)j"
                  R"j("timertimeenabled":true,"width":1200,"redraw":false})j");
  ASSERT_EQ(l.Read(), 0);
  EXPECT_EQ(l.c().get_CaptionAngle(), -45);
  EXPECT_EQ(Peer::state(l.c()).dont_refresh_after_property_page, false);
  EXPECT_EQ(l.c().get_BackColor(), 255u);
  EXPECT_EQ(l.host.BackColor(), 0x8000000Fu);  // the window's own colour is not changed
  EXPECT_EQ(l.c().get_IndexBlock(), 7);
  EXPECT_EQ(Peer::state(l.c()).timer_time_interval, 500);
  EXPECT_TRUE(Peer::state(l.c()).timer_time_enabled);
  // Each timer is set from its stored keys; the disk timer's are absent: stopped, 60000.
  EXPECT_TRUE(l.c().timerTimeInformation()->get_Enabled());
  EXPECT_EQ(l.c().timerTimeInformation()->get_Interval(), 500);
  EXPECT_FALSE(l.c().timerDiskInformation()->get_Enabled());
  EXPECT_EQ(l.c().timerDiskInformation()->get_Interval(), 60000);
  EXPECT_EQ(l.host.Width(), 1200);
  EXPECT_EQ(l.host.TakeNotifications(), std::vector<std::string>{"Font"});
}

TEST(StoredControl, ReadingDoesNotRedraw) {
  LoadedControl l(R"j({"blocks":1,"block.barleft(1)":0,"block.barright(1)":100})j");
  int before = gdi::WindowUpdateCount(l.host.hDC());
  ASSERT_EQ(l.Read(), 0);
  EXPECT_EQ(gdi::WindowUpdateCount(l.host.hDC()), before);
  l.host.Paint();
  EXPECT_EQ(gdi::WindowUpdateCount(l.host.hDC()), before + 1);
}

TEST(StoredControl, AReadStopsAtABadKeyWithEarlierKeysApplied) {
  // Caption (read before CaptionAlignment) is applied; Orientation (after) is not.
  LoadedControl text(R"j({"orientation":2,"caption":"x","captionalignment":"left"})j");
  EXPECT_EQ(text.Read(), 13);
  EXPECT_EQ(text.bag.last_key(), "captionalignment");
  EXPECT_EQ(text.c().get_Caption(), "x");
  EXPECT_EQ(text.c().get_Orientation(), 0);

  LoadedControl wide(R"j({"blocks":1,"block.textangle(1)":40000})j");
  EXPECT_EQ(wide.Read(), 6);
  EXPECT_EQ(wide.bag.last_key(), "block.textangle(1)");

  LoadedControl font(R"j({"font":{"type":0}})j");
  EXPECT_EQ(font.Read(), 13);
  LoadedControl picture(R"j({"picture":{"name":"Arial"}})j");
  EXPECT_EQ(picture.Read(), 13);
  EXPECT_EQ(picture.bag.last_key(), "picture");
  // Numeric text is a number.
  LoadedControl numeric(R"j({"hmaxvalue":"250"})j");
  EXPECT_EQ(numeric.Read(), 0);
  EXPECT_EQ(numeric.c().get_HMaxValue(), 250);
}

TEST(StoredControl, ABlockCountNoMemoryHoldsFailsBeforeAllocating) {
  LoadedControl huge(R"j({"blocks":2147483647,"caption":"later"})j");
  EXPECT_EQ(huge.Read(), 7);
  EXPECT_FALSE(Peer::blocks(huge.c()).exists());
  EXPECT_EQ(Peer::blocks(huge.c()).count(), 0);
  EXPECT_EQ(huge.c().get_Caption(), "");

  LoadedControl negative(R"j({"blocks":-2,"block.text(1)":"x","caption":"later"})j");
  EXPECT_EQ(negative.Read(), 0);
  EXPECT_EQ(Peer::blocks(negative.c()).count(), -2);
  EXPECT_FALSE(Peer::blocks(negative.c()).exists());
  EXPECT_EQ(negative.c().get_Caption(), "later");
}

TEST(StoredControl, WhatIsWrittenReadsBackToTheSameBag) {
  PlacedControl p;
  for (int i = 0; i < 2; ++i) p.c().AddBlock();
  StdFontRef bold = StdFont::Create("Arial", 12);
  bold->SetBold(true);
  p.c().putref_Font(bold);
  p.c().put_BlockHPercentage(Variant::Integer(1), "42");
  p.c().put_BlockKey(Variant::Integer(2), "disk");
  p.c().putref_BlockPicture(Variant::Integer(2),
                            StdPicture::FromPixels(2, 1, {RGB(255, 0, 0), RGB(0, 0, 255)}));
  p.c().put_GradientStyle(3);
  p.c().put_ForeColor(0xFF);
  p.c().put_Enabled(false);
  std::string json = Written(p.c());

  LoadedControl l(json);
  ASSERT_EQ(l.Read(), 0);
  EXPECT_EQ(l.c().get_Font()->Name(), "Arial");
  EXPECT_TRUE(l.c().get_Font()->Bold());
  EXPECT_EQ(l.host.ForeColor(), 0xFFu);
  EXPECT_FALSE(l.host.Enabled());
  EXPECT_EQ(Peer::blocks(l.c()).At(2).Picture->Pixels()[1], RGB(0, 0, 255));
  EXPECT_EQ(Written(l.c()), json);
}

}  // namespace
}  // namespace vg::forms
