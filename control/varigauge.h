#pragma once
// Varigauge: the multi-purpose bar control. It lives in a host framework (UserControl),
// handles the framework's events, keeps its settings, and draws everything through its
// off-screen surface in one render pass. Hosts reach it through the typed members below
// (early binding) or through the dispatch interface (late binding, by name or DISPID).
#include <cstdint>
#include <memory>
#include <string>

#include "control/block_table.h"
#include "control/control_state.h"
#include "control/control_timers.h"
#include "control/dispids.h"
#include "control/members.h"
#include "control/render_pass.h"
#include "platform/automation/dispatch.h"
#include "platform/host/user_control.h"

namespace vg {

// The selector of the current block.
inline Variant CurrentBlock() {
  return Variant::Integer(-1);
}

// The control itself, without a toolkit: place it in a host (HeadlessHost, the widget's).
class Varigauge : public DispatchObject, public ControlEvents {
 public:
  // A control living in `host`; the host delivers the framework events that initialise it.
  explicit Varigauge(UserControl& host);
  ~Varigauge() override;

  // A factory for hosts: makes a control living in `host`.
  static std::shared_ptr<Varigauge> Create(UserControl& host);
  // The host the control lives in (its clock, timers and drives among the rest).
  const UserControl& host() const { return host_; }
  // Places a new control in `host` (any host that places a control from a factory) and
  // returns it.
  template <class Host>
  static std::shared_ptr<Varigauge> PlaceIn(Host& host) {
    std::shared_ptr<Varigauge> control;
    host.Place([&control](UserControl& site) { return control = Create(site); });
    return control;
  }

  // Framework events.
  void UserControl_Initialize() override;
  void UserControl_InitProperties() override;
  void UserControl_Resize() override;
  void UserControl_Paint() override;
  void UserControl_Terminate() override;
  // Mouse: a button release raises BlockClicked with the block hit (or -1); the click and
  // the double click are passed on as Click and DblClick.
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override;
  void UserControl_DblClick() override;

  // Stored forms: every setting and block under its key (see persistence.cpp).
  void UserControl_ReadProperties(PropertyBag& PropBag) override;
  void UserControl_WriteProperties(PropertyBag& PropBag) override;
  // The block table alone from a stored form's keys (the block count and each block's),
  // as a form's blocks property sets it: a value that fails leaves the table as it was;
  // then the host hears of the change and the control draws once.
  void ReadBlockTable(PropertyBag& bag);

  // Methods.
  void Refresh();
  // Both show the About box modally and return when it is closed.
  void About();
  void ShowAboutBox();
  // Snapshot of the blocks in memory: SaveSetting copies every block record, sharing fonts
  // and pictures; RestoreSetting copies it back by position and redraws (error 9 at the
  // first block the snapshot does not cover, without a redraw).
  void SaveSetting();
  void RestoreSetting();

  // Drawing switch: while false nothing is drawn; setting it true draws once.
  bool get_Redraw() const { return state_.redraw; }
  void put_Redraw(bool v);

  // Timers. Setters store, notify the host and set the timer, without redrawing; getters
  // give the setting, not the timer's state (a start the system refused still reads true).
  int32_t get_TimerTimeInterval() const { return state_.timer_time_interval; }
  void put_TimerTimeInterval(int32_t v);
  bool get_TimerTimeEnabled() const { return state_.timer_time_enabled; }
  void put_TimerTimeEnabled(bool v);
  int32_t get_TimerDiskInterval() const { return state_.timer_disk_interval; }
  void put_TimerDiskInterval(int32_t v);
  bool get_TimerDiskEnabled() const { return state_.timer_disk_enabled; }
  void put_TimerDiskEnabled(bool v);
  // The timers themselves (null before UserControl_Initialize and after Terminate).
  const IntervalTimer* timerTimeInformation() const { return timers_.time(); }
  const IntervalTimer* timerDiskInformation() const { return timers_.disk(); }

