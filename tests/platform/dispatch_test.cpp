#include <gtest/gtest.h>

#include "platform/automation/dispatch.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"

namespace vg {
namespace {

// A small object with a method of one required and one optional argument.
class Adder : public DispatchObject {
 public:
  std::string TypeName() const override { return "Adder"; }
  DISPID GetIDOfName(std::string_view name) const override { return Table().IdOf(name); }
  Variant Invoke(DISPID id, uint16_t kind, Args args) override {
    return Table().Invoke(*this, id, kind, args);
  }

 private:
  static const DispatchTable<Adder>& Table() {
    static const DispatchTable<Adder> t = [] {
      DispatchTable<Adder> table;
      DispatchTable<Adder>::Member m;
      m.name = "Add";
      m.id = 7;
      m.min_args = 1;
      m.max_args = 2;
      m.method = [](Adder&, Args a) {
        int32_t sum = a[0].long_value();
        if (a.size() > 1 && !a[1].IsMissing()) sum += a[1].long_value();
        return Variant::Long(sum);
      };
      table.Add(m);
      return table;
    }();
    return t;
  }
};

TEST(Dispatch, FindsMembersByNameWithoutRegardToCase) {
  auto font = StdFont::Create("Arial", 10);
  for (const char* name : {"Name", "NAME", "name"}) {
    DispatchResult r = Invoke(*font, name, DISPATCH_PROPERTYGET, {});
    ASSERT_TRUE(r.ok()) << name;
    EXPECT_EQ(r.value.string(), "Arial");
  }
  EXPECT_EQ(font->GetIDOfName("Bold"), 3);
  EXPECT_EQ(font->GetIDOfName("Boldface"), DISPID_UNKNOWN);
}

TEST(Dispatch, PutsThroughTheConversions) {
  auto font = StdFont::Create();
  Variant args[] = {Variant::String("12")};
  ASSERT_TRUE(Invoke(*font, "Size", DISPATCH_PROPERTYPUT, args).ok());
  EXPECT_EQ(font->Size(), 12.0);
  Variant bold[] = {Variant::Boolean(true)};
  ASSERT_TRUE(Invoke(*font, "Bold", DISPATCH_PROPERTYPUT, bold).ok());
  EXPECT_EQ(font->Weight(), 700);
  Variant bad[] = {Variant::String("big")};
  DispatchResult r = Invoke(*font, "Size", DISPATCH_PROPERTYPUT, bad);
  EXPECT_EQ(r.error, 13);
  EXPECT_EQ(r.description, "Type mismatch");
  EXPECT_EQ(font->Size(), 12.0);
}

TEST(Dispatch, ReportsMisuseWithTheAutomationNumbers) {
  auto picture = StdPicture::Empty();
  Variant one[] = {Variant::Integer(1)};
  EXPECT_EQ(Invoke(*picture, "Frobnicate", DISPATCH_PROPERTYGET, {}).error, 438);
  EXPECT_EQ(Invoke(*picture, 12345, DISPATCH_PROPERTYGET, {}).error, 438);
  EXPECT_EQ(Invoke(*picture, "Type", DISPATCH_PROPERTYPUT, one).error, 450);  // read-only
  EXPECT_EQ(Invoke(*picture, "Type", DISPATCH_PROPERTYGET, one).error, 450);  // no index
  EXPECT_EQ(Invoke(*picture, "Type", DISPATCH_METHOD, {}).error, 438);

  Adder adder;
  Variant two[] = {Variant::Long(2), Variant::Long(3)};
  EXPECT_EQ(Invoke(adder, "Add", DISPATCH_METHOD, two).value.long_value(), 5);
  EXPECT_EQ(Invoke(adder, "Add", DISPATCH_METHOD, {}).error, 449);
  Variant missing_first[] = {Variant::Missing(), Variant::Long(3)};
  EXPECT_EQ(Invoke(adder, "Add", DISPATCH_METHOD, missing_first).error, 449);
  Variant optional_left_out[] = {Variant::Long(4), Variant::Missing()};
  EXPECT_EQ(Invoke(adder, "Add", DISPATCH_METHOD, optional_left_out).value.long_value(), 4);
  Variant three[] = {Variant::Long(1), Variant::Long(1), Variant::Long(1)};
  EXPECT_EQ(Invoke(adder, "Add", DISPATCH_METHOD, three).error, 450);
}

TEST(StdFontObject, KeepsBoldAndWeightTogetherAndMakesItsFontRecord) {
  auto font = StdFont::Create("MS Sans Serif", 8.25);
  font->SetBold(true);
  EXPECT_EQ(font->Weight(), 700);
  font->SetWeight(400);
  EXPECT_FALSE(font->Bold());
  font->SetBold(true);
  gdi::LOGFONTA lf = font->LogFont();
  EXPECT_EQ(lf.lfHeight, -11);  // 8.25 pt at 96 DPI
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
  EXPECT_THROW(font->SetSize(0), AutomationError);
  EXPECT_THROW(font->SetSize(-3), AutomationError);
}

TEST(StdFontObject, OwnsItsFontHandleAndReleasesIt) {
  int before = gdi::LiveObjectCount();
  {
    auto font = StdFont::Create();
    gdi::HFONT h = font->hFont();
    EXPECT_NE(h, 0u);
    EXPECT_EQ(font->hFont(), h);  // made once
    font->SetItalic(true);        // remade on change
    EXPECT_NE(font->hFont(), 0u);
    EXPECT_EQ(gdi::LiveObjectCount(), before + 1);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

TEST(StdPictureObject, EmptyAndBitmapPictures) {
  auto empty = StdPicture::Empty();
  EXPECT_EQ(empty->Type(), vbPicTypeNone);
  EXPECT_EQ(empty->Handle(), 0);
  auto bitmap = StdPicture::FromPixels(100, 20, std::vector<COLORREF>(2000, 0));
  EXPECT_EQ(bitmap->Type(), vbPicTypeBitmap);
  EXPECT_NE(bitmap->Handle(), 0);
  EXPECT_EQ(bitmap->HimetricWidth(), 2646);  // 100 px x 2540 / 96 = 2645.83
  EXPECT_EQ(HimetricToPixels(bitmap->HimetricWidth()), 100);
  auto wrong = StdPicture::FromPixels(10, 10, std::vector<COLORREF>(5, 0));
  EXPECT_EQ(wrong->Type(), vbPicTypeNone);
}

}  // namespace
}  // namespace vg

namespace vg {
namespace {

TEST(StdFontObject, HeightIsPointsAtTheDevicesResolutionRoundedHalvesToEven) {
  struct Row {
    double points;
    int dpi;
    int32_t height;
  };
  // points x dpi / 72: 8.25 at 96 is 11; 1.875 at 96 is 2.5 -> 2; 2.625 at 96 is 3.5 -> 4;
  // 3.375 at 96 is 4.5 -> 4; 1.5 at 120 is 2.5 -> 2; 10 at 100 is 13.89 -> 14.
  for (Row row : {Row{8.25, 96, -11}, Row{8.25, 192, -22}, Row{8.25, 120, -14}, Row{1.875, 96, -2},
                  Row{2.625, 96, -4}, Row{3.375, 96, -4}, Row{1.5, 120, -2}, Row{10, 100, -14}}) {
    auto font = StdFont::Create("Liberation Sans", row.points);
    EXPECT_EQ(font->LogFont(row.dpi).lfHeight, row.height) << row.points << " pt, " << row.dpi;
    gdi::LOGFONTA lf;
    ASSERT_TRUE(gdi::GetFontRecord(font->hFont(row.dpi), &lf));
    EXPECT_EQ(lf.lfHeight, row.height);
  }
}

TEST(StdFontObject, KeepsItsFontsForTwoResolutions) {
  int before = gdi::LiveObjectCount();
  {
    auto font = StdFont::Create();
    const gdi::HFONT low = font->hFont(96), high = font->hFont(192);
    EXPECT_NE(low, high);
    EXPECT_EQ(font->hFont(96), low);  // a font shared by two windows is not remade
    EXPECT_EQ(font->hFont(192), high);
    EXPECT_EQ(gdi::LiveObjectCount(), before + 2);
    font->hFont(120);  // a third resolution replaces the one used longer ago
    EXPECT_EQ(gdi::GetObjectType(low), 0);
    EXPECT_EQ(font->hFont(192), high);
    EXPECT_EQ(gdi::LiveObjectCount(), before + 2);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), before);
}

}  // namespace
}  // namespace vg
