// The Block page's editing: field handlers, the dialogs, live-field insertion, adding and
// removing blocks, and Apply.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "control/dispids.h"
#include "control/members.h"
#include "control/varigauge.h"
#include "pages/block_page.h"
#include "pages/page_controls.h"
#include "pages/page_numbers.h"
#include "pages/page_widgets.h"
#include "platform/automation/errors.h"
#include "platform/base/numeric.h"
#include "qt/common_dialogs.h"
#include "qt/qt_pictures.h"
#include "qt/qt_values.h"
#include "ui_block_page.h"

namespace vg {
namespace {

// Restores DontRefreshAfterPropertyPage however Apply ends, so a refused value never leaves
// the control holding its redraw.
class HeldRedraw {
 public:
  explicit HeldRedraw(Varigauge& c) : c_(c) { c_.put_DontRefreshAfterPropertyPage(true); }
  ~HeldRedraw() {
    try {
      c_.put_DontRefreshAfterPropertyPage(false);
    } catch (...) {
      // Only a running program refuses it, and then it was never set.
    }
  }
  HeldRedraw(const HeldRedraw&) = delete;
  HeldRedraw& operator=(const HeldRedraw&) = delete;

 private:
  Varigauge& c_;
};

// The percentages follow from the bars: the page shows them and never writes them.
bool ShownOnly(const MemberRow& row) {
  return row.id == dispid::kBlockHPercentage || row.id == dispid::kBlockVPercentage;
}

}  // namespace

void BlockPage::ConnectHandlers() {
  connect(ui_->HScroll1, &QScrollBar::valueChanged, this, &BlockPage::HScroll1_Change);
  auto text = [this](QLineEdit* box, std::string PageBlock::*field) {
    connect(box, &QLineEdit::textChanged, this, [this, box, field] {
      b().*field = box->text().toStdString();
      Mark();
    });
  };
  text(ui_->txtBlockKey, &PageBlock::Key);
  text(ui_->txtBlockText, &PageBlock::Text);
  auto integer = [this](QLineEdit* box, int16_t PageBlock::*field) {
    connect(box, &QLineEdit::textChanged, this, [this, box, field] { IntegerHandler(box, field); });
  };
  integer(ui_->txtBlockBarLeft, &PageBlock::BarLeft);
  integer(ui_->txtBlockBarRight, &PageBlock::BarRight);
  integer(ui_->txtBlockBarTop, &PageBlock::BarTop);
  integer(ui_->txtBlockBarBottom, &PageBlock::BarBottom);
  integer(ui_->txtBlockBorderWidth, &PageBlock::BorderWidth);
  integer(ui_->txtBlockTextOffset, &PageBlock::TextOffset);
  integer(ui_->txtBlockTextAngle, &PageBlock::TextAngle);
  integer(ui_->txtBlockPictureOffset, &PageBlock::PictureOffset);
  for (QLineEdit* box : {ui_->txtBlockHPercentage, ui_->txtBlockVPercentage})
    connect(box, &QLineEdit::textChanged, this, [this] { SetChanged(true); });
  auto check = [this](QCheckBox* box, bool PageBlock::*field) {
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
      b().*field = on;
      Mark();
    });
  };
  check(ui_->chkBlockOnTop, &PageBlock::OnTop);
  check(ui_->chkBlockVisible, &PageBlock::Visible);
  check(ui_->chkBlockClickable, &PageBlock::Clickable);
  check(ui_->chkBlockAutoSize, &PageBlock::AutoSize);
  auto list = [this](QComboBox* box, int16_t PageBlock::*field, bool previews) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, field, previews](int index) {
      // No item selected (a value beyond the list): the field keeps its value.
      if (index < 0) return;
      b().*field = static_cast<int16_t>(index);
      Mark();
      if (previews) RefreshPreviews();
    });
  };
  list(ui_->cbxShapeStyle, &PageBlock::ShapeStyle, false);
  list(ui_->cbxBorderStyle, &PageBlock::BorderStyle, false);
  list(ui_->cbxBrushStyle, &PageBlock::BrushStyle, false);
  list(ui_->cbxRivetsStyle, &PageBlock::RivetsStyle, false);
  list(ui_->cbxTextAlignment, &PageBlock::TextAlignment, false);
  list(ui_->cbxAutoAngle, &PageBlock::TextAutoAngle, false);
  list(ui_->cbxFont3D, &PageBlock::TextFont3D, false);
  list(ui_->cbxPictureAlignment, &PageBlock::PictureAlignment, false);
  list(ui_->cbxPictureTile, &PageBlock::PictureTile, false);
  list(ui_->cbxGradientStyle, &PageBlock::GradientStyle, true);
  list(ui_->cbxGradientGranularity, &PageBlock::GradientGranularity, true);

  auto color = [this](QPushButton* button, OLE_COLOR PageBlock::*field, QLineEdit* sample,
                      bool background) {
    connect(button, &QPushButton::clicked, this, [this, field, sample, background] {
      b().*field = ColorSelection(b().*field, sample, background);
      Mark();
    });
  };
  color(ui_->cmdColorSelection, &PageBlock::Color, ui_->txtColor, true);
  color(ui_->cmdBrushColor, &PageBlock::BrushColor, ui_->txtBrushColor, true);
  color(ui_->cmdTextColorSelection, &PageBlock::TextColor, ui_->txtTextColor, false);
  connect(ui_->cmdFontSelection, &QPushButton::clicked, this, [this] {
    FontSelection(b().TextFont, ui_->txtTextFont);
    Mark();
  });
  connect(ui_->cmdBrowse, &QPushButton::clicked, this, &BlockPage::cmdBrowse_Click);
  connect(ui_->cmdRemove, &QPushButton::clicked, this, &BlockPage::cmdRemove_Click);
  // A user's choice inserts a field, also when the same item is chosen again.
  connect(ui_->cbxTextFormat, &QComboBox::activated, this, &BlockPage::cbxTextFormat_Click);
  connect(ui_->cmdAddBlock, &QPushButton::clicked, this, &BlockPage::cmdAddBlock_Click);
  connect(ui_->cmdRemoveBlock, &QPushButton::clicked, this, &BlockPage::cmdRemoveBlock_Click);
  for (int k = 0; k < 3; ++k) {
    connect(hslColor[k], &QScrollBar::valueChanged, this, [this, k] { hslColor_Change(k, false); });
    connect(hslColorEnd[k], &QScrollBar::valueChanged, this,
            [this, k] { hslColor_Change(k, true); });
  }
}

