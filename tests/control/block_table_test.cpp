// The block table: adding, deleting, resizing, clearing and addressing blocks.
#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using Peer = VarigaugeTestPeer;
using testing::ErrorOf;
using testing::Pixels;
using testing::PlacedControl;

Variant N(int n) {
  return Variant::Integer(static_cast<int16_t>(n));
}
Variant S(const char* s) {
  return Variant::String(s);
}

// Gives block n distinct values in every field, derived from `seed`.
void Mark(BlockRecord& r, int seed) {
  r.Key = "k" + std::to_string(seed);
  r.BarLeft = static_cast<int16_t>(seed);
  r.BarRight = static_cast<int16_t>(seed + 1);
  r.BarTop = static_cast<int16_t>(seed + 2);
  r.BarBottom = static_cast<int16_t>(seed + 3);
  r.BorderStyle = static_cast<int16_t>(seed + 4);
  r.BorderWidth = static_cast<int16_t>(seed + 5);
  r.ShapeStyle = 1;
  r.BrushStyle = static_cast<int16_t>(seed + 6);
  r.BrushColor = static_cast<OLE_COLOR>(seed + 7);
  r.Visible = seed % 2 == 0;
  r.HPercentage = std::to_string(seed + 8);
  r.VPercentage = std::to_string(seed + 9);
  r.OnTop = true;
  r.Color = static_cast<OLE_COLOR>(seed + 10);
  r.GradientStyle = static_cast<int16_t>(seed + 11);
  r.GradientGranularity = static_cast<int16_t>(seed + 12);
  r.GradientColor = static_cast<OLE_COLOR>(seed + 13);
  r.GradientColorEnd = static_cast<OLE_COLOR>(seed + 14);
  r.Text = "text " + std::to_string(seed);
  r.TextColor = static_cast<OLE_COLOR>(seed + 15);
  r.TextAlignment = static_cast<int16_t>(seed + 16);
  r.TextFont = StdFont::Create("Font" + std::to_string(seed), 9);
  r.TextFont3D = static_cast<int16_t>(seed + 17);
  r.TextOffset = static_cast<int16_t>(seed + 18);
  r.TextAngle = static_cast<int16_t>(seed + 19);
  r.TextAutoAngle = static_cast<int16_t>(seed + 20);
  r.RivetsStyle = static_cast<int16_t>(seed + 21);
  r.Picture = StdPicture::Empty();
  r.PictureOffset = static_cast<int16_t>(seed + 22);
  r.PictureAlignment = static_cast<int16_t>(seed + 23);
  r.PictureTile = static_cast<int16_t>(seed + 24);
  r.Clickable = false;
  r.AutoSize = false;
}

