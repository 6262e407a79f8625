// The Caption and Boundaries pages: what a showing fills in, what Apply writes, in which
// order, and how texts become numbers.
#include <QComboBox>
#include <QPushButton>

#include "pages/boundaries_page.h"
#include "pages/caption_page.h"
#include "pages/page_numbers.h"
#include "tests/pages/page_fixture.h"

namespace vg {
namespace {

TEST(PageNumbers, LeadingNumberOfATypedText) {
  EXPECT_EQ(LeadingNumber("45.5"), 45.5);
  EXPECT_EQ(LeadingNumber("  -12px"), -12.0);
  EXPECT_EQ(LeadingNumber("+3e2x"), 300.0);
  EXPECT_EQ(LeadingNumber("7e"), 7.0);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
  EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
}

TEST(PageNumbers, IntegerFieldRoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(IntegerField("12.5"), 12);
  EXPECT_EQ(IntegerField("13.5"), 14);
  EXPECT_EQ(IntegerField("-2.5"), -2);
  EXPECT_EQ(IntegerField("x"), 0);
  EXPECT_EQ(IntegerField("32767.4"), 32767);
  EXPECT_EQ(IntegerField("-32768"), -32768);
  EXPECT_EQ(IntegerField("32767.5"), std::nullopt);
  EXPECT_EQ(IntegerField("1e999"), std::nullopt);
}

TEST(BoundariesPage, ShowingFillsTheFourLimits) {
  DesignControl d;
  SheetWith<BoundariesPage> s(d.c);
  EXPECT_EQ(s.Text("txtHMinValue")->text(), "0");
  EXPECT_EQ(s.Text("txtHMaxValue")->text(), "100");
  EXPECT_EQ(s.Text("txtVMinValue")->text(), "0");
  EXPECT_EQ(s.Text("txtVMaxValue")->text(), "100");
  EXPECT_EQ(s.page->Caption(), "&Boundaries");
}

TEST(BoundariesPage, ApplyWritesEachMinimumBeforeItsMaximumAndConvertsTexts) {
  DesignControl d;
  SheetWith<BoundariesPage> s(d.c);
  // Filling the boxes ran their change handlers, as a user's typing would.
  EXPECT_TRUE(s.sheet.ApplyButton()->isEnabled());
  s.sheet.Apply();
  EXPECT_FALSE(s.sheet.ApplyButton()->isEnabled());
  s.Text("txtHMaxValue")->setText("none");
  EXPECT_TRUE(s.page->Changed());
  EXPECT_TRUE(s.sheet.ApplyButton()->isEnabled());
  s.Text("txtHMinValue")->setText("-10.5");
  s.Text("txtVMinValue")->setText("20.5");
  s.Text("txtVMaxValue")->setText(" 300 units");
  d.host.TakeNotifications();
  s.sheet.ApplyButton()->click();
  EXPECT_EQ(d.c.get_HMinValue(), -10);
  EXPECT_EQ(d.c.get_HMaxValue(), 0);
  EXPECT_EQ(d.c.get_VMinValue(), 20);
  EXPECT_EQ(d.c.get_VMaxValue(), 300);
  EXPECT_EQ(d.host.TakeNotifications(),
            (std::vector<std::string>{"HMinValue", "HMaxValue", "VMinValue", "VMaxValue"}));
  EXPECT_FALSE(s.page->Changed());
  EXPECT_FALSE(s.sheet.ApplyButton()->isEnabled());
}

TEST(BoundariesPage, AValueBeyondSixteenBitsIsReportedAndTheSheetStaysOpen) {
  DesignControl d;
  SheetWith<BoundariesPage> s(d.c);
  s.Text("txtVMaxValue")->setText("40000");
  s.sheet.show();
  s.sheet.OkButton()->click();
  ASSERT_EQ(s.dialogs.errors.size(), 1u);
  EXPECT_EQ(s.dialogs.errors[0], "Overflow");
  EXPECT_TRUE(s.sheet.isVisible());
  EXPECT_TRUE(s.page->Changed());
  EXPECT_EQ(d.c.get_VMaxValue(), 100);
}

TEST(CaptionPage, ShowingReadsTheControl) {
  DesignControl d;
  d.c.put_Caption("Disk");
  d.c.put_CaptionAlignment(4);
  d.c.put_CaptionAngle(90);
  d.c.put_CaptionAutoAngle(2);
  d.c.put_CaptionFont3D(3);
  SheetWith<CaptionPage> s(d.c);
  EXPECT_EQ(s.Text("txtCaption")->text(), "Disk");
  EXPECT_EQ(s.Text("txtCaptionFont")->text(), QString::fromStdString(d.c.get_Font()->Name()));
  EXPECT_EQ(s.Find<QComboBox>("cbxCaptionAlignment")->currentIndex(), 4);
  EXPECT_EQ(s.Find<QComboBox>("cbxCaptionAlignment")->itemText(8), "8 - vgBottomRight");
  EXPECT_EQ(s.Find<QComboBox>("cbxCaptionFont3D")->currentText(), "3 - vgRaisedShadow");
  EXPECT_EQ(s.Find<QComboBox>("cbxCaptionAutoAngle")->currentText(), "2 - vgDown");
  EXPECT_EQ(s.Text("txtCaptionAngle")->text(), "90");
  EXPECT_EQ(s.page->Caption(), "&Caption");
}

TEST(CaptionPage, AngleTextsBecomeIntegers) {
  DesignControl d;
  SheetWith<CaptionPage> s(d.c);
  s.Text("txtCaptionAngle")->setText("45.5");
  s.sheet.Apply();
  EXPECT_EQ(d.c.get_CaptionAngle(), 46);
  s.Text("txtCaptionAngle")->setText("up");
  s.sheet.Apply();
  EXPECT_EQ(d.c.get_CaptionAngle(), 0);
}

TEST(CaptionPage, ApplyWritesAllValuesInOrderEvenWithoutEdits) {
  DesignControl d;
  SheetWith<CaptionPage> s(d.c);
  d.host.TakeNotifications();
  s.page->SetChanged(true);
  ASSERT_TRUE(s.sheet.Apply());
  EXPECT_EQ(d.host.TakeNotifications(),
            (std::vector<std::string>{"Caption", "CaptionFont3D", "CaptionAlignment",
                                      "CaptionAngle", "CaptionAutoAngle"}));
}

TEST(CaptionPage, AChosenFontReachesTheControlOnlyOnApply) {
  DesignControl d;
  SheetWith<CaptionPage> s(d.c);
  std::string before = d.c.get_Font()->Name();
  s.dialogs.fonts.push_back(FontChoice{"DejaVu Serif", 12.5f, true, true, true, true});
  s.Find<QPushButton>("cmdFontSelection")->click();
  EXPECT_EQ(s.dialogs.font_start.name, before);
  EXPECT_TRUE(s.page->Changed());
  // The box keeps naming the control's font until Apply.
  EXPECT_EQ(s.Text("txtCaptionFont")->text(), QString::fromStdString(before));
  EXPECT_EQ(d.c.get_Font()->Name(), before);
  s.sheet.Apply();
  StdFontRef f = d.c.get_Font();
  EXPECT_EQ(f->Name(), "DejaVu Serif");
  EXPECT_EQ(f->Size(), 12.5);
  EXPECT_TRUE(f->Bold() && f->Italic() && f->Underline() && f->Strikethrough());
}

TEST(CaptionPage, CancelInTheFontDialogChangesNothing) {
  DesignControl d;
  SheetWith<CaptionPage> s(d.c);
  FontChoice before = s.page->DialogFont();
  s.page->SetChanged(false);
  s.dialogs.fonts.push_back(std::nullopt);
  s.Find<QPushButton>("cmdFontSelection")->click();
  EXPECT_FALSE(s.page->Changed());
  EXPECT_EQ(s.page->DialogFont().name, before.name);
  EXPECT_EQ(s.page->DialogFont().size, before.size);
}

}  // namespace
}  // namespace vg
