// Control-wide properties through the typed interface and through late binding.
#include "control/dispids.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using testing::ErrorOf;
using testing::Pixels;
using testing::PlacedControl;

TEST(ControlProperties, CaptionAngleIsStoredAsItsRemainderWithoutSign) {
  PlacedControl p;
  struct Case {
    int16_t in, out;
  };
  for (Case k : {Case{-90, 90}, Case{720, 0}, Case{359, 359}, Case{-45, 45}, Case{370, 10},
                 Case{-400, 40}, Case{-32768, 8}, Case{32767, 7}}) {
    p.c().put_CaptionAngle(k.in);
    EXPECT_EQ(p.c().get_CaptionAngle(), k.out) << k.in;
  }
}

TEST(ControlProperties, SettersStoreUncheckedValuesAndNotifyByName) {
  PlacedControl p;
  Varigauge& c = p.c();
  p.host.TakeNotifications();
  c.put_BorderWidth(-4);
  c.put_BorderStyle(99);
  c.put_GradientStyle(13);
  c.put_Orientation(-7);
  EXPECT_EQ(c.get_BorderWidth(), -4);
  EXPECT_EQ(c.get_BorderStyle(), 99);
  EXPECT_EQ(c.get_GradientStyle(), 13);
  EXPECT_EQ(c.get_Orientation(), -7);
  std::vector<std::string> expected = {"BorderWidth", "BorderStyle", "GradientStyle",
                                       "Orientation"};
  EXPECT_EQ(p.host.TakeNotifications(), expected);
}

TEST(ControlProperties, HostHeldPropertiesLiveOnTheFrameworkObject) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_ForeColor(0x00FF00);
  EXPECT_EQ(p.host.ForeColor(), 0x00FF00u);
  c.put_Enabled(false);
  EXPECT_FALSE(p.host.Enabled());
  c.put_BackColor(0x123456);
  EXPECT_EQ(p.host.BackColor(), 0x123456u);
  auto font = StdFont::Create("Arial", 12);
  c.putref_Font(font);
  EXPECT_EQ(p.host.Font(), font);
  EXPECT_EQ(c.get_hWnd(), static_cast<int32_t>(p.host.hWnd()));
}

TEST(ControlProperties, AColourTheFrameworkRefusesChangesNothing) {
  PlacedControl p(Pixels(20, 10));
  Varigauge& c = p.c();
  p.host.TakeNotifications();
  int updates = p.Updates();
  EXPECT_EQ(ErrorOf([&] { c.put_BackColor(0x80000077); }), 380);
  EXPECT_EQ(c.get_BackColor(), 0xC0C0C0u);
  EXPECT_TRUE(p.host.TakeNotifications().empty());
  EXPECT_EQ(p.Updates(), updates);
}

TEST(ControlProperties, ASystemColourBackgroundIsTranslated) {
  PlacedControl p(Pixels(20, 10));
  p.c().put_BackColor(0x80000005);  // window background
  EXPECT_EQ(p.Pixel(10, 5), GetSysColor(5));
}

TEST(ControlProperties, PictureAcceptsNothing) {
  PlacedControl p;
  p.c().putref_Picture(nullptr);
  EXPECT_EQ(p.c().get_Picture(), nullptr);
  p.c().Refresh();  // no picture: nothing to size by
}

Variant Get(Varigauge& c, const char* name) {
  DispatchResult r = Invoke(c, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {});
  EXPECT_TRUE(r.ok()) << name << ": " << r.description;
  return r.value;
}

int Put(Varigauge& c, const char* name, Variant v, uint16_t kind = DISPATCH_PROPERTYPUT) {
  Variant args[] = {std::move(v)};
  return Invoke(c, name, kind, args).error;
}

