#include "pages/page_controls.h"

#include "surface/color_ramp.h"

namespace vg {

void PageScrollBar::SetRange(int min, int max) {
  minimum_ = min;
  maximum_ = max;
  setRange(min, max < min ? min : max);
}

PreviewBox::PreviewBox(QWidget* parent) : PictureBoxWidget(parent) {
  setMinimumSize(48, 16);
  setColorDepth(32);
  setBackColorFromPalette();
  connect(this, &PictureBoxWidget::paintRequested, this, &PreviewBox::Paint);
}

PreviewBox::~PreviewBox() = default;

void PreviewBox::PaintRamp(const Ramp& ramp) {
  shown_ = ramp;
  update();
}

void PreviewBox::Clear() {
  shown_.reset();
  update();
}

void PreviewBox::Paint() {
  if (shown_)
    PaintColorRamp(box(), shown_->style, shown_->granularity, static_cast<int32_t>(shown_->start),
                   static_cast<int32_t>(shown_->end));
}

}  // namespace vg
