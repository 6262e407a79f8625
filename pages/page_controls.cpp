#include "pages/page_controls.h"

#include <QPainter>

namespace vg {

void PageScrollBar::SetRange(int min, int max) {
  minimum_ = min;
  maximum_ = max;
  setRange(min, max < min ? min : max);
}

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent) {
  setMinimumSize(48, 16);
  setAutoFillBackground(true);
}

void PreviewBox::PaintRamp(const Ramp& ramp) {
  shown_ = ramp;
  Render();
}

void PreviewBox::Clear() {
  shown_.reset();
  Render();
}

void PreviewBox::resizeEvent(QResizeEvent*) {
  Render();
}

void PreviewBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

}  // namespace vg

namespace vg {

void PreviewBox::Render() {
  image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(palette().color(QPalette::Window));
  update();
}

}  // namespace vg
