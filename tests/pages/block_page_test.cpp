// The Block page driven through its widgets: loading, navigation, showing a block, the
// field conversions, the dialogs, live-field insertion, adding and removing blocks, the
// colour pickers and Apply.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include "control/dispids.h"
#include "control/members.h"
#include "control/type_library.h"
#include "pages/block_page.h"
#include "pages/caption_page.h"
#include "pages/page_controls.h"
#include "pages/page_widgets.h"
#include "tests/pages/page_fixture.h"

namespace vg {
namespace {

Variant B(int i) {
  return Variant::Integer(static_cast<int16_t>(i));
}

// A design-time control with `n` blocks keyed "k1".."kn", and the page open on it.
struct BlockSheet : DesignControl, SheetWith<BlockPage> {
  explicit BlockSheet(int n, void (*setup)(Varigauge&) = nullptr)
      : SheetWith<BlockPage>(Prepare(c, n, setup)) {}
  static Varigauge& Prepare(Varigauge& c, int n, void (*setup)(Varigauge&)) {
    c.put_Blocks(static_cast<int16_t>(n));
    for (int i = 1; i <= n; ++i) c.put_BlockKey(B(i), "k" + std::to_string(i));
    if (setup != nullptr) setup(c);
    return c;
  }
  PageScrollBar* Scroll() { return Find<PageScrollBar>("HScroll1"); }
  QTabWidget* Tabs(const char* name) { return Find<QTabWidget>(name); }
  QComboBox* List(const char* name) { return Find<QComboBox>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  const PageBlock& Copy(int i) { return page->WorkingBlocks().at(i - 1); }
};

QColor Background(QLineEdit* box) {
  return box->palette().color(QPalette::Base);
}

TEST(BlockPage, CaptionsAndListItemsAsTheyAreShown) {
  BlockSheet s(1);
  EXPECT_EQ(s.page->Caption(), "&Block");
  QTabWidget* tabs = s.Tabs("SSTab1");
  ASSERT_EQ(tabs->count(), 4);
  EXPECT_EQ(tabs->tabText(0), "&Position");
  EXPECT_EQ(tabs->tabText(3), "&Picture");
  EXPECT_EQ(s.Tabs("SSTab2")->tabText(1), "&Font");
  EXPECT_EQ(s.Tabs("SSTab3")->tabText(2), "&Gradient");
  EXPECT_EQ(s.Tabs("SSTab4")->tabText(1), "Pre&view");
  // Nested as the page groups them: each inner tab control lies inside an outer tab.
  EXPECT_TRUE(tabs->widget(2)->isAncestorOf(s.Tabs("SSTab3")));
  QComboBox* gradient = s.List("cbxGradientStyle");
  ASSERT_EQ(gradient->count(), 13);
  EXPECT_EQ(gradient->itemText(0), "0 -  vgNoneGradient");
  EXPECT_EQ(gradient->itemText(9), "9 -  vgInnerCircleGradient");
  EXPECT_EQ(gradient->itemText(10), "10 - vgOuterCircleGradient");
  QComboBox* formats = s.List("cbxTextFormat");
  ASSERT_EQ(formats->count(), 18);
  EXPECT_EQ(formats->itemText(17), "show horizontal ratio used:?");
  EXPECT_EQ(s.List("cbxBorderStyle")->itemText(7), "7 - vgBumpLight");
  EXPECT_EQ(s.List("cbxPictureTile")->itemText(3), "3 - vgBothTile");
  EXPECT_EQ(s.Text("txtTextColor")->text(), "This text is colored");
  EXPECT_EQ(s.Button("cmdAddBlock")->text(), "A&dd");
  EXPECT_EQ(s.Find<QCheckBox>("chkBlockOnTop")->text(), "On Top");
}

TEST(BlockPage, AControlWithoutBlocksShowsNothingAndLocksTheSettings) {
  BlockSheet s(0);
  EXPECT_TRUE(s.page->Loaded());
  EXPECT_EQ(s.page->CurrentBlock(), 0);
  EXPECT_EQ(s.Text("txtIndex")->text(), "");
  EXPECT_FALSE(s.Tabs("SSTab1")->isEnabled());
  EXPECT_EQ(s.Scroll()->Minimum(), 1);
  EXPECT_EQ(s.Scroll()->Maximum(), 0);
  EXPECT_EQ(s.page->WorkingBlocks().size(), 1u);
  EXPECT_FALSE(s.Find<PreviewBox>("pctResult")->Shown());
  EXPECT_EQ(s.Find<QLabel>("lblColor_0")->text(), "Start Red = 0");
  EXPECT_EQ(s.Find<QLabel>("lblColorEnd_2")->text(), "End Blue = 0");
}

TEST(BlockPage, OpensOnBlockOneAndTheScrollBarStepsThroughTheBlocks) {
  BlockSheet s(3, [](Varigauge& c) { c.put_BlockBarTop(B(3), 77); });
  EXPECT_EQ(s.Scroll()->value(), 1);
  EXPECT_EQ(s.Scroll()->Maximum(), 3);
  EXPECT_EQ(s.Text("txtIndex")->text(), "1");
  EXPECT_EQ(s.Text("txtBlockKey")->text(), "k1");
  s.Scroll()->setValue(3);
  EXPECT_EQ(s.page->CurrentBlock(), 3);
  EXPECT_EQ(s.Text("txtIndex")->text(), "3");
  EXPECT_EQ(s.Text("txtBlockKey")->text(), "k3");
  EXPECT_EQ(s.Text("txtBlockBarTop")->text(), "77");
  // Showing a block whose values differ from the one before marks it.
  EXPECT_TRUE(s.Copy(3).bModified);
  EXPECT_FALSE(s.Copy(2).bModified);
}

TEST(BlockPage, ASecondSelectionKeepsTheFirstControlsBlocks) {
  BlockSheet s(2);
  DesignControl other;
  other.c.put_Blocks(5);
  s.sheet.SetSelectedControls({&other.c});
  EXPECT_EQ(s.page->WorkingBlocks().size(), 2u);
  EXPECT_EQ(s.Text("txtBlockKey")->text(), "k1");
}

TEST(BlockPage, GradientColoursSetTheChannelBarsAndLabels) {
  BlockSheet s(1, [](Varigauge& c) {
    c.put_BlockGradientColor(B(1), 0x00336699);
    c.put_BlockGradientColorEnd(B(1), 0x00FF0080);
  });
  EXPECT_EQ(s.Find<QScrollBar>("hslColor_0")->value(), 153);
  EXPECT_EQ(s.Find<QScrollBar>("hslColor_1")->value(), 102);
  EXPECT_EQ(s.Find<QScrollBar>("hslColor_2")->value(), 51);
  EXPECT_EQ(s.Find<QLabel>("lblColor_0")->text(), "Start Red = 153");
  EXPECT_EQ(s.Find<QLabel>("lblColor_1")->text(), "Start Green = 102");
  EXPECT_EQ(s.Find<QLabel>("lblColor_2")->text(), "Start Blue = 51");
  EXPECT_EQ(s.Find<QLabel>("lblColorEnd_0")->text(), "End Red = 128");
  EXPECT_EQ(s.Find<QLabel>("lblColorEnd_2")->text(), "End Blue = 255");
  // Setting the bars for showing does not write the colour back piecemeal.
  EXPECT_EQ(s.Copy(1).GradientColor, 0x00336699u);
}

TEST(BlockPage, MovingAChannelBarWritesTheColourAndRepaintsThePreviews) {
  BlockSheet s(1, [](Varigauge& c) {
    c.put_BlockGradientStyle(B(1), 1);
    c.put_BlockGradientColor(B(1), 0x0000000A);
  });
  s.sheet.Apply();
  ASSERT_FALSE(s.Copy(1).bModified);
  s.Find<QScrollBar>("hslColor_1")->setValue(128);
  EXPECT_EQ(s.Copy(1).GradientColor, 0x0000800Au);
  EXPECT_TRUE(s.Copy(1).bModified);
  EXPECT_EQ(s.Find<QLabel>("lblColor_1")->text(), "Start Green = 128");
  auto ramp = s.Find<PreviewBox>("pctColor_1")->Shown();
  ASSERT_TRUE(ramp);
  EXPECT_EQ(ramp->start, 0x8000u);
  EXPECT_EQ(ramp->end, 0u);
  auto result = s.Find<PreviewBox>("pctResult")->Shown();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->style, 1);
  EXPECT_EQ(result->start, 0x0000800Au);
  // The ramp itself: from the pure channel colour at the left edge towards black.
  s.Find<QScrollBar>("hslColor_0")->setValue(255);
  const QImage& red = s.Find<PreviewBox>("pctColor_0")->Image();
  ASSERT_FALSE(red.isNull());
  // (At 256 levels the bands are narrower than a pixel; the column shows the last drawn.)
  QRgb left = red.pixel(0, red.height() / 2);
  EXPECT_GE(qRed(left), 250);
  EXPECT_EQ(qGreen(left) + qBlue(left), 0);
  EXPECT_LT(qRed(red.pixel(red.width() - 1, red.height() / 2)), 8);
  // Style 0 clears every preview.
  s.List("cbxGradientStyle")->setCurrentIndex(0);
  EXPECT_FALSE(s.Find<PreviewBox>("pctResult")->Shown());
  EXPECT_FALSE(s.Find<PreviewBox>("pctColorEnd_2")->Shown());
}

TEST(BlockPage, IntegerFieldsRoundHalvesToEvenAndKeepValuesThatDoNotFit) {
  BlockSheet s(1);
  QLineEdit* top = s.Text("txtBlockBarTop");
  top->setText("12.5");
  EXPECT_EQ(s.Copy(1).BarTop, 12);
  top->setText("13.5");
  EXPECT_EQ(s.Copy(1).BarTop, 14);
  top->setText("40000");
  EXPECT_EQ(s.Copy(1).BarTop, 14);
  top->setText("top");
  EXPECT_EQ(s.Copy(1).BarTop, 0);
  top->setText("9");
  top->setText("");
  EXPECT_EQ(s.Copy(1).BarTop, 0);
  s.Text("txtBlockTextAngle")->setText("-7.5e1");
  EXPECT_EQ(s.Copy(1).TextAngle, -75);
}

TEST(BlockPage, ALiveFieldGoesInAtTheCaret) {
  BlockSheet s(1);
  QLineEdit* text = s.Text("txtBlockText");
  QComboBox* formats = s.List("cbxTextFormat");
  text->setText("abcd");
  text->setCursorPosition(0);
  emit formats->activated(2);
  EXPECT_EQ(text->text(), "!long time!abcd");
  text->setText("abcd");
  text->setCursorPosition(2);
  emit formats->activated(2);
  EXPECT_EQ(text->text(), "ab!long time!cd");
  EXPECT_EQ(s.Copy(1).Text, "ab!long time!cd");
}

TEST(BlockPage, ColourButtonsMarkEvenWhenCancelled) {
  BlockSheet s(1, [](Varigauge& c) { c.put_BlockColor(B(1), 0x00112233); });
  s.sheet.Apply();
  QLineEdit* sample = s.Text("txtColor");
  QColor before = Background(sample);
  EXPECT_EQ(before, QColor(0x33, 0x22, 0x11));
  s.dialogs.colors.push_back(std::nullopt);
  s.Button("cmdColorSelection")->click();
  EXPECT_EQ(s.dialogs.color_calls, 1);
  EXPECT_EQ(s.dialogs.color_start, 0x00112233u);
  EXPECT_EQ(Background(sample), before);
  EXPECT_EQ(s.Copy(1).Color, 0x00112233u);
  EXPECT_TRUE(s.Copy(1).bModified);
  EXPECT_TRUE(s.sheet.ApplyButton()->isEnabled());
  s.dialogs.colors.push_back(0x000000FF);
  s.Button("cmdTextColorSelection")->click();
  EXPECT_EQ(s.Copy(1).TextColor, 0x000000FFu);
  EXPECT_EQ(s.Text("txtTextColor")->palette().color(QPalette::Text), QColor(255, 0, 0));
}

TEST(BlockPage, AChosenFontChangesTheSharedFontAtOnce) {
  BlockSheet s(1);
  StdFontRef font = s.c.get_BlockTextFont(B(1));
  ASSERT_TRUE(font);
  s.dialogs.fonts.push_back(FontChoice{"DejaVu Serif", 14.0f, true, false, true, false});
  s.Button("cmdFontSelection")->click();
  EXPECT_EQ(s.c.get_BlockTextFont(B(1))->Name(), "DejaVu Serif");
  EXPECT_EQ(font->Size(), 14.0);
  EXPECT_TRUE(font->Bold());
  EXPECT_TRUE(font->Underline());
  EXPECT_EQ(s.Text("txtTextFont")->text(), "DejaVu Serif");
  s.dialogs.fonts.push_back(std::nullopt);
  s.Button("cmdFontSelection")->click();
  EXPECT_EQ(font->Name(), "DejaVu Serif");
  // A size the font refuses is reported; the page goes on.
  s.dialogs.fonts.push_back(FontChoice{"DejaVu Sans", 0.0f, false, false, false, false});
  s.Button("cmdFontSelection")->click();
  EXPECT_EQ(s.dialogs.errors.size(), 1u);
  EXPECT_EQ(font->Size(), 14.0);
}

TEST(BlockPage, PicturesChosenOrRemovedMarkTheirBlockAndReachTheControlOnApply) {
  QTemporaryDir dir;
  QString png = dir.filePath("dot.png");
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  ASSERT_TRUE(image.save(png));
  BlockSheet s(2);
  s.sheet.Apply();
  s.dialogs.files.push_back(png.toStdString());
  s.Button("cmdBrowse")->click();
  EXPECT_EQ(s.dialogs.file_filter, BlockPage::kPictureFilter);
  EXPECT_TRUE(s.Copy(1).bModified);
  s.sheet.Apply();
  StdPictureRef applied = s.c.get_BlockPicture(B(1));
  ASSERT_TRUE(applied);
  EXPECT_EQ(applied->PixelWidth(), 3);
  EXPECT_EQ(applied->Pixels()[0], 0x001E140Au);
  // A metafile is listed but cannot be loaded: nothing changes.
  s.dialogs.files.push_back(dir.filePath("drawing.wmf").toStdString());
  s.Button("cmdBrowse")->click();
  EXPECT_FALSE(s.Copy(1).bModified);
  EXPECT_EQ(s.c.get_BlockPicture(B(1)), applied);
  s.Button("cmdRemove")->click();
  s.sheet.Apply();
  EXPECT_EQ(s.c.get_BlockPicture(B(1))->Type(), vbPicTypeNone);
}

TEST(BlockPage, AddingABlockActsOnTheControlAndShowsTheNewBlock) {
  BlockSheet s(2);
  s.Scroll()->setValue(1);
  s.Button("cmdAddBlock")->click();
  EXPECT_EQ(s.c.get_Blocks(), 3);
  EXPECT_EQ(s.page->CurrentBlock(), 3);
  EXPECT_EQ(s.Text("txtIndex")->text(), "3");
  EXPECT_EQ(s.Scroll()->value(), 3);
  EXPECT_EQ(s.Scroll()->Minimum(), 1);
  EXPECT_EQ(s.Scroll()->Maximum(), 3);
  EXPECT_TRUE(s.Tabs("SSTab1")->isEnabled());
  const PageBlock& b = s.Copy(3);
  EXPECT_EQ(b.BarLeft, -1);
  EXPECT_EQ(b.BarTop, 100);
  EXPECT_EQ(b.Color, 0x808080u);
  EXPECT_EQ(b.GradientColor, 0xFF0000u);
  EXPECT_EQ(b.TextFont, s.c.get_Font());
  EXPECT_EQ(s.Text("txtBlockBarLeft")->text(), "-1");
  EXPECT_EQ(s.Text("txtBlockTextOffset")->text(), "3");
  EXPECT_EQ(s.Find<QLabel>("lblColor_2")->text(), "Start Blue = 255");
  EXPECT_TRUE(s.Find<QCheckBox>("chkBlockClickable")->isChecked());
}

TEST(BlockPage, RemovingTheOnlyBlockLocksTheSettings) {
  BlockSheet s(1);
  s.Button("cmdRemoveBlock")->click();
  EXPECT_EQ(s.c.get_Blocks(), 0);
  EXPECT_FALSE(s.Tabs("SSTab1")->isEnabled());
  EXPECT_EQ(s.Scroll()->Maximum(), s.Scroll()->Minimum());
  EXPECT_TRUE(s.page->Changed());
  // Apply on a control without blocks writes nothing and fails nothing.
  EXPECT_TRUE(s.sheet.Apply());
  EXPECT_TRUE(s.dialogs.errors.empty());
}

TEST(BlockPage, AfterARemovalEditsReachTheBlockTheyWereMadeOn) {
  BlockSheet s(3);
  s.Scroll()->setValue(2);
  s.Button("cmdRemoveBlock")->click();
  ASSERT_EQ(s.c.get_Blocks(), 2);
  EXPECT_EQ(s.page->WorkingBlocks().size(), 2u);
  // The former block 3 now carries number 2 and is the one shown.
  EXPECT_EQ(s.Text("txtBlockKey")->text(), "k3");
  s.Text("txtBlockKey")->setText("third");
  s.sheet.Apply();
  EXPECT_EQ(s.c.get_BlockKey(B(1)), "k1");
  EXPECT_EQ(s.c.get_BlockKey(B(2)), "third");
}

TEST(BlockPage, ApplyWritesMarkedBlocksAndRedrawsOnce) {
  BlockSheet s(2);
  s.Text("txtBlockBarRight")->setText("55");
  s.List("cbxShapeStyle")->setCurrentIndex(1);
  s.host.TakeWindowChanges();
  s.sheet.ApplyButton()->click();
  EXPECT_EQ(s.c.get_BlockBarRight(B(1)), 55);
  EXPECT_EQ(s.c.get_BlockShapeStyle(B(1)), 1);
  EXPECT_EQ(s.host.TakeWindowChanges().size(), 1u);
  EXPECT_FALSE(s.c.get_DontRefreshAfterPropertyPage());
  EXPECT_FALSE(s.Copy(1).bModified);
  // Nothing edited: nothing written, still one redraw.
  s.page->SetChanged(true);
  s.c.put_BlockBarRight(B(1), 20);
  s.host.TakeWindowChanges();
  s.sheet.Apply();
  EXPECT_EQ(s.c.get_BlockBarRight(B(1)), 20);
  EXPECT_EQ(s.host.TakeWindowChanges().size(), 1u);
}

TEST(BlockPage, ThePageHandlesAtMost255Blocks) {
  BlockSheet s(255);
  EXPECT_EQ(s.Scroll()->Maximum(), 255);
  s.Button("cmdAddBlock")->click();
  EXPECT_EQ(s.c.get_Blocks(), 255);
  EXPECT_EQ(s.dialogs.errors.size(), 1u);
  DesignControl big;
  big.c.put_Blocks(300);
  SheetWith<BlockPage> t(big.c);
  EXPECT_EQ(t.page->WorkingBlocks().size(), 255u);
}

// A value of the field's type; sets 1 and 2 differ in every field.
Variant Sample(const MemberRow& row, int n) {
  switch (row.type) {
    case ValueType::kString:
      return Variant::String(std::to_string(n));
    case ValueType::kEnum:
      return Variant::Long(n - 1);
    case ValueType::kColor:
      return Variant::Long(0x102030 * n);
    case ValueType::kBoolean:
      return Variant::Boolean(n == 1);
    case ValueType::kFont:
      return Variant::Object(StdFont::Create("DejaVu Sans", 8 + n));
    case ValueType::kPicture:
      return Variant::Object(StdPicture::Empty());
    default:
      return Variant::Integer(static_cast<int16_t>(10 * n));
  }
}

void FillBlockOne(Varigauge& c, int n) {
  const Variant k = B(1);
  for (const MemberRow* row : BlockMembers())
    (row->access.let ? row->access.let : row->access.set)(c, *row, Args(&k, 1), Sample(*row, n));
}

std::vector<Variant> BlockOne(Varigauge& c) {
  const Variant k = B(1);
  std::vector<Variant> values;
  for (const MemberRow* row : BlockMembers())
    values.push_back(row->access.get(c, *row, Args(&k, 1)));
  return values;
}

TEST(BlockPage, ApplyWritesBackEveryFieldOfAMarkedBlock) {
  BlockSheet s(1, [](Varigauge& c) { FillBlockOne(c, 1); });
  const std::vector<Variant> read = BlockOne(s.c);
  FillBlockOne(s.c, 2);
  QCheckBox* on_top = s.Find<QCheckBox>("chkBlockOnTop");
  on_top->setChecked(!on_top->isChecked());
  on_top->setChecked(!on_top->isChecked());
  s.sheet.Apply();
  const std::vector<Variant> applied = BlockOne(s.c);
  for (size_t i = 0; i < read.size(); ++i) {
    const MemberRow& row = *BlockMembers()[i];
    // The control derives the percentages from the bars when it redraws.
    if (row.id == dispid::kBlockHPercentage || row.id == dispid::kBlockVPercentage) continue;
    // Fonts and pictures are the objects the page read, not copies.
    EXPECT_TRUE(applied[i] == read[i]) << row.name;
  }
}

// Every list of the pages but the live fields offers one enumeration of the type library
// whole, item i being its constant of value i: a list's index is the value it stands for.
TEST(PageLists, EachListOffersAWholeEnumerationIndexedByValue) {
  BlockSheet s(1);
  SheetWith<CaptionPage> caption(s.c);
  QList<QComboBox*> lists = s.page->findChildren<QComboBox*>();
  lists += caption.page->findChildren<QComboBox*>();
  for (QComboBox* list : lists) {
    if (list->objectName() == "cbxTextFormat") continue;
    SCOPED_TRACE(list->objectName().toStdString());
    ASSERT_GT(list->count(), 0);
    const std::string first = list->itemText(0).section(' ', -1).toStdString();
    const auto holds_first = [&](const EnumType& e) { return e.constants[0].name == first; };
    const auto type = std::ranges::find_if(Enumerations(), holds_first);
    ASSERT_NE(type, Enumerations().end());
    ASSERT_EQ(static_cast<size_t>(list->count()), type->constants.size());
    for (int i = 0; i < list->count(); ++i) {
      EXPECT_EQ(type->constants[i].value, i);
      EXPECT_EQ(list->itemText(i).section(' ', 0, 0), QString::number(i));
      EXPECT_EQ(list->itemText(i).section(' ', -1).toStdString(), type->constants[i].name);
    }
  }
}

}  // namespace
}  // namespace vg

