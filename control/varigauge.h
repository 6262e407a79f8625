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
#include "platform/automation/dispatch.h"
#include "platform/host/picture_box.h"
#include "platform/host/user_control.h"
#include "surface/off_screen_dc.h"

namespace vg {

// Per-block properties: each reads or writes one field of the block its selector names
// (a number, -1 for the current block IndexBlock, or a key; see BlockTable::Resolve).
// Setters store and redraw (BlockKey only stores); none notifies the host. Enumerations
// are Longs at the interface and 16-bit in the record: a value beyond 16 bits is error 6.
#define VG_BLOCK_PROPERTY(Name, Type, Put)                            \
  Type get_Block##Name(const Variant& iBlock = CurrentBlock()) const; \
  void Put##_Block##Name(const Variant& iBlock, Type v);
#define VG_BLOCK_PROPERTIES(X)         \
  X(Key, std::string, put)             \
  X(BarLeft, int16_t, put)             \
  X(BarRight, int16_t, put)            \
  X(BarTop, int16_t, put)              \
  X(BarBottom, int16_t, put)           \
  X(BorderStyle, int32_t, put)         \
  X(BorderWidth, int16_t, put)         \
  X(ShapeStyle, int32_t, put)          \
  X(BrushStyle, int32_t, put)          \
  X(BrushColor, OLE_COLOR, put)        \
  X(Visible, bool, put)                \
  X(HPercentage, std::string, put)     \
  X(VPercentage, std::string, put)     \
  X(OnTop, bool, put)                  \
  X(Color, OLE_COLOR, put)             \
  X(GradientStyle, int32_t, put)       \
  X(GradientGranularity, int32_t, put) \
  X(GradientColor, OLE_COLOR, put)     \
  X(GradientColorEnd, OLE_COLOR, put)  \
  X(Text, std::string, put)            \
  X(TextColor, OLE_COLOR, put)         \
  X(TextAlignment, int32_t, put)       \
  X(TextFont, StdFontRef, put)         \
  X(TextFont3D, int32_t, put)          \
  X(TextOffset, int16_t, put)          \
  X(TextAngle, int16_t, put)           \
  X(TextAutoAngle, int32_t, put)       \
  X(RivetsStyle, int32_t, put)         \
  X(Picture, StdPictureRef, putref)    \
  X(PictureOffset, int16_t, put)       \
  X(PictureAlignment, int32_t, put)    \
  X(PictureTile, int32_t, put)         \
  X(Clickable, bool, put)              \
  X(AutoSize, bool, put)

// The selector of the current block.
inline Variant CurrentBlock() {
  return Variant::Integer(-1);
}

class Varigauge : public DispatchObject, public ControlEvents {
 public:
  explicit Varigauge(UserControl& host);
  ~Varigauge() override;

  // A factory for hosts: makes a control living in `host`.
  static std::shared_ptr<ControlEvents> Create(UserControl& host);

  // Framework events.
  void UserControl_Initialize() override;
  void UserControl_InitProperties() override;
  void UserControl_Resize() override;
  void UserControl_Paint() override;
  void UserControl_Terminate() override;

  // Methods.
  void Refresh();

  // Drawing switch: while false nothing is drawn; setting it true draws once.
  bool get_Redraw() const { return state_.redraw; }
  void put_Redraw(bool v);

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
  void ClearAll(int32_t bClear = 0);
  // Hides every block by setting its horizontal bars to -1.
  void ClearBlockBar();
  // Design-time action: any value clears all blocks softly; reads back 0.
  int32_t get_SpecialClearAllBlock() const;
  void put_SpecialClearAllBlock(int32_t v);
  int16_t get_IndexBlock() const { return state_.index_block; }
  void put_IndexBlock(int16_t v);

  // The record a per-block member's selector names (error 9 outside the table).
  BlockRecord& Block(const Variant& iBlock);
  const BlockRecord& Block(const Variant& iBlock) const;

  VG_BLOCK_PROPERTIES(VG_BLOCK_PROPERTY)