  // Control-wide properties. Setters store, notify the host, and redraw.
  OLE_COLOR get_BackColor() const { return state_.back_color; }
  void put_BackColor(OLE_COLOR v);
  OLE_COLOR get_ForeColor() const;
  void put_ForeColor(OLE_COLOR v);
  bool get_Enabled() const;
  void put_Enabled(bool v);
  StdFontRef get_Font() const;
  void putref_Font(StdFontRef font);
  int32_t get_hWnd() const;
  int16_t get_BorderWidth() const { return state_.border_width; }
  void put_BorderWidth(int16_t v);
  int32_t get_BorderStyle() const { return state_.border_style; }
  void put_BorderStyle(int32_t v);
  int16_t get_HMinValue() const { return state_.h_min_value; }
  void put_HMinValue(int16_t v);
  int16_t get_HMaxValue() const { return state_.h_max_value; }
  void put_HMaxValue(int16_t v);
  int16_t get_VMinValue() const { return state_.v_min_value; }
  void put_VMinValue(int16_t v);
  int16_t get_VMaxValue() const { return state_.v_max_value; }
  void put_VMaxValue(int16_t v);
  int32_t get_BrushStyle() const { return state_.brush_style; }
  void put_BrushStyle(int32_t v);
  OLE_COLOR get_BrushColor() const { return state_.brush_color; }
  void put_BrushColor(OLE_COLOR v);
  const std::string& get_Caption() const { return state_.caption; }
  void put_Caption(const std::string& v);
  int32_t get_CaptionAlignment() const { return state_.caption_alignment; }
  void put_CaptionAlignment(int32_t v);
  OLE_COLOR get_DisabledColor() const { return state_.disabled_color; }
  void put_DisabledColor(OLE_COLOR v);
  int32_t get_Orientation() const { return state_.orientation; }
  void put_Orientation(int32_t v);
  int16_t get_CaptionOffset() const { return state_.caption_offset; }
  void put_CaptionOffset(int16_t v);
  // Stored as |v mod 360| with the remainder taking the dividend's sign: always 0..359.
  int16_t get_CaptionAngle() const { return state_.caption_angle; }
  void put_CaptionAngle(int16_t v);
  int32_t get_CaptionAutoAngle() const { return state_.caption_auto_angle; }
  void put_CaptionAutoAngle(int32_t v);
  // Design time only: both raise 393 while the host program runs.
  bool get_DontRefreshAfterPropertyPage() const;
  void put_DontRefreshAfterPropertyPage(bool v);
  int32_t get_CaptionFont3D() const { return state_.caption_font_3d; }
  void put_CaptionFont3D(int32_t v);
  int32_t get_RivetsStyle() const { return state_.rivets_style; }
  void put_RivetsStyle(int32_t v);
  int32_t get_GradientStyle() const { return state_.gradient_style; }
  void put_GradientStyle(int32_t v);
  OLE_COLOR get_GradientColor() const { return state_.gradient_color; }
  void put_GradientColor(OLE_COLOR v);
  OLE_COLOR get_GradientColorEnd() const { return state_.gradient_color_end; }
  void put_GradientColorEnd(OLE_COLOR v);
  int32_t get_GradientGranularity() const { return state_.gradient_granularity; }
  void put_GradientGranularity(int32_t v);
  StdPictureRef get_Picture() const { return state_.picture; }
  void putref_Picture(StdPictureRef picture);  // null (Nothing) is accepted
  int32_t get_PictureAutoSize() const { return state_.picture_auto_size; }
  void put_PictureAutoSize(int32_t v);
  int32_t get_PictureTile() const { return state_.picture_tile; }
  void put_PictureTile(int32_t v);
  int16_t get_PictureOffset() const { return state_.picture_offset; }
  void put_PictureOffset(int16_t v);
  int32_t get_PictureAlignment() const { return state_.picture_alignment; }
  void put_PictureAlignment(int32_t v);

  // The block table as a whole.
  // Blocks reads back in 16 bits (error 6 beyond 32767 blocks). Setting it deletes blocks
  // from the end one at a time or adds new ones, then stores the number (which may be
  // negative: no block is drawn then).
  int16_t get_Blocks() const;
  void put_Blocks(int16_t n);
  // Appends a block with the new-block values; no notification, no redraw.
  void AddBlock();
  // Removes block `iBlock` (a number or numeric text) and closes the gap; redraws.
  void DeleteBlock(const Variant& iBlock);
  // Resets every block to the new-block values with the ambient font; with vgHard the
  // snapshot's blocks too. The count stays.
  void ClearAll(int32_t bClear = ArgDefault<int32_t>(dispid::kClearAll));
  // Hides every block by setting its horizontal bars to -1.
  void ClearBlockBar();
  // Design-time action: any value clears all blocks softly; reads back 0.
  int32_t get_SpecialClearAllBlock() const;
  void put_SpecialClearAllBlock(int32_t v);
  int16_t get_IndexBlock() const { return state_.index_block; }
  void put_IndexBlock(int16_t v);

  // The blocks the latest render pass drew, in ascending number, with their rectangles in
  // the window's pixels and their texts as shown: what the window shows now. A block
  // without width or height is not among them.
  std::span<const DrawnBlock> DrawnBlocks() const { return pass_.drawn(); }

  // The record a per-block member's selector names (error 9 outside the table).
  BlockRecord& Block(const Variant& iBlock);
  const BlockRecord& Block(const Variant& iBlock) const;