TEST(ControlDispatch, MembersAnswerByNameAndByTheirFixedIdentifiers) {
  PlacedControl p;
  Varigauge& c = p.c();
  EXPECT_EQ(c.GetIDOfName("backcolor"), dispid::kBackColor);
  EXPECT_EQ(dispid::kBackColor, static_cast<DISPID>(0x68030047));
  EXPECT_EQ(c.GetIDOfName("Font"), -512);
  EXPECT_EQ(c.GetIDOfName("Enabled"), -514);
  EXPECT_EQ(c.GetIDOfName("hWnd"), static_cast<DISPID>(0x68030045));
  EXPECT_EQ(c.GetIDOfName("Redraw"), static_cast<DISPID>(0x68030032));
  EXPECT_EQ(c.GetIDOfName("Refresh"), static_cast<DISPID>(0x6003004D));
  EXPECT_EQ(c.GetIDOfName("PictureAlignment"), static_cast<DISPID>(0x68030003));
  EXPECT_EQ(dispid::kBlockAutoSize, static_cast<DISPID>(0x68030000));
  EXPECT_EQ(dispid::kDeleteBlock, static_cast<DISPID>(0x60030072));
  EXPECT_EQ(dispid::kClearAll, static_cast<DISPID>(0x6003006B));
  Variant v = Variant::Long(0x00FF00);
  DispatchResult r = Invoke(c, static_cast<DISPID>(0x68030047), DISPATCH_PROPERTYPUT, {&v, 1});
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(c.get_BackColor(), 0x00FF00u);
}

TEST(ControlDispatch, ConvertsArgumentsByTheAutomationRules) {
  PlacedControl p;
  Varigauge& c = p.c();
  EXPECT_EQ(Put(c, "HMaxValue", Variant::String(" 250")), 0);
  EXPECT_EQ(c.get_HMaxValue(), 250);
  EXPECT_EQ(Put(c, "HMaxValue", Variant::Double(2.5)), 0);
  EXPECT_EQ(c.get_HMaxValue(), 2);
  EXPECT_EQ(Put(c, "HMaxValue", Variant::Long(40000)), 6);
  EXPECT_EQ(Put(c, "HMaxValue", Variant::String("wide")), 13);
  EXPECT_EQ(c.get_HMaxValue(), 2);
  EXPECT_EQ(Put(c, "Caption", Variant::Integer(42)), 0);
  EXPECT_EQ(c.get_Caption(), "42");
  EXPECT_EQ(Put(c, "Redraw", Variant::Integer(1)), 0);
  EXPECT_EQ(Get(c, "Redraw").long_value(), -1);  // Booleans read back as -1
  EXPECT_EQ(Get(c, "ForeColor").long_value(), static_cast<int32_t>(0x80000012));
  EXPECT_EQ(Get(c, "HMaxValue").type(), VarType::Integer);
  EXPECT_EQ(Get(c, "BorderStyle").type(), VarType::Long);
}

TEST(ControlDispatch, ObjectPropertiesTakeReferences) {
  PlacedControl p;
  Varigauge& c = p.c();
  auto font = StdFont::Create("Arial", 9.75);
  EXPECT_EQ(Put(c, "Font", Variant::Object(font), DISPATCH_PROPERTYPUTREF), 0);
  EXPECT_EQ(Get(c, "Font").object(), font);
  EXPECT_EQ(Put(c, "Font", Variant::Object(font)), 450);  // a let on a set-only property
  EXPECT_EQ(Put(c, "Font", Variant::Integer(3), DISPATCH_PROPERTYPUTREF), 424);
  EXPECT_EQ(Put(c, "Font", Variant::Object(StdPicture::Empty()), DISPATCH_PROPERTYPUTREF), 13);
  EXPECT_EQ(Put(c, "Picture", Variant::Nothing(), DISPATCH_PROPERTYPUTREF), 0);
  EXPECT_TRUE(Get(c, "Picture").IsNothing());
  EXPECT_EQ(Put(c, "hWnd", Variant::Long(1)), 450);
}

TEST(ControlDispatch, DesignTimeErrorsArriveAsErrorResults) {
  PlacedControl p;
  DispatchResult r = Invoke(p.c(), "DontRefreshAfterPropertyPage", DISPATCH_PROPERTYGET, {});
  EXPECT_EQ(r.error, 393);
  EXPECT_EQ(r.description, "Get not supported at run time");
}

}  // namespace
}  // namespace vg
