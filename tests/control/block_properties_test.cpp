// Per-block properties and SetBlock functions as a host sees them.
#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using testing::ErrorOf;
using testing::PlacedControl;

Variant N(int n) {
  return Variant::Integer(static_cast<int16_t>(n));
}
Variant S(const char* s) {
  return Variant::String(s);
}

TEST(BlockProperties, SelectorsReachBlocksKeysAndTheSpareRecord) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(3);
  c.put_BlockKey(N(1), "3");
  c.put_BlockText(S("3"), "third");  // numeric text is a number, not the key "3"
  EXPECT_EQ(c.get_BlockText(N(3)), "third");
  EXPECT_EQ(c.get_BlockText(N(1)), "");
  c.put_BlockText(S("nobody"), "spare");  // an unknown key writes the spare record
  EXPECT_EQ(c.get_BlockText(S("nobody")), "spare");
  EXPECT_EQ(c.get_BlockText(N(0)), "spare");
  c.put_IndexBlock(2);
  c.put_BlockColor(CurrentBlock(), 0x112233);  // no selector: the current block
  EXPECT_EQ(c.get_BlockColor(N(2)), 0x112233u);
  c.put_BlockKey(CurrentBlock(), "two");
  EXPECT_EQ(c.get_BlockKey(), "two");
  EXPECT_EQ(c.get_BlockColor(S("two")), 0x112233u);
  EXPECT_EQ(c.get_BlockColor(S("TWO")), c.get_BlockColor(N(0)));
  EXPECT_EQ(ErrorOf([&] { c.get_BlockColor(N(7)); }), 9);
  EXPECT_EQ(ErrorOf([&] { c.put_BlockColor(N(-2), 1); }), 9);
  EXPECT_EQ(ErrorOf([&] { c.get_BlockColor(Variant::Long(70000)); }), 6);
}

TEST(BlockProperties, SixteenBitFieldsRefuseLargerLongs) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.AddBlock();
  c.put_BlockBorderStyle(N(1), 2);
  EXPECT_EQ(ErrorOf([&] { c.put_BlockBorderStyle(N(1), 70000); }), 6);
  EXPECT_EQ(c.get_BlockBorderStyle(N(1)), 2);
  c.put_BlockGradientStyle(N(1), -32768);
  EXPECT_EQ(c.get_BlockGradientStyle(N(1)), -32768);
}

TEST(BlockProperties, KeysDoNotRedrawAndNothingNotifies) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.AddBlock();
  p.host.TakeNotifications();
  int updates = p.Updates();
  c.put_BlockKey(N(1), "k");
  EXPECT_EQ(p.Updates(), updates);
  c.put_BlockColor(N(1), 5);
  EXPECT_EQ(p.Updates(), updates + 1);
  EXPECT_TRUE(p.host.TakeNotifications().empty());
}

TEST(BlockProperties, ThroughLateBinding) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(2);
  auto put = [&](const char* name, std::vector<Variant> args,
                 uint16_t kind = DISPATCH_PROPERTYPUT) {
    return Invoke(c, name, kind, args).error;
  };
  auto get = [&](const char* name, std::vector<Variant> args = {}) {
    return Invoke(c, name, DISPATCH_PROPERTYGET, args);
  };
  EXPECT_EQ(put("BlockBarLeft", {N(2), S("12")}), 0);
  EXPECT_EQ(get("BlockBarLeft", {N(2)}).value, Variant::Integer(12));
  EXPECT_EQ(get("BlockBorderStyle", {N(2)}).value.type(), VarType::Long);
  EXPECT_EQ(get("BlockVisible", {N(2)}).value, Variant::Boolean(true));
  EXPECT_EQ(put("BlockBorderStyle", {N(9), Variant::Long(70000)}), 9);  // selector first
  EXPECT_EQ(put("BlockBorderStyle", {N(2), Variant::Long(70000)}), 6);
  auto font = StdFont::Create("Arial", 12);
  EXPECT_EQ(put("BlockTextFont", {N(1), Variant::Object(font)}), 0);  // a plain let
  EXPECT_EQ(get("BlockTextFont", {N(1)}).value.object(), font);
  EXPECT_EQ(put("BlockTextFont", {N(2), Variant::Object(font)}, DISPATCH_PROPERTYPUTREF), 0);
  EXPECT_EQ(put("BlockPicture", {N(1), Variant::Nothing()}, DISPATCH_PROPERTYPUTREF), 0);
  EXPECT_EQ(put("BlockPicture", {N(1), Variant::Nothing()}), 450);
  EXPECT_EQ(put("BlockHPercentage", {N(1), Variant::Integer(5)}), 0);
  EXPECT_EQ(get("BlockHPercentage", {N(1)}).value, Variant::String("5"));  // not drawn
  EXPECT_EQ(get("BlockColor", {}).value, get("BlockColor", {N(0)}).value);
}