  // Per-block properties: each reads or writes one field of the block its selector names
  // (a number, -1 for the current block IndexBlock, or a key; see BlockTable::Resolve).
  // Setters store and redraw (BlockKey only stores); none notifies the host. Enumerations
  // are Longs at the interface and 16-bit in the record: a value beyond 16 bits is error 6.
  std::string get_BlockKey(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockKey(const Variant& iBlock, std::string v);
  int16_t get_BlockBarLeft(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBarLeft(const Variant& iBlock, int16_t v);
  int16_t get_BlockBarRight(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBarRight(const Variant& iBlock, int16_t v);
  int16_t get_BlockBarTop(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBarTop(const Variant& iBlock, int16_t v);
  int16_t get_BlockBarBottom(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBarBottom(const Variant& iBlock, int16_t v);
  int32_t get_BlockBorderStyle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBorderStyle(const Variant& iBlock, int32_t v);
  int16_t get_BlockBorderWidth(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBorderWidth(const Variant& iBlock, int16_t v);
  int32_t get_BlockShapeStyle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockShapeStyle(const Variant& iBlock, int32_t v);
  int32_t get_BlockBrushStyle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBrushStyle(const Variant& iBlock, int32_t v);
  OLE_COLOR get_BlockBrushColor(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockBrushColor(const Variant& iBlock, OLE_COLOR v);
  bool get_BlockVisible(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockVisible(const Variant& iBlock, bool v);
  std::string get_BlockHPercentage(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockHPercentage(const Variant& iBlock, std::string v);
  std::string get_BlockVPercentage(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockVPercentage(const Variant& iBlock, std::string v);
  bool get_BlockOnTop(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockOnTop(const Variant& iBlock, bool v);
  OLE_COLOR get_BlockColor(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockColor(const Variant& iBlock, OLE_COLOR v);
  int32_t get_BlockGradientStyle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockGradientStyle(const Variant& iBlock, int32_t v);
  int32_t get_BlockGradientGranularity(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockGradientGranularity(const Variant& iBlock, int32_t v);
  OLE_COLOR get_BlockGradientColor(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockGradientColor(const Variant& iBlock, OLE_COLOR v);
  OLE_COLOR get_BlockGradientColorEnd(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockGradientColorEnd(const Variant& iBlock, OLE_COLOR v);
  std::string get_BlockText(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockText(const Variant& iBlock, std::string v);
  OLE_COLOR get_BlockTextColor(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextColor(const Variant& iBlock, OLE_COLOR v);
  int32_t get_BlockTextAlignment(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextAlignment(const Variant& iBlock, int32_t v);
  StdFontRef get_BlockTextFont(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextFont(const Variant& iBlock, StdFontRef v);
  int32_t get_BlockTextFont3D(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextFont3D(const Variant& iBlock, int32_t v);
  int16_t get_BlockTextOffset(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextOffset(const Variant& iBlock, int16_t v);
  int16_t get_BlockTextAngle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextAngle(const Variant& iBlock, int16_t v);
  int32_t get_BlockTextAutoAngle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockTextAutoAngle(const Variant& iBlock, int32_t v);
  int32_t get_BlockRivetsStyle(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockRivetsStyle(const Variant& iBlock, int32_t v);
  StdPictureRef get_BlockPicture(const Variant& iBlock = CurrentBlock()) const;
  void putref_BlockPicture(const Variant& iBlock, StdPictureRef v);
  int16_t get_BlockPictureOffset(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockPictureOffset(const Variant& iBlock, int16_t v);
  int32_t get_BlockPictureAlignment(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockPictureAlignment(const Variant& iBlock, int32_t v);
  int32_t get_BlockPictureTile(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockPictureTile(const Variant& iBlock, int32_t v);
  bool get_BlockClickable(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockClickable(const Variant& iBlock, bool v);
  bool get_BlockAutoSize(const Variant& iBlock = CurrentBlock()) const;
  void put_BlockAutoSize(const Variant& iBlock, bool v);

  // SetBlock functions: one field, the same value, in every block 1..Blocks (the spare
  // record is left alone); the host hears of "Block" except for the alignment and gradient
  // ones; then a redraw. Enumerations beyond 16 bits fail with 6 at the first block; the
  // three Variant arguments are converted per block (13 or 6 at the first one).
  void SetBlockShapeStyle(int32_t iShapeStyle = ArgDefault<int32_t>(dispid::kSetBlockShapeStyle));
  void SetBlockBorderStyle(
      int32_t iBorderStyle = ArgDefault<int32_t>(dispid::kSetBlockBorderStyle));
  void SetBlockTextOffset(
      const Variant& iTextOffset = ArgDefault<Variant>(dispid::kSetBlockTextOffset));
  void SetBlockTextAngle(
      const Variant& iTextAngle = ArgDefault<Variant>(dispid::kSetBlockTextAngle));
  void SetBlockTextAutoAngle(
      const Variant& iTextAutoAngle = ArgDefault<Variant>(dispid::kSetBlockTextAutoAngle));
  void SetBlockTextColor(OLE_COLOR lTextColor = ArgDefault<OLE_COLOR>(dispid::kSetBlockTextColor));
  void SetBlockBrushColor(
      OLE_COLOR iBlockBrushColor = ArgDefault<OLE_COLOR>(dispid::kSetBlockBrushColor));
  void SetBlockBrushStyle(int32_t iBrushStyle = ArgDefault<int32_t>(dispid::kSetBlockBrushStyle));
  void SetBlockColor(OLE_COLOR iBlockColor = ArgDefault<OLE_COLOR>(dispid::kSetBlockColor));
  // In twips; every block stores pixels, truncating (6 pixels for 100 at 15 twips a pixel).
  void SetBlockBarTop(int16_t iBlockBarTop = ArgDefault<int16_t>(dispid::kSetBlockBarTop));
  void SetBlockBarBottom(int16_t iBlockBarBottom = ArgDefault<int16_t>(dispid::kSetBlockBarBottom));
  void SetBlockVisible(bool iVisible = ArgDefault<bool>(dispid::kSetBlockVisible));
  void SetBlockClickable(bool iClickable = ArgDefault<bool>(dispid::kSetBlockClickable));
  void SetBlockAutoSize(bool iAutoSize = ArgDefault<bool>(dispid::kSetBlockAutoSize));
  void SetBlockRivetsStyle(
      int32_t iRivetsStyle = ArgDefault<int32_t>(dispid::kSetBlockRivetsStyle));
  void SetBlockPicture(
      StdPictureRef pPicture = ArgDefault<StdPictureRef>(dispid::kSetBlockPicture));
  void SetBlockText(const std::string& iBlockText = ArgDefault<std::string>(dispid::kSetBlockText));
  void SetBlockTextAlignment(
      int32_t iTextAlignment = ArgDefault<int32_t>(dispid::kSetBlockTextAlignment));
  void SetBlockGradientStyle(
      int32_t iGradientStyle = ArgDefault<int32_t>(dispid::kSetBlockGradientStyle));
  void SetBlockGradientGranularity(
      int32_t iGradientGranularity = ArgDefault<int32_t>(dispid::kSetBlockGradientGranularity));
  void SetBlockGradientColor(
      OLE_COLOR lGradientColor = ArgDefault<OLE_COLOR>(dispid::kSetBlockGradientColor));
  void SetBlockGradientColorEnd(
      OLE_COLOR lGradientColorEnd = ArgDefault<OLE_COLOR>(dispid::kSetBlockGradientColorEnd));

  // Late binding.
  std::string TypeName() const override { return "Varigauge"; }
  DISPID GetIDOfName(std::string_view name) const override;
  Variant Invoke(DISPID id, uint16_t kind, Args args) override;

 private:
  friend struct MemberAccess;
  friend struct VarigaugeTestPeer;

  // Records the screen's twips per pixel, as new placement and loading do.
  void RecordTwipsPerPixel();
  void ReadBlock(PropertyBag& bag, int32_t n);
  // Tells the host that `member` changed, by its name in the member table.
  void Notify(DISPID member);
  // Notify, then draw.
  void Changed(DISPID member);
  // Runs the render pass over the settings and the blocks.
  void Draw();
  void ResetBlocks(std::vector<BlockRecord>& records);
  // Sets one field in every block with `set`, then notifies "Block" if asked and redraws.
  template <class Set>
  void SetEveryBlock(Set set, bool notify);
  // Stores `v` in one field of the block `iBlock` names, then redraws.
  template <class Field, class V>
  void StoreBlockField(Field BlockRecord::*field, const Variant& iBlock, V v);

  // The control is a facade over its parts. Each part owns one concern; timers, live
  // fields, the stored form and the mouse will join them as parts of their own.
  UserControl& host_;
  ControlState state_;                     // the settings
  BlockTable blocks_;                      // the blocks
  std::vector<BlockRecord> saved_blocks_;  // what SaveSetting took, for RestoreSetting
  RenderPass pass_;                        // the surface and everything drawing needs
  ControlTimers timers_;                   // the clock and the disk figures' timers
  // The screen's twips per pixel when the control was placed, rounded.
  int16_t twips_per_pixel_x_ = 0;
  int16_t twips_per_pixel_y_ = 0;
};

}  // namespace vg
