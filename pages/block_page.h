#pragma once
// The Block page: edits the blocks of the selected control at design time. On first
// showing it copies every block into a working list; the user browses and edits the copies,
// and Apply writes back the modified ones inside DontRefreshAfterPropertyPage, so the control
// redraws once. Adding and removing a block act on the control at once, and so does a font
// chosen for a block (the font object is shared with the control).
//
// Every widget change runs its handler, whether the user or the page made it: showing a
// block puts its values into the widgets, and the handlers store them back and mark the
// block. The page handles at most 255 blocks.
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "control/block_record.h"
#include "qt/property_page.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace Ui {
class BlockPage;
}

namespace vg {

struct MemberRow;
class PreviewBox;

// The working copy of one block; its bModified field is the page's edit mark.
using PageBlock = BlockRecord;

class BlockPage : public PropertyPage {
  Q_OBJECT

 public:
  static constexpr int kMaxBlocks = 255;
  // The open-file filter of the picture browser.
  static const char* const kPictureFilter;

  explicit BlockPage(QWidget* parent = nullptr);
  ~BlockPage() override;

  QString Caption() const override { return tr("&Block"); }
  void PropertyPage_Initialize() override;
  void PropertyPage_SelectionChanged() override;
  void PropertyPage_ApplyChanges() override;

  // The page's state, for inspection.
  int16_t CurrentBlock() const { return iCurrentBlock; }
  bool Loaded() const { return bLoaded; }
  const std::vector<PageBlock>& WorkingBlocks() const { return aPageBlocks; }

 private:
  // Handlers of the widgets' changes (block_page_edit.cpp).
  void ConnectHandlers();

  // Loading and showing (block_page_load.cpp).
  void HScroll1_Change();
  void ShowCurrentBlock();
  // The block fields in the order the page reads and writes them.
  static std::span<const MemberRow* const> Fields();
  void ReadBlock(int i, PageBlock& b) const;

  // Editing (block_page_edit.cpp).
  // The working copy of the block shown (element 1 when there is none).
  PageBlock& b();
  void Mark();
  void IntegerHandler(QLineEdit* box, int16_t PageBlock::*field);
  OLE_COLOR ColorSelection(OLE_COLOR color, QLineEdit* sample, bool useBackground);
  void FontSelection(const StdFontRef& font, QLineEdit* nameBox);
  void cmdBrowse_Click();
  void cmdRemove_Click();
  void cbxTextFormat_Click(int index);
  void cmdAddBlock_Click();
  void cmdRemoveBlock_Click();
  void InitCurrentBlock();
  void ApplyBlocks();
  void ShowPicture(const StdPictureRef& picture);

  // Colour pickers (block_page_colors.cpp).
  void hslColor_Change(int k, bool end);
  void PaintChannel(int k, bool end);
  void pctResult_Paint();
  void RefreshPreviews();
  void ShowChannels();

  int16_t iCurrentBlock = 0;
  bool bLoaded = false;
  std::vector<PageBlock> aPageBlocks;  // element k holds block k + 1
  bool setting_channels_ = false;      // the page, not the user, moves the channel bars
  StdPictureRef picture1_;             // what Picture1 shows

  // The page's widgets, made from block_page.ui.
  std::unique_ptr<Ui::BlockPage> ui_;
  // The colour channels' bars, values and ramps, red, green and blue, of the start and the
  // end colour.
  std::array<QScrollBar*, 3> hslColor;
  std::array<QScrollBar*, 3> hslColorEnd;
  std::array<QLabel*, 3> lblColor;
  std::array<QLabel*, 3> lblColorEnd;
  std::array<PreviewBox*, 3> pctColor;
  std::array<PreviewBox*, 3> pctColorEnd;
};

}  // namespace vg