void ExpectSameFields(const BlockRecord& a, const BlockRecord& b) {
  EXPECT_EQ(a.Key, b.Key);
  EXPECT_EQ(a.BarLeft, b.BarLeft);
  EXPECT_EQ(a.BarRight, b.BarRight);
  EXPECT_EQ(a.BarTop, b.BarTop);
  EXPECT_EQ(a.BarBottom, b.BarBottom);
  EXPECT_EQ(a.BorderStyle, b.BorderStyle);
  EXPECT_EQ(a.BorderWidth, b.BorderWidth);
  EXPECT_EQ(a.ShapeStyle, b.ShapeStyle);
  EXPECT_EQ(a.BrushStyle, b.BrushStyle);
  EXPECT_EQ(a.BrushColor, b.BrushColor);
  EXPECT_EQ(a.Visible, b.Visible);
  EXPECT_EQ(a.HPercentage, b.HPercentage);
  EXPECT_EQ(a.VPercentage, b.VPercentage);
  EXPECT_EQ(a.OnTop, b.OnTop);
  EXPECT_EQ(a.Color, b.Color);
  EXPECT_EQ(a.GradientStyle, b.GradientStyle);
  EXPECT_EQ(a.GradientGranularity, b.GradientGranularity);
  EXPECT_EQ(a.GradientColor, b.GradientColor);
  EXPECT_EQ(a.GradientColorEnd, b.GradientColorEnd);
  EXPECT_EQ(a.Text, b.Text);
  EXPECT_EQ(a.TextColor, b.TextColor);
  EXPECT_EQ(a.TextAlignment, b.TextAlignment);
  EXPECT_EQ(a.TextFont, b.TextFont);
  EXPECT_EQ(a.TextFont3D, b.TextFont3D);
  EXPECT_EQ(a.TextOffset, b.TextOffset);
  EXPECT_EQ(a.TextAngle, b.TextAngle);
  EXPECT_EQ(a.TextAutoAngle, b.TextAutoAngle);
  EXPECT_EQ(a.RivetsStyle, b.RivetsStyle);
  EXPECT_EQ(a.Picture, b.Picture);
  EXPECT_EQ(a.PictureOffset, b.PictureOffset);
  EXPECT_EQ(a.PictureAlignment, b.PictureAlignment);
  EXPECT_EQ(a.PictureTile, b.PictureTile);
  EXPECT_EQ(a.Clickable, b.Clickable);
  EXPECT_EQ(a.AutoSize, b.AutoSize);
}

void ExpectNewBlock(const BlockRecord& r) {
  BlockRecord fresh = BlockRecord::NewBlock(r.TextFont);
  ExpectSameFields(r, fresh);
}

TEST(BlockTable, TheFirstBlockCreatesTheTableWithItsSpareRecord) {
  PlacedControl p;
  Varigauge& c = p.c();
  EXPECT_EQ(ErrorOf([&] { c.Block(N(0)); }), 9);  // no table yet
  EXPECT_EQ(ErrorOf([&] { c.Block(S("x")); }), 9);
  p.host.TakeNotifications();
  int updates = p.Updates();
  c.AddBlock();
  EXPECT_EQ(c.get_Blocks(), 1);
  ASSERT_EQ(Peer::blocks(c).records().size(), 2u);
  const BlockRecord& spare = c.Block(N(0));
  EXPECT_EQ(spare.TextFont, nullptr);  // zero-filled
  EXPECT_EQ(spare.BarTop, 0);
  EXPECT_FALSE(spare.Visible);
  const BlockRecord& b = c.Block(N(1));
  ExpectNewBlock(b);
  EXPECT_EQ(b.BarLeft, -1);
  EXPECT_EQ(b.BarRight, -1);
  EXPECT_EQ(b.BarTop, 100);
  EXPECT_EQ(b.Color, 0x808080u);
  EXPECT_EQ(b.HPercentage, "0");
  ASSERT_NE(b.TextFont, nullptr);
  EXPECT_EQ(b.TextFont->Name(), "MS Sans Serif");
  EXPECT_EQ(b.TextFont->Size(), 8.25);
  EXPECT_TRUE(p.host.TakeNotifications().empty());  // AddBlock neither notifies nor draws
  EXPECT_EQ(p.Updates(), updates);
  StdFontRef first_font = b.TextFont;
  c.AddBlock();  // (may move the records: `b` is not used after this)
  EXPECT_NE(c.Block(N(2)).TextFont, first_font);  // each block has a font of its own
}

TEST(BlockTable, DeleteMovesEveryFieldOfTheBlocksAbove) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Redraw(false);  // keep the percentages as written
  c.put_Blocks(3);
  for (int i = 1; i <= 3; ++i) Mark(c.Block(N(i)), i * 100);
  c.Block(N(1)).Key = "a";
  c.Block(N(2)).Key = "b";
  c.Block(N(3)).Key = "c";
  BlockRecord third = c.Block(N(3));
  c.DeleteBlock(N(2));
  EXPECT_EQ(c.get_Blocks(), 2);
  EXPECT_EQ(Peer::blocks(c).records().size(), 3u);
  EXPECT_EQ(c.Block(N(1)).Key, "a");
  ExpectSameFields(c.Block(N(2)), third);
  EXPECT_EQ(ErrorOf([&] { c.Block(N(3)); }), 9);
}