namespace vg {
namespace {

TEST(BlockPage, TheTextColourSampleShowsOnWhiteOrBlackWhicheverContrastsMore) {
  struct Row {
    uint32_t text, background;
  };
  for (Row r : {Row{0xFFFFFF, 0x000000}, Row{0x000000, 0xFFFFFF}, Row{0x00FFFF, 0x000000},
                Row{0xFF0000, 0xFFFFFF}, Row{0x0000FF, 0x000000}, Row{0x606060, 0xFFFFFF},
                Row{0x808080, 0x000000}})
    EXPECT_EQ(ContrastingBackground(r.text), r.background) << std::hex << r.text;

  // White text (here the system's window colour) is seen on the sample: not white on white.
  BlockSheet s(1, [](Varigauge& c) { c.put_BlockTextColor(B(1), 0x80000005); });
  QLineEdit* sample = s.Text("txtTextColor");
  sample->resize(160, 24);
  const QImage image = sample->grab().toImage();
  int white = 0, black = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      white += image.pixel(x, y) == qRgb(255, 255, 255);
      black += image.pixel(x, y) == qRgb(0, 0, 0);
    }
  EXPECT_GT(black, image.width() * image.height() / 2);
  EXPECT_GT(white, 10);
  s.dialogs.colors.push_back(0x00800000);  // navy
  s.Button("cmdTextColorSelection")->click();
  EXPECT_EQ(sample->palette().color(QPalette::Base), QColor(255, 255, 255));
}

}  // namespace
}  // namespace vg