TEST(SetBlockFunctions, SetEveryBlockButTheSpareRecord) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(2);
  p.host.TakeNotifications();
  c.SetBlockColor(0x010203);
  EXPECT_EQ(c.get_BlockColor(N(1)), 0x010203u);
  EXPECT_EQ(c.get_BlockColor(N(2)), 0x010203u);
  EXPECT_EQ(c.get_BlockColor(N(0)), 0u);
  EXPECT_EQ(p.host.TakeNotifications(), std::vector<std::string>{"Block"});
  c.SetBlockGradientColor(0x0A0B0C);
  EXPECT_TRUE(p.host.TakeNotifications().empty());
  EXPECT_EQ(c.get_BlockGradientColor(N(2)), 0x0A0B0Cu);
  c.SetBlockBrushColor();  // the interface's default, grey
  EXPECT_EQ(c.get_BlockBrushColor(N(1)), 0x808080u);
  auto picture = StdPicture::Empty();
  c.SetBlockPicture(picture);
  EXPECT_EQ(c.get_BlockPicture(N(1)), picture);
  EXPECT_EQ(c.get_BlockPicture(N(2)), picture);
}

TEST(SetBlockFunctions, BarsAreGivenInTwipsAndStoredInPixels) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(2);
  c.SetBlockBarTop(100);
  EXPECT_EQ(c.get_BlockBarTop(N(1)), 6);
  c.SetBlockBarBottom(-100);
  EXPECT_EQ(c.get_BlockBarBottom(N(2)), -6);
  c.SetBlockBarTop(7);
  EXPECT_EQ(c.get_BlockBarTop(N(2)), 0);
}

TEST(SetBlockFunctions, ConversionErrorsArriveAtTheFirstBlockOnly) {
  PlacedControl p;
  Varigauge& c = p.c();
  int updates = p.Updates();
  c.SetBlockColor(1);  // no blocks: still notifies and redraws
  EXPECT_EQ(p.Updates(), updates + 1);
  EXPECT_EQ(ErrorOf([&] { c.SetBlockTextOffset(S("wide")); }), 0);
  EXPECT_EQ(ErrorOf([&] { c.SetBlockBorderStyle(70000); }), 0);
  c.put_Blocks(2);
  p.host.TakeNotifications();
  updates = p.Updates();
  EXPECT_EQ(ErrorOf([&] { c.SetBlockTextOffset(S("wide")); }), 13);
  EXPECT_EQ(ErrorOf([&] { c.SetBlockBorderStyle(70000); }), 6);
  EXPECT_EQ(ErrorOf([&] { c.SetBlockTextAngle(Variant::Double(1e6)); }), 6);
  EXPECT_EQ(c.get_BlockTextOffset(N(1)), 3);
  EXPECT_EQ(c.get_BlockBorderStyle(N(1)), 0);
  EXPECT_TRUE(p.host.TakeNotifications().empty());
  EXPECT_EQ(p.Updates(), updates);
  c.SetBlockTextOffset(S(" 2.5"));  // halves to even
  EXPECT_EQ(c.get_BlockTextOffset(N(2)), 2);
}

TEST(SetBlockFunctions, ThroughLateBindingWithDefaults) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(1);
  c.put_BlockVisible(N(1), false);
  auto call = [&](const char* name, std::vector<Variant> args = {}) {
    return Invoke(c, name, DISPATCH_METHOD, args);
  };
  EXPECT_TRUE(call("SetBlockVisible").ok());
  EXPECT_TRUE(c.get_BlockVisible(N(1)));
  EXPECT_TRUE(call("SetBlockTextOffset").ok());
  EXPECT_EQ(c.get_BlockTextOffset(N(1)), 3);
  EXPECT_TRUE(call("SetBlockGradientColor").ok());
  EXPECT_EQ(c.get_BlockGradientColor(N(1)), 0xFF0000u);
  EXPECT_EQ(call("SetBlockColor", {S("red")}).error, 13);
  EXPECT_EQ(call("SetBlockPicture", {Variant::Integer(1)}).error, 424);
  EXPECT_TRUE(call("SetBlockText", {Variant::Integer(42)}).value.IsEmpty());
  EXPECT_EQ(c.get_BlockText(N(1)), "42");
}

}  // namespace
}  // namespace vg