TEST(BlockTable, DeleteByNumberNotByKey) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(3);
  for (int i = 1; i <= 3; ++i) c.Block(N(i)).Key = std::string(1, static_cast<char>('a' + i - 1));
  c.DeleteBlock(N(99));  // above the count: nothing moves, the last block goes
  EXPECT_EQ(c.get_Blocks(), 2);
  EXPECT_EQ(c.Block(N(2)).Key, "b");
  c.DeleteBlock(S(" 1"));  // numeric text is a number
  EXPECT_EQ(c.get_Blocks(), 1);
  EXPECT_EQ(c.Block(N(1)).Key, "b");
  EXPECT_EQ(ErrorOf([&] { c.DeleteBlock(S("b")); }), 13);
  EXPECT_EQ(c.get_Blocks(), 1);
  c.DeleteBlock(Variant::Double(0.5));  // 1 > 0.5: block 1 moves into the spare record
  EXPECT_EQ(c.get_Blocks(), 0);
  EXPECT_EQ(c.Block(N(0)).Key, "b");
}

TEST(BlockTable, DeleteBelowOneMovesBlockOneIntoTheSpareRecord) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(2);
  c.Block(N(1)).Key = "first";
  c.Block(N(2)).Key = "second";
  c.DeleteBlock(N(0));
  EXPECT_EQ(c.get_Blocks(), 1);
  EXPECT_EQ(c.Block(N(0)).Key, "first");
  EXPECT_EQ(c.Block(N(1)).Key, "second");
}

TEST(BlockTable, DeletingTheLastBlockKeepsStorageAndAddReusesIt) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.AddBlock();
  c.Block(N(1)).Key = "gone";
  c.Block(N(1)).Color = 0x123456;
  int updates = p.Updates();
  c.DeleteBlock(N(1));
  EXPECT_EQ(p.Updates(), updates + 1);  // DeleteBlock redraws
  EXPECT_EQ(c.get_Blocks(), 0);
  EXPECT_TRUE(Peer::blocks(c).exists());
  EXPECT_EQ(Peer::blocks(c).records().size(), 2u);
  c.AddBlock();
  ExpectNewBlock(c.Block(N(1)));
  EXPECT_EQ(c.Block(N(1)).Key, "");
}

TEST(BlockTable, SettingBlocksGrowsAndShrinksFromTheEnd) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(3);
  EXPECT_EQ(c.get_Blocks(), 3);
  for (int i = 1; i <= 3; ++i) ExpectNewBlock(c.Block(N(i)));
  Mark(c.Block(N(1)), 7);
  BlockRecord first = c.Block(N(1));
  c.put_Blocks(1);
  EXPECT_EQ(c.get_Blocks(), 1);
  ExpectSameFields(c.Block(N(1)), first);
  c.put_Blocks(1000);  // no 8-bit limit on the way
  EXPECT_EQ(c.get_Blocks(), 1000);
  c.put_Blocks(300);
  EXPECT_EQ(c.get_Blocks(), 300);
  ExpectSameFields(c.Block(N(1)), first);
}

TEST(BlockTable, ANegativeCountDeletesEveryBlockAndIsStored) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(3);
  c.put_Blocks(-1);
  EXPECT_EQ(c.get_Blocks(), -1);
  EXPECT_EQ(ErrorOf([&] { c.Block(N(0)); }), 9);  // 0 is outside 0..-1
  c.put_Blocks(-5);
  EXPECT_EQ(c.get_Blocks(), -5);
  c.put_Blocks(2);
  EXPECT_EQ(c.get_Blocks(), 2);
  ExpectNewBlock(c.Block(N(2)));
}

