#include "qt/picture_box_widget.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

namespace vg {

PictureBoxWidget::PictureBoxWidget(QWidget* parent)
    : QWidget(parent), box_(std::make_unique<DrawingBox>(width(), height(), colorDepth())) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBoxWidget::~PictureBoxWidget() = default;

void PictureBoxWidget::setBackColor(COLORREF color) {
  box_->put_BackColor(color);
  update();
}

void PictureBoxWidget::setColorDepth(int bits_per_pixel) {
  depth_override_ = bits_per_pixel > 0 ? bits_per_pixel : 0;
  box_->SetDepth(colorDepth());
  update();
}

int PictureBoxWidget::colorDepth() const {
  if (depth_override_ > 0) return depth_override_;
  const QScreen* s = screen();
  return s ? s->depth() : 32;
}

void PictureBoxWidget::resizeEvent(QResizeEvent* event) {
  box_->Resize(event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  box_->SetDepth(colorDepth());  // the widget may have moved to another screen
  box_->Cls();
  emit paintRequested();
  const gdi::PixelView view = box_->Pixels();
  if (!view.pixels || view.width <= 0 || view.height <= 0) return;
  // COLORREF pixels are R, G, B and an unused byte in memory order.
  const QImage image(reinterpret_cast<const uchar*>(view.pixels), view.width, view.height,
                     view.width * 4, QImage::Format_RGBX8888);
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace vg
