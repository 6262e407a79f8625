// The Block page's widgets: captions and list items as the page shows them, tabs nested as
// the page groups its settings, and every widget's change connected to its handler.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "control/dispids.h"
#include "pages/block_page.h"
#include "pages/page_controls.h"
#include "pages/page_widgets.h"

namespace vg {
namespace {

// A colour bar's width: its two arrows, its thumb (a sixteenth of the groove at a page step
// of 16) and 256 pixels of travel, in any usual style.
constexpr int kColorBarWidth = 320;

// A field with its "..." button.
QWidget* Row(QWidget* a, QWidget* b) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(a, 1);
  layout->addWidget(b);
  return row;
}

QTabWidget* MakeTabs(QWidget* parent, const char* name) {
  auto* tabs = new QTabWidget(parent);
  tabs->setObjectName(QLatin1String(name));
  return tabs;
}

// A sample box showing a colour, not editable.
QLineEdit* MakeSample(QWidget* parent, const char* name, const QString& text = QString()) {
  QLineEdit* box = MakeTextBox(parent, name);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  box->setText(text);
  return box;
}

}  // namespace

const char* const BlockPage::kPictureFilter =
    "All (*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.emf;*.wmf)|*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.emf;*.wmf|"
    "Bitmaps (*.bmp)|*.bmp|Gifs (*.gif)|*.gif|Icons (*.ico)|*.ico|"
    "JPG-JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Metafiles (*.emf;*.wmf)|*.emf;*.wmf";

