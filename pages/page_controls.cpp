#include "pages/page_controls.h"

#include <QPainter>

#include "surface/color_ramp.h"

namespace vg {

void PageScrollBar::SetRange(int min, int max) {
  minimum_ = min;
  maximum_ = max;
  setRange(min, max < min ? min : max);
}

PreviewBox::PreviewBox(QWidget* parent)
    : QWidget(parent), box_(std::make_unique<DrawingBox>(width(), height())) {
  setMinimumSize(48, 16);
}

PreviewBox::~PreviewBox() = default;

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
  if (box_->Width() != width() || box_->Height() != height()) box_->Resize(width(), height());
  QColor back = palette().color(QPalette::Window);
  box_->put_BackColor(
      static_cast<COLORREF>(back.red() | (back.green() << 8) | (back.blue() << 16)));
  if (shown_)
    PaintColorRamp(*box_, shown_->style, shown_->granularity, static_cast<int32_t>(shown_->start),
                   static_cast<int32_t>(shown_->end));
  gdi::PixelView view = box_->Pixels();
  image_ = QImage(view.width, view.height, QImage::Format_RGB32);
  for (int y = 0; y < view.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = 0; x < view.width; ++x) {
      COLORREF p = view.pixels[static_cast<size_t>(y) * view.width + x];
      row[x] = qRgb(p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF);
    }
  }
  update();
}

}  // namespace vg
