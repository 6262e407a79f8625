#pragma once
// Everything one control holds besides what the host framework keeps for it (ForeColor,
// Enabled, Font, the window and its size). A freshly created control has every setting
// zero or empty and Redraw false; new placement gives it the defaults of the member table.
#include <cstdint>
#include <string>

#include "platform/automation/ole_color.h"
#include "platform/automation/std_picture.h"

namespace vg {

struct ControlState {
  int16_t index_block = 0;  // the current block (the count lives in the block table)
  OLE_COLOR back_color = 0;
  int32_t border_style = 0;
  int16_t border_width = 0;
  int16_t h_min_value = 0;
  int16_t h_max_value = 0;
  int16_t v_min_value = 0;
  int16_t v_max_value = 0;
  int32_t brush_style = 0;
  OLE_COLOR brush_color = 0;
  std::string caption;
  int32_t caption_alignment = 0;
  int16_t caption_offset = 0;
  int16_t caption_angle = 0;
  int32_t caption_auto_angle = 0;
  int32_t caption_font_3d = 0;
  OLE_COLOR disabled_color = 0;
  int32_t special_clear_all_block = 0;
  int32_t orientation = 0;
  bool dont_refresh_after_property_page = false;
  bool redraw = false;
  int32_t timer_time_interval = 0;
  bool timer_time_enabled = false;
  int32_t timer_disk_interval = 0;
  bool timer_disk_enabled = false;
  int32_t rivets_style = 0;
  int32_t gradient_style = 0;
  int32_t gradient_granularity = 0;
  OLE_COLOR gradient_color = 0;
  OLE_COLOR gradient_color_end = 0;
  StdPictureRef picture;  // null is "no picture"; a new control holds an empty picture
  int32_t picture_auto_size = 0;
  int32_t picture_tile = 0;
  int16_t picture_offset = 0;
  int32_t picture_alignment = 0;
};

}  // namespace vg