  // SetBlock functions: one field, the same value, in every block 1..Blocks (the spare
  // record is left alone); the host hears of "Block" except for the alignment and gradient
  // ones; then a redraw. Enumerations beyond 16 bits fail with 6 at the first block; the
  // three Variant arguments are converted per block (13 or 6 at the first one).
  void SetBlockShapeStyle(int32_t iShapeStyle = 0);
  void SetBlockBorderStyle(int32_t iBorderStyle = 0);
  void SetBlockTextOffset(const Variant& iTextOffset = Variant::Integer(3));
  void SetBlockTextAngle(const Variant& iTextAngle = Variant::Integer(0));
  void SetBlockTextAutoAngle(const Variant& iTextAutoAngle = Variant::Long(0));
  void SetBlockTextColor(OLE_COLOR lTextColor = 0);
  void SetBlockBrushColor(OLE_COLOR iBlockBrushColor = 0x808080);
  void SetBlockBrushStyle(int32_t iBrushStyle = 0);
  void SetBlockColor(OLE_COLOR iBlockColor = 0x808080);
  // In twips; every block stores pixels, truncating (6 pixels for 100 at 15 twips a pixel).
  void SetBlockBarTop(int16_t iBlockBarTop = 0);
  void SetBlockBarBottom(int16_t iBlockBarBottom = 0);
  void SetBlockVisible(bool iVisible = true);
  void SetBlockClickable(bool iClickable = true);
  void SetBlockAutoSize(bool iAutoSize = true);
  void SetBlockRivetsStyle(int32_t iRivetsStyle = 0);
  void SetBlockPicture(StdPictureRef pPicture = nullptr);
  void SetBlockText(const std::string& iBlockText = "");
  void SetBlockTextAlignment(int32_t iTextAlignment = 0);
  void SetBlockGradientStyle(int32_t iGradientStyle = 0);
  void SetBlockGradientGranularity(int32_t iGradientGranularity = 0);
  void SetBlockGradientColor(OLE_COLOR lGradientColor = 0xFF0000);
  void SetBlockGradientColorEnd(OLE_COLOR lGradientColorEnd = 0);

  // Internal state visible to tests and tools.
  BlockTable& blocks() { return blocks_; }
  const BlockTable& blocks() const { return blocks_; }
  std::vector<BlockRecord>& saved_blocks() { return saved_blocks_; }
  const ControlState& state() const { return state_; }
  int16_t TwipsPerPixelX() const { return twips_per_pixel_x_; }
  int16_t TwipsPerPixelY() const { return twips_per_pixel_y_; }
  float HScale() const { return h_scale_; }
  float VScale() const { return v_scale_; }
  const OffScreenDC* surface() const { return surface_.get(); }
  UserControl& host() const { return host_; }

  // Late binding.
  std::string TypeName() const override { return "Varigauge"; }
  DISPID GetIDOfName(std::string_view name) const override;
  Variant Invoke(DISPID id, uint16_t kind, Args args) override;

 private:
  void MakeSurface();
  // Notify the host that `name` changed, then run the render pass.
  void Changed(const char* name);
  void RenderPass();
  void AutoSizeToPicture(int16_t bw);
  void RenderBlock(int32_t n, BlockRecord& block, int16_t h_range, int16_t v_range, int16_t bw,
                   int32_t& l, int32_t& t, int32_t& r, int32_t& b);
  // `color`, or DisabledColor while the control is disabled.
  int32_t OrDisabled(OLE_COLOR color) const;
  // One picture, placed through the hidden picture box, and one text, with their attributes.
  void DrawPicture(const StdPictureRef& picture, int16_t offset, int32_t tile, int32_t alignment);
  void DrawText(const std::string& text, int32_t alignment, int16_t offset, int32_t color,
                const StdFontRef& font, int32_t font_3d, int16_t angle, int32_t auto_angle);
  // A block's text with its live fields filled in, valid until the next call.
  const std::string& ExpandedText(int32_t block, const std::string& text);
  void ResetBlocks(std::vector<BlockRecord>& records);
  // Sets one field in every block with `set`, then notifies "Block" if asked and redraws.
  template <class Set>
  void SetEveryBlock(Set set, bool notify);

  UserControl& host_;
  ControlState state_;
  BlockTable blocks_;                      // aBlocks
  std::vector<BlockRecord> saved_blocks_;  // aSavedBlocks, the snapshot
  std::unique_ptr<OffScreenDC> surface_;
  std::unique_ptr<PictureBox> picture1_;  // the hidden picture box of the control's window
  std::string expanded_text_;             // reused by every pass
  int16_t twips_per_pixel_x_ = 0;
  int16_t twips_per_pixel_y_ = 0;
  float h_scale_ = 0.0f;
  float v_scale_ = 0.0f;
};

}  // namespace vg