TEST(BlockTable, MoreThanThirtyTwoThousandBlocksDoNotReadBack) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Redraw(false);
  c.put_Blocks(32767);
  c.AddBlock();
  EXPECT_EQ(Peer::blocks(c).count(), 32768);
  EXPECT_EQ(ErrorOf([&] { c.get_Blocks(); }), 6);
  // The pass counts both passes over the blocks in 16 bits.
  EXPECT_EQ(ErrorOf([&] { c.put_Redraw(true); }), 6);
  c.put_Redraw(false);
  c.put_Blocks(16383);
  EXPECT_EQ(ErrorOf([&] { c.put_Redraw(true); }), 0);
}

TEST(BlockSelector, NumbersTheCurrentBlockAndKeys) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(3);
  c.Block(N(1)).Key = "3";
  c.Block(N(2)).Key = "x";
  c.Block(N(3)).Key = "x";
  EXPECT_EQ(&c.Block(S("3")), &c.Block(N(3)));  // numeric text is a number
  EXPECT_EQ(&c.Block(S(" 2")), &c.Block(N(2)));
  EXPECT_EQ(&c.Block(S("x")), &c.Block(N(2)));  // first of equal keys
  EXPECT_EQ(&c.Block(S("X")), &c.Block(N(0)));  // keys are case-sensitive
  EXPECT_EQ(&c.Block(S("nope")), &c.Block(N(0)));
  EXPECT_EQ(&c.Block(Variant::Double(2.5)), &c.Block(N(2)));    // halves to even
  EXPECT_EQ(&c.Block(Variant::Boolean(true)), &c.Block(N(0)));  // -1 with IndexBlock 0
  EXPECT_EQ(&c.Block(Variant()), &c.Block(N(0)));
  EXPECT_EQ(ErrorOf([&] { c.Block(N(4)); }), 9);
  EXPECT_EQ(ErrorOf([&] { c.Block(N(-2)); }), 9);
  EXPECT_EQ(ErrorOf([&] { c.Block(Variant::Long(70000)); }), 6);
  EXPECT_EQ(ErrorOf([&] { c.Block(Variant::Nothing()); }), 13);

  c.put_IndexBlock(2);
  EXPECT_EQ(&c.Block(N(-1)), &c.Block(N(2)));
  c.put_IndexBlock(5);  // outside the table: the spare record, no error
  EXPECT_EQ(c.get_IndexBlock(), 5);
  EXPECT_EQ(&c.Block(N(-1)), &c.Block(N(0)));
  c.put_IndexBlock(-3);
  EXPECT_EQ(&c.Block(N(-1)), &c.Block(N(0)));
}

TEST(ClearAll, ResetsEveryBlockWithTheAmbientFontAndKeepsTheCount) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(2);
  Mark(c.Block(N(1)), 1);
  Mark(c.Block(N(2)), 2);
  Mark(c.Block(N(0)), 3);
  c.ClearAll(vgSoft);
  EXPECT_EQ(c.get_Blocks(), 2);
  for (int i = 1; i <= 2; ++i) {
    ExpectNewBlock(c.Block(N(i)));
    EXPECT_EQ(c.Block(N(i)).TextFont, p.host.AmbientFont());
  }
  EXPECT_EQ(c.Block(N(0)).Key, "k3");  // the spare record is not a block
}

