// The property sheet's protocol with its pages, the host's standard font and colour pages,
// and the file filter handed to Qt.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QPushButton>

#include "pages/block_page.h"
#include "pages/varigauge_pages.h"
#include "qt/standard_pages.h"
#include "tests/pages/page_fixture.h"

namespace vg {
namespace {

class RecordingPage : public PropertyPage {
 public:
  QString Caption() const override { return QStringLiteral("&Record"); }
  void PropertyPage_Initialize() override { log += "I"; }
  void PropertyPage_SelectionChanged() override { log += "S"; }
  void PropertyPage_ApplyChanges() override { log += "A"; }
  std::string log;
};

TEST(PropertySheet, RaisesThePageEventsAndAppliesOnlyChangedPages) {
  DesignControl d;
  ScriptedDialogs dialogs;
  PropertySheet sheet(dialogs);
  auto* first = new RecordingPage;
  auto* second = new RecordingPage;
  sheet.AddPage(first);
  sheet.AddPage(second);
  EXPECT_EQ(first->log, "I");
  sheet.SetSelectedControls({&d.c});
  sheet.SetSelectedControls({&d.c});
  EXPECT_EQ(first->log, "ISS");
  EXPECT_EQ(first->SelectedControls().size(), 1u);
  EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
  second->SetChanged(true);
  EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
  sheet.ApplyButton()->click();
  EXPECT_EQ(first->log, "ISS");
  EXPECT_EQ(second->log, "ISSA");
  EXPECT_FALSE(second->Changed());
  EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
  // Cancel applies nothing; OK applies what changed and closes.
  first->SetChanged(true);
  sheet.show();
  sheet.CancelButton()->click();
  EXPECT_EQ(first->log, "ISS");
  sheet.show();
  sheet.OkButton()->click();
  EXPECT_EQ(first->log, "ISSA");
  EXPECT_FALSE(sheet.isVisible());
  EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST(PropertySheet, AVarigaugeSheetHoldsItsFivePagesAndAppliesTheEditedOnes) {
  DesignControl d;
  d.c.put_Blocks(1);
  ScriptedDialogs dialogs;
  PropertySheet sheet(dialogs);
  AddVarigaugePages(sheet);
  sheet.SetSelectedControls({&d.c});
  ASSERT_EQ(sheet.PageCount(), 5);
  QStringList captions;
  for (int i = 0; i < 5; ++i) captions << sheet.Tabs()->tabText(i);
  EXPECT_EQ(captions, QStringList({"&Block", "&Caption", "&Boundaries", "&Font", "C&olor"}));
  sheet.findChild<QLineEdit*>("txtBlockBarRight")->setText("40");
  sheet.findChild<QLineEdit*>("txtHMaxValue")->setText("50");
  sheet.show();
  sheet.OkButton()->click();
  EXPECT_EQ(d.c.get_BlockBarRight(Variant::Integer(1)), 40);
  EXPECT_EQ(d.c.get_HMaxValue(), 50);
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST(PropertySheet, ThePictureFilterInQtsForm) {
  EXPECT_EQ(QtFileFilter(BlockPage::kPictureFilter),
            "All (*.bmp *.gif *.ico *.jpg *.jpeg *.emf *.wmf);;Bitmaps (*.bmp);;Gifs (*.gif);;"
            "Icons (*.ico);;JPG-JPEG (*.jpg *.jpeg);;Metafiles (*.emf *.wmf)");
  EXPECT_EQ(QtFileFilter(""), "");
  EXPECT_EQ(QtFileFilter("Odd"), "");
}

TEST(PropertySheet, EveryBlockPageWidgetCarriesItsName) {
  BlockPage page;
  for (QWidget* w : page.findChildren<QWidget*>()) {
    bool editable = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                    qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w);
    // Line edits inside lists belong to the list.
    if (editable && !qobject_cast<QComboBox*>(w->parentWidget())) {
      EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
    }
  }
}

TEST(StandardPages, TheColourPageWritesOnlyTheColoursChosen) {
  DesignControl d;
  SheetWith<StandardColorPage> s(d.c);
  EXPECT_FALSE(s.page->Changed());
  auto* list = s.Find<QComboBox>("cbxProperty");
  list->setCurrentText("ForeColor");
  s.dialogs.colors.push_back(0x00123456);
  s.Find<QPushButton>("cmdColor")->click();
  EXPECT_EQ(s.dialogs.color_start, d.c.get_ForeColor());
  list->setCurrentText("BackColor");
  s.dialogs.colors.push_back(std::nullopt);
  s.Find<QPushButton>("cmdColor")->click();
  d.host.TakeNotifications();
  s.sheet.Apply();
  EXPECT_EQ(d.c.get_ForeColor(), 0x00123456u);
  EXPECT_EQ(d.host.TakeNotifications(), std::vector<std::string>{"ForeColor"});
}

TEST(StandardPages, TheFontPageGivesTheControlANewFont) {
  DesignControl d;
  SheetWith<StandardFontPage> s(d.c);
  StdFontRef before = d.c.get_Font();
  s.dialogs.fonts.push_back(FontChoice{"DejaVu Sans Mono", 10.0f, false, true, false, false});
  s.Find<QPushButton>("cmdFont")->click();
  EXPECT_EQ(s.dialogs.font_start.name, before->Name());
  s.sheet.Apply();
  EXPECT_EQ(d.c.get_Font()->Name(), "DejaVu Sans Mono");
  EXPECT_TRUE(d.c.get_Font()->Italic());
  EXPECT_EQ(before->Name(), s.dialogs.font_start.name);
}

TEST(PropertySheet, TheTitleNamesTheControl) {
  ScriptedDialogs dialogs;
  PropertySheet sheet(dialogs);
  EXPECT_EQ(sheet.windowTitle(), "Property Pages");
  QWidget control;
  control.setObjectName("Varigauge1");
  sheet.SetControlName(control);
  EXPECT_EQ(sheet.windowTitle(), "Varigauge1 Properties");
  // An element of a control array, by the name its form gives it.
  control.setObjectName("Bar_2");
  control.setProperty("controlArray", "Bar");
  control.setProperty("controlArrayIndex", 2);
  sheet.SetControlName(control);
  EXPECT_EQ(sheet.windowTitle(), "Bar(2) Properties");
}

}  // namespace
}  // namespace vg
