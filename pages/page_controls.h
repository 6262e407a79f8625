#pragma once
// Two widgets of the Block page that Qt lacks as such.
#include <QScrollBar>
#include <optional>

#include "platform/automation/ole_color.h"
#include "qt/picture_box_widget.h"

namespace vg {

// A scroll bar whose range may be set with its maximum below its minimum, as the page sets
// it for a control without blocks (1..0). Qt's own range then collapses to the minimum;
// Minimum() and Maximum() report the range as set.
class PageScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  // Right and Page Up move to later blocks, as on a slider (Qt's scroll bars turn the keys
  // round by default).
  explicit PageScrollBar(QWidget* parent = nullptr) : QScrollBar(Qt::Horizontal, parent) {
    setInvertedControls(false);
    setFocusPolicy(Qt::StrongFocus);
  }
  void SetMinimum(int v) { SetRange(v, maximum_); }
  void SetMaximum(int v) { SetRange(minimum_, v); }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

 private:
  void SetRange(int min, int max);
  int minimum_ = 0;
  int maximum_ = 99;
};

// A gradient preview: a picture box that shows one colour ramp, or the page's background
// when cleared. The ramp is painted by the colour-ramp painter at every repaint, at 32 bits
// per pixel whatever the screen's depth.
class PreviewBox : public PictureBoxWidget {
  Q_OBJECT

 public:
  struct Ramp {
    int16_t style = 0;
    int16_t granularity = 0;
    OLE_COLOR start = 0;
    OLE_COLOR end = 0;
  };
  explicit PreviewBox(QWidget* parent = nullptr);
  ~PreviewBox() override;
  // Paints the ramp over the whole box.
  void PaintRamp(const Ramp& ramp);
  void Clear();
  // The ramp shown, nothing when cleared.
  const std::optional<Ramp>& Shown() const { return shown_; }
  // The box's pixels as shown.
  QImage Image() { return drawnImage(); }
  // The drawing box the painter draws into.
  DrawingBox& Box() { return box(); }

 private:
  void Paint();
  std::optional<Ramp> shown_;
};

}  // namespace vg