TEST(ClearAll, HardAlsoClearsTheSnapshotAndStopsAtItsEnd) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(3);
  for (int i = 1; i <= 3; ++i) Mark(c.Block(N(i)), i);
  Peer::saved_blocks(c).resize(3);  // a snapshot of records 0..2 only
  Mark(Peer::saved_blocks(c)[1], 11);
  Mark(Peer::saved_blocks(c)[2], 12);
  int updates = p.Updates();
  EXPECT_EQ(ErrorOf([&] { c.ClearAll(vgHard); }), 9);
  for (int i = 1; i <= 3; ++i) ExpectNewBlock(c.Block(N(i)));
  ExpectNewBlock(Peer::saved_blocks(c)[1]);
  ExpectNewBlock(Peer::saved_blocks(c)[2]);
  EXPECT_EQ(p.Updates(), updates);  // the error came before the redraw
  Peer::saved_blocks(c).resize(4);
  Mark(Peer::saved_blocks(c)[3], 13);
  EXPECT_EQ(ErrorOf([&] { c.ClearAll(vgHard); }), 0);
  ExpectNewBlock(Peer::saved_blocks(c)[3]);
  EXPECT_EQ(p.Updates(), updates + 1);
}

TEST(ClearBlockBar, HidesEveryBlockAndKeepsTheRest) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(2);
  Mark(c.Block(N(1)), 1);
  Mark(c.Block(N(2)), 2);
  p.host.TakeNotifications();
  c.ClearBlockBar();
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(c.Block(N(i)).BarLeft, -1);
    EXPECT_EQ(c.Block(N(i)).BarRight, -1);
    EXPECT_EQ(c.Block(N(i)).BarTop, i + 2);
    EXPECT_EQ(c.Block(N(i)).Key, "k" + std::to_string(i));
  }
  EXPECT_EQ(p.host.TakeNotifications(), std::vector<std::string>{"Block"});
}

TEST(SpecialClearAllBlock, ClearsInTheDesignerAndRefusesAtRunTime) {
  PlacedControl run;
  run.c().put_Blocks(1);
  Mark(run.c().Block(N(1)), 5);
  EXPECT_EQ(ErrorOf([&] { run.c().put_SpecialClearAllBlock(vgClear); }), 393);
  EXPECT_EQ(ErrorOf([&] { run.c().get_SpecialClearAllBlock(); }), 393);
  EXPECT_EQ(run.c().Block(N(1)).Key, "k5");

  PlacedControl design(Pixels(60, 21, /*user_mode=*/false));
  Varigauge& c = design.c();
  c.put_Blocks(2);
  Mark(c.Block(N(1)), 5);
  design.host.TakeNotifications();
  c.put_SpecialClearAllBlock(vgClear);
  EXPECT_EQ(c.get_SpecialClearAllBlock(), vgDontClear);
  ExpectNewBlock(c.Block(N(1)));
  std::vector<std::string> expected = {"SpecialClearAllBlock", "SpecialClearAllBlock"};
  EXPECT_EQ(design.host.TakeNotifications(), expected);
}

TEST(BlockTableDispatch, MembersAnswerThroughLateBinding) {
  PlacedControl p;
  Varigauge& c = p.c();
  auto call = [&](const char* name, std::vector<Variant> args = {}) {
    return Invoke(c, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
  };
  EXPECT_TRUE(call("AddBlock").ok());
  EXPECT_TRUE(call("AddBlock").value.IsEmpty());
  EXPECT_EQ(call("Blocks").value, Variant::Integer(2));
  EXPECT_EQ(call("DeleteBlock").error, 449);
  EXPECT_EQ(call("DeleteBlock", {S("two")}).error, 13);
  EXPECT_TRUE(call("DeleteBlock", {S("2")}).ok());
  EXPECT_EQ(call("Blocks").value, Variant::Integer(1));
  EXPECT_TRUE(call("ClearAll").ok());
  EXPECT_TRUE(call("ClearAll", {Variant::Boolean(false)}).ok());
  EXPECT_EQ(call("ClearAll", {Variant::Boolean(true)}).error, 9);  // true is vgHard; no snapshot
  EXPECT_EQ(call("SpecialClearAllBlock").error, 393);
  Variant v = N(300);
  EXPECT_TRUE(Invoke(c, "Blocks", DISPATCH_PROPERTYPUT, {&v, 1}).ok());
  EXPECT_EQ(c.get_Blocks(), 300);
}

}  // namespace
}  // namespace vg