PageBlock& BlockPage::b() {
  if (aPageBlocks.empty()) aPageBlocks.resize(1);
  size_t i = iCurrentBlock > 0 ? static_cast<size_t>(iCurrentBlock - 1) : 0;
  return aPageBlocks[std::min(i, aPageBlocks.size() - 1)];
}

void BlockPage::Mark() {
  b().bModified = true;
  SetChanged(true);
}

void BlockPage::IntegerHandler(QLineEdit* box, int16_t PageBlock::*field) {
  if (std::optional<int16_t> v = IntegerField(box->text().toStdString())) b().*field = *v;
  Mark();
}

OLE_COLOR BlockPage::ColorSelection(OLE_COLOR color, QLineEdit* sample, bool useBackground) {
  std::optional<OLE_COLOR> chosen = Dialogs().ChooseColor(this, color);
  if (!chosen) return color;
  SetSampleColor(sample, *chosen, useBackground);
  return *chosen;
}

void BlockPage::FontSelection(const StdFontRef& font, QLineEdit* nameBox) {
  if (!font) return;
  FontChoice start = FontChoiceOf(*font);
  std::optional<FontChoice> chosen = Dialogs().ChooseFont(this, start);
  if (!chosen) return;
  // In place: the object is shared with the control, which sees the change at once.
  try {
    ApplyFontChoice(*chosen, *font);
  } catch (const AutomationError& e) {
    Dialogs().ReportError(this, e.what());  // a size the font refuses
  }
  nameBox->setText(QString::fromStdString(font->Name()));
}

void BlockPage::ShowPicture(const StdPictureRef& picture) {
  picture1_ = picture;
  ui_->Picture1->setPixmap(ToQPixmap(picture.get()));  // none for an empty picture
}

void BlockPage::cmdBrowse_Click() {
  std::optional<std::string> file = Dialogs().ChooseOpenFile(this, kPictureFilter);
  if (!file) return;
  StdPictureRef picture;
  try {
    picture = LoadPictureQt(*file);
  } catch (const AutomationError&) {
    return;  // not a picture we can read (metafiles among them): nothing changes
  }
  ShowPicture(picture);
  b().Picture = picture;
  // The block is marked, so Apply writes the picture even when nothing else changed.
  Mark();
}

