#include "qt/picture_box_widget.h"

#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include "qt/raster_image.h"

namespace vg {

PictureBoxWidget::PictureBoxWidget(QWidget* parent)
    : QWidget(parent), box_(std::make_unique<DrawingBox>(width(), height(), colorDepth())) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBoxWidget::~PictureBoxWidget() = default;

void PictureBoxWidget::setBackColor(COLORREF color) {
  palette_back_ = false;
  box_->put_BackColor(color);
  update();
}

void PictureBoxWidget::setBackColorFromPalette() {
  palette_back_ = true;
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

void PictureBoxWidget::Draw() {
  // A hidden widget has its size before its resize event.
  if (box_->Width() != width() || box_->Height() != height()) box_->Resize(width(), height());
  box_->SetDepth(colorDepth());  // the widget may have moved to another screen
  if (palette_back_) {
    const QColor back = palette().color(QPalette::Window);
    box_->put_BackColor(
        static_cast<COLORREF>(back.red() | (back.green() << 8) | (back.blue() << 16)));
  }
  box_->Cls();
  emit paintRequested();
}

QImage PictureBoxWidget::drawnImage() {
  Draw();
  return CopyPixels(box_->Pixels());
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  Draw();
  const QImage image = WrapPixels(box_->Pixels());
  if (image.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace vg