BlockPage::BlockPage(QWidget* parent) : PropertyPage(parent) {
  setObjectName(QStringLiteral("Block"));
  txtIndex = MakeTextBox(this, "txtIndex");
  txtIndex->setReadOnly(true);
  QPalette grey = txtIndex->palette();
  grey.setColor(QPalette::Base, Qt::gray);
  grey.setColor(QPalette::Text, Qt::white);
  txtIndex->setPalette(grey);
  HScroll1 = new PageScrollBar(this);
  HScroll1->setObjectName(QStringLiteral("HScroll1"));
  txtBlockKey = MakeTextBox(this, "txtBlockKey");
  cmdAddBlock = MakeButton(this, "cmdAddBlock", tr("A&dd"));
  cmdRemoveBlock = MakeButton(this, "cmdRemoveBlock", tr("&Remove"));

  auto* top = new QGridLayout;
  auto* index_label = new QLabel(tr("&Index:"));
  index_label->setBuddy(txtIndex);
  top->addWidget(index_label, 0, 0);
  top->addWidget(txtIndex, 0, 1);
  top->addWidget(HScroll1, 0, 2);
  top->addWidget(cmdAddBlock, 0, 3);
  auto* key_label = new QLabel(tr("Key:"));
  key_label->setBuddy(txtBlockKey);
  top->addWidget(key_label, 1, 0);
  top->addWidget(txtBlockKey, 1, 1, 1, 2);
  top->addWidget(cmdRemoveBlock, 1, 3);

  SSTab1 = MakeTabs(this, "SSTab1");
  SSTab1->addTab(BuildPositionTab(), tr("&Position"));
  SSTab1->addTab(BuildTextTab(), tr("&Text"));
  SSTab1->addTab(BuildAppearanceTab(), tr("&Appearance"));
  SSTab1->addTab(BuildPictureTab(), tr("&Picture"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(SSTab1);
  ConnectHandlers();
}

BlockPage::~BlockPage() = default;

QWidget* BlockPage::BuildPositionTab() {
  auto* tab = new QWidget;
  auto* layout = new QHBoxLayout(tab);
  auto* bars = new QGroupBox(tab);
  auto* form = new QFormLayout(bars);
  txtBlockBarLeft = MakeTextBox(bars, "txtBlockBarLeft");
  txtBlockBarRight = MakeTextBox(bars, "txtBlockBarRight");
  txtBlockBarTop = MakeTextBox(bars, "txtBlockBarTop");
  txtBlockBarBottom = MakeTextBox(bars, "txtBlockBarBottom");
  chkBlockAutoSize = MakeCheck(bars, "chkBlockAutoSize", tr("&AutoSize"));
  chkBlockClickable = MakeCheck(bars, "chkBlockClickable", tr("&Clickable"));
  AddRow(form, tr("&Left:"), txtBlockBarLeft);
  AddRow(form, tr("&Right:"), txtBlockBarRight);
  AddRow(form, tr("&Top:"), txtBlockBarTop);
  AddRow(form, tr("&Bottom:"), txtBlockBarBottom);
  form->addRow(chkBlockAutoSize);
  form->addRow(chkBlockClickable);
  auto* percentage = new QGroupBox(tr("&Percentage"), tab);
  auto* pform = new QFormLayout(percentage);
  txtBlockHPercentage = MakeDisplayBox(percentage, "txtBlockHPercentage");
  txtBlockVPercentage = MakeDisplayBox(percentage, "txtBlockVPercentage");
  AddRow(pform, tr("&Horizontal:"), txtBlockHPercentage);
  AddRow(pform, tr("&Vertical:"), txtBlockVPercentage);
  layout->addWidget(bars);
  layout->addWidget(percentage, 0, Qt::AlignTop);
  return tab;
}

QWidget* BlockPage::BuildTextTab() {
  auto* tab = new QWidget;
  SSTab2 = MakeTabs(tab, "SSTab2");
  (new QVBoxLayout(tab))->addWidget(SSTab2);

  auto* value = new QWidget;
  auto* vform = new QFormLayout(value);
  cbxTextFormat = MakeList(
      value, "cbxTextFormat",
      {"short time", "medium time", "long time", "general date", "short date", "medium date",
       "long date", "h%", "v%", "disk free:?", "disk used:?", "disk total:?", "ratio free:?",
       "ratio used:?", "show vertical ratio free:?", "show vertical ratio used:?",
       "show horizontal ratio free:?", "show horizontal ratio used:?"});
  txtBlockText = MakeTextBox(value, "txtBlockText");
  AddRow(vform, tr("&Format available :"), cbxTextFormat);
  vform->addRow(txtBlockText);
  SSTab2->addTab(value, tr("&Value"));

  auto* font = new QWidget;
  auto* fform = new QFormLayout(font);
  txtTextFont = MakeDisplayBox(font, "txtTextFont");
  cmdFontSelection = MakeButton(font, "cmdFontSelection", QStringLiteral("..."));
  txtTextColor = MakeSample(font, "txtTextColor", tr("This text is colored"));
  cmdTextColorSelection = MakeButton(font, "cmdTextColorSelection", QStringLiteral("..."));
  cbxFont3D = MakeList(font, "cbxFont3D", EnumItems(dispid::kBlockTextFont3D));
  // A caption of a field with its "..." button leads the keyboard to the button.
  AddRow(fform, tr("&Select a Font:"), Row(txtTextFont, cmdFontSelection), cmdFontSelection);
  AddRow(fform, tr("&Color:"), Row(txtTextColor, cmdTextColorSelection), cmdTextColorSelection);
  AddRow(fform, tr("&Font 3D:"), cbxFont3D);
  SSTab2->addTab(font, tr("&Font"));

  auto* position = new QWidget;
  auto* pform = new QFormLayout(position);
  cbxTextAlignment = MakeList(position, "cbxTextAlignment", EnumItems(dispid::kBlockTextAlignment));
  txtBlockTextAngle = MakeTextBox(position, "txtBlockTextAngle");
  cbxAutoAngle = MakeList(position, "cbxAutoAngle", EnumItems(dispid::kBlockTextAutoAngle));
  txtBlockTextOffset = MakeTextBox(position, "txtBlockTextOffset");
  AddRow(pform, tr("&Alignment:"), cbxTextAlignment);
  AddRow(pform, tr("&Angle:"), txtBlockTextAngle);
  AddRow(pform, tr("&Auto Angle:"), cbxAutoAngle);
  AddRow(pform, tr("&Offset:"), txtBlockTextOffset);
  SSTab2->addTab(position, tr("&Position"));
  return tab;
}

QWidget* BlockPage::BuildAppearanceTab() {
  auto* tab = new QWidget;
  SSTab3 = MakeTabs(tab, "SSTab3");
  (new QVBoxLayout(tab))->addWidget(SSTab3);

  auto* general = new QWidget;
  auto* gform = new QFormLayout(general);
  cbxShapeStyle = MakeList(general, "cbxShapeStyle", EnumItems(dispid::kBlockShapeStyle));
  cbxBorderStyle = MakeList(general, "cbxBorderStyle", EnumItems(dispid::kBlockBorderStyle));
  txtBlockBorderWidth = MakeTextBox(general, "txtBlockBorderWidth");
  txtColor = MakeSample(general, "txtColor");
  cmdColorSelection = MakeButton(general, "cmdColorSelection", QStringLiteral("..."));
  chkBlockVisible = MakeCheck(general, "chkBlockVisible", tr("Visible"));
  chkBlockOnTop = MakeCheck(general, "chkBlockOnTop", tr("On Top"));
  AddRow(gform, tr("&Shape:"), cbxShapeStyle);
  AddRow(gform, tr("&Border:"), cbxBorderStyle);
  AddRow(gform, tr("width:"), txtBlockBorderWidth);
  AddRow(gform, tr("&Background Color:"), Row(txtColor, cmdColorSelection), cmdColorSelection);
  gform->addRow(chkBlockVisible);
  gform->addRow(chkBlockOnTop);
  SSTab3->addTab(general, tr("&General"));

  auto* brush = new QWidget;
  auto* bform = new QFormLayout(brush);
  cbxBrushStyle = MakeList(brush, "cbxBrushStyle", EnumItems(dispid::kBlockBrushStyle));
  txtBrushColor = MakeSample(brush, "txtBrushColor");
  cmdBrushColor = MakeButton(brush, "cmdBrushColor", QStringLiteral("..."));
  AddRow(bform, tr("&Style:"), cbxBrushStyle);
  AddRow(bform, tr("Brush &Color:"), Row(txtBrushColor, cmdBrushColor), cmdBrushColor);
  SSTab3->addTab(brush, tr("&Brush"));

  SSTab3->addTab(BuildGradientTab(), tr("&Gradient"));

  auto* rivets = new QWidget;
  auto* rform = new QFormLayout(rivets);
  cbxRivetsStyle = MakeList(rivets, "cbxRivetsStyle", EnumItems(dispid::kBlockRivetsStyle));
  AddRow(rform, tr("&Style:"), cbxRivetsStyle);
  SSTab3->addTab(rivets, tr("&Rivets"));
  return tab;
}

QWidget* BlockPage::BuildGradientTab() {
  auto* gradient = new QWidget;
  auto* layout = new QVBoxLayout(gradient);
  auto* form = new QFormLayout;
  cbxGradientStyle = MakeList(gradient, "cbxGradientStyle", EnumItems(dispid::kBlockGradientStyle));
  cbxGradientGranularity =
      MakeList(gradient, "cbxGradientGranularity", EnumItems(dispid::kBlockGradientGranularity));
  AddRow(form, tr("&Style:"), cbxGradientStyle);
  AddRow(form, tr("&Granularity:"), cbxGradientGranularity);
  layout->addLayout(form);
  // The caption's mnemonic leads to the first colour bar (a label without a buddy would
  // show its "&").
  auto* color_caption = new QLabel(tr("&Color:"), gradient);
  layout->addWidget(color_caption);

  // One row per channel, the start colour's three above the end colour's: label, bar and
  // ramp. A bar is wide enough that its thumb travels a pixel or more per value, so a drag
  // reaches every value from 0 to 255; it takes focus and moves with the arrow keys (one)
  // and Page Up/Down (sixteen).
  static const char* const kStart[] = {"Start Red = ", "Start Green = ", "Start Blue = "};
  static const char* const kEnd[] = {"End Red = ", "End Green = ", "End Blue = "};
  auto* grid = new QGridLayout;
  auto make_channel = [&](bool end, int k) {
    auto* bar = new QScrollBar(Qt::Horizontal, gradient);
    bar->setObjectName(QStringLiteral("%1_%2").arg(end ? "hslColorEnd" : "hslColor").arg(k));
    bar->setRange(0, 255);
    bar->setPageStep(16);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setInvertedControls(false);  // Right and Page Up raise the value
    bar->setMinimumWidth(kColorBarWidth);
    auto* label = new QLabel(gradient);
    label->setObjectName(QStringLiteral("%1_%2").arg(end ? "lblColorEnd" : "lblColor").arg(k));
    // The prefix lives with the label, as its tag.
    label->setProperty("tag", QLatin1String(end ? kEnd[k] : kStart[k]));
    label->setText(QLatin1String(end ? kEnd[k] : kStart[k]) + QLatin1Char('0'));
    label->setBuddy(bar);
    auto* ramp = new PreviewBox(gradient);
    ramp->setObjectName(QStringLiteral("%1_%2").arg(end ? "pctColorEnd" : "pctColor").arg(k));
    ramp->setMinimumWidth(48);
    const int row = (end ? 3 : 0) + k;
    grid->addWidget(label, row, 0);
    grid->addWidget(bar, row, 1);
    grid->addWidget(ramp, row, 2);
    (end ? hslColorEnd : hslColor)[k] = bar;
    (end ? lblColorEnd : lblColor)[k] = label;
    (end ? pctColorEnd : pctColor)[k] = ramp;
  };
  for (bool end : {false, true})
    for (int k = 0; k < 3; ++k) make_channel(end, k);
  color_caption->setBuddy(hslColor[0]);
  layout->addLayout(grid);
  pctResult = new PreviewBox(gradient);
  pctResult->setObjectName(QStringLiteral("pctResult"));
  pctResult->setMinimumHeight(24);
  layout->addWidget(pctResult);
  return gradient;
}

QWidget* BlockPage::BuildPictureTab() {
  auto* tab = new QWidget;
  SSTab4 = MakeTabs(tab, "SSTab4");
  (new QVBoxLayout(tab))->addWidget(SSTab4);

  auto* appearance = new QWidget;
  auto* aform = new QFormLayout(appearance);
  cbxPictureAlignment =
      MakeList(appearance, "cbxPictureAlignment", EnumItems(dispid::kBlockPictureAlignment));
  cbxPictureTile = MakeList(appearance, "cbxPictureTile", EnumItems(dispid::kBlockPictureTile));
  txtBlockPictureOffset = MakeTextBox(appearance, "txtBlockPictureOffset");
  AddRow(aform, tr("&Alignment:"), cbxPictureAlignment);
  AddRow(aform, tr("&Tile:"), cbxPictureTile);
  AddRow(aform, tr("offset:"), txtBlockPictureOffset);
  SSTab4->addTab(appearance, tr("&Appearance"));

  auto* preview = new QWidget;
  auto* playout = new QHBoxLayout(preview);
  Picture1 = new QLabel(preview);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setMinimumSize(64, 64);
  Picture1->setFrameShape(QFrame::Box);
  cmdBrowse = MakeButton(preview, "cmdBrowse", tr("&Browse"));
  cmdRemove = MakeButton(preview, "cmdRemove", tr("&Remove"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdBrowse);
  buttons->addWidget(cmdRemove);
  buttons->addStretch();
  playout->addWidget(Picture1, 1);
  playout->addLayout(buttons);
  SSTab4->addTab(preview, tr("Pre&view"));
  return tab;
}

}  // namespace vg