void BlockPage::cmdRemove_Click() {
  StdPictureRef empty = StdPicture::Empty();
  ShowPicture(empty);
  b().Picture = empty;
  Mark();
}

void BlockPage::cbxTextFormat_Click(int index) {
  if (index < 0) return;
  QString s = ui_->txtBlockText->text();
  int p = ui_->txtBlockText->cursorPosition();
  QString token = QLatin1Char('!') + ui_->cbxTextFormat->itemText(index) + QLatin1Char('!');
  ui_->txtBlockText->setText(s.left(p) + token + s.mid(p));
}

void BlockPage::InitCurrentBlock() {
  // A new block's values, with the control's own font and, where the control's new block
  // has no picture, an empty one the preview can show.
  b() = PageBlock::NewBlock(Control()->get_Font());
  b().Picture = StdPicture::Empty();
}

void BlockPage::cmdAddBlock_Click() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  // The page counts blocks in a byte: it adds none beyond 255.
  if (c->get_Blocks() >= kMaxBlocks) {
    Dialogs().ReportError(this,
                          tr("A control edited here holds at most 255 blocks.").toStdString());
    return;
  }
  ui_->SSTab1->setEnabled(true);
  iCurrentBlock = static_cast<int16_t>(std::max<int>(c->get_Blocks(), 0) + 1);
  c->AddBlock();
  ui_->txtIndex->setText(QString::number(c->get_Blocks()));
  aPageBlocks.resize(iCurrentBlock);
  InitCurrentBlock();
  ShowCurrentBlock();
  ui_->HScroll1->SetMinimum(1);
  ui_->HScroll1->SetMaximum(iCurrentBlock);
  ui_->HScroll1->setValue(ui_->HScroll1->maximum());
}

void BlockPage::cmdRemoveBlock_Click() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  double index = LeadingNumber(ui_->txtIndex->text().toStdString());
  try {
    c->DeleteBlock(Variant::Double(index));
  } catch (const AutomationError& e) {
    Dialogs().ReportError(this, e.what());
    return;
  }
  // The removed block's working copy goes too, so the copies keep the control's numbers.
  // The control accepted the number, so it lies within 1..Blocks.
  auto removed = static_cast<size_t>(RoundHalfEven(index)) - 1;
  if (removed < aPageBlocks.size())
    aPageBlocks.erase(aPageBlocks.begin() + static_cast<std::ptrdiff_t>(removed));
  if (aPageBlocks.empty()) aPageBlocks.resize(1);
  if (c->get_Blocks() <= 0) {
    ui_->SSTab1->setEnabled(false);
    ui_->HScroll1->SetMaximum(ui_->HScroll1->Minimum());
    iCurrentBlock = 0;
    ui_->txtIndex->setText(QString());
  } else {
    ui_->HScroll1->SetMaximum(std::min<int>(c->get_Blocks(), kMaxBlocks));
    // Show the block that now carries the shown number (or the last one).
    iCurrentBlock = static_cast<int16_t>(ui_->HScroll1->value());
    ui_->txtIndex->setText(QString::number(iCurrentBlock));
    ShowCurrentBlock();
  }
  SetChanged(true);
}

void BlockPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  HeldRedraw hold(*c);
  if (c->get_Blocks() > 0) ApplyBlocks();
}

void BlockPage::ApplyBlocks() {
  Varigauge& c = *Control();
  int n = std::min<int>({c.get_Blocks(), kMaxBlocks, static_cast<int>(aPageBlocks.size())});
  for (int i = 1; i <= n; ++i) {
    PageBlock& b = aPageBlocks[i - 1];
    if (!b.bModified) continue;
    const Variant k = Variant::Integer(static_cast<int16_t>(i));
    for (const MemberRow* row : Fields()) {
      if (ShownOnly(*row)) continue;
      // Pictures are assigned as references, everything else as a value.
      (row->access.let ? row->access.let : row->access.set)(c, *row, Args(&k, 1),
                                                            row->access.fetch_field(b));
    }
    b.bModified = false;
  }
}

}  // namespace vg
