#include "qt/varigauge_widget.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "control/varigauge.h"
#include "platform/automation/errors.h"
#include "platform/automation/numeric.h"

namespace vg {
namespace {

void CheckColor(OLE_COLOR color) {
  if (OleTranslateColor(color, 0, nullptr) != S_OK) Raise(380);  // Invalid property value
}

}  // namespace

double VarigaugeWidget::TwipsPerDevicePixel(double logical_dpi, double device_pixel_ratio) {
  if (!(logical_dpi > 0)) logical_dpi = 96;
  if (!(device_pixel_ratio > 0)) device_pixel_ratio = 1;
  return 1440.0 / (logical_dpi * device_pixel_ratio);
}

VarigaugeWidget::VarigaugeWidget(QWidget* parent)
    : QWidget(parent), ambient_font_(StdFont::Create("MS Sans Serif", 8.25)) {
  // The widget paints every pixel itself from the window's buffer.
  setAttribute(Qt::WA_OpaquePaintEvent);
  font_ = ambient_font_;
  dpr_ = DevicePixelRatio();
  twips_per_pixel_ = TwipsPerDevicePixel(logicalDpiX(), dpr_);
  // The framework's default outer size for a new control.
  width_twips_ = 900;
  height_twips_ = 315;
  device_width_ = RoundToInt32(width_twips_ / twips_per_pixel_);
  device_height_ = RoundToInt32(height_twips_ / twips_per_pixel_);
  hdc_ = gdi::CreateWindowDC(device_width_, device_height_);
  winId_ = reinterpret_cast<uintptr_t>(this);
  resizing_ = true;
  resize(RoundToInt32(device_width_ / dpr_), RoundToInt32(device_height_ / dpr_));
  resizing_ = false;

  control_ = std::static_pointer_cast<Varigauge>(Varigauge::Create(*this));
  control_->UserControl_Initialize();
  control_->UserControl_InitProperties();
  control_->UserControl_Resize();
  control_->UserControl_Paint();
}

VarigaugeWidget::~VarigaugeWidget() {
  control_->UserControl_Terminate();
  control_.reset();
  gdi::DestroyWindowDC(hdc_);
}

QSize VarigaugeWidget::sizeHint() const {
  return {RoundToInt32(device_width_ / dpr_), RoundToInt32(device_height_ / dpr_)};
}

double VarigaugeWidget::DevicePixelRatio() const {
  return devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
}

double VarigaugeWidget::ScaleWidth() const {
  return width_twips_ / twips_per_pixel_;
}
double VarigaugeWidget::ScaleHeight() const {
  return height_twips_ / twips_per_pixel_;
}

void VarigaugeWidget::SyncWindow() {
  dpr_ = DevicePixelRatio();
  twips_per_pixel_ = TwipsPerDevicePixel(logicalDpiX(), dpr_);
  const int w = RoundToInt32(width() * dpr_);
  const int h = RoundToInt32(height() * dpr_);
  if (w == device_width_ && h == device_height_) return;  // no size change, no Resize
  device_width_ = w;
  device_height_ = h;
  width_twips_ = RoundToInt32(w * twips_per_pixel_);
  height_twips_ = RoundToInt32(h * twips_per_pixel_);
  gdi::ResizeWindowDC(hdc_, w, h);
  if (control_) {
    control_->UserControl_Resize();
    control_->UserControl_Paint();
  }
  update();
}

void VarigaugeWidget::SetWidth(int32_t twips) {
  twips = std::max(twips, 0);
  if (twips == width_twips_) return;
  width_twips_ = twips;
  device_width_ = RoundToInt32(twips / twips_per_pixel_);
  gdi::ResizeWindowDC(hdc_, device_width_, device_height_);
  resizing_ = true;
  resize(RoundToInt32(device_width_ / dpr_), height());
  resizing_ = false;
  control_->UserControl_Resize();
  update();
}

void VarigaugeWidget::SetHeight(int32_t twips) {
  twips = std::max(twips, 0);
  if (twips == height_twips_) return;
  height_twips_ = twips;
  device_height_ = RoundToInt32(twips / twips_per_pixel_);
  gdi::ResizeWindowDC(hdc_, device_width_, device_height_);
  resizing_ = true;
  resize(width(), RoundToInt32(device_height_ / dpr_));
  resizing_ = false;
  control_->UserControl_Resize();
  update();
}

void VarigaugeWidget::SetBackColor(OLE_COLOR color) {
  CheckColor(color);
  back_color_ = color;
}

void VarigaugeWidget::SetForeColor(OLE_COLOR color) {
  CheckColor(color);
  fore_color_ = color;
}

void VarigaugeWidget::SetFont(StdFontRef font) {
  if (!font) Raise(380);
  font_ = std::move(font);
}

void VarigaugeWidget::PropertyChanged(const std::string& name) {
  emit propertyChanged(QString::fromStdString(name));
}

void VarigaugeWidget::RaiseEvent(const std::string& name, const std::vector<Variant>& args) {
  std::vector<Variant> copy = args;
  if (sink_) sink_(name, copy);
  if (name == "TimerTime")
    emit timerTime();
  else if (name == "TimerDisk")
    emit timerDisk();
}

void VarigaugeWidget::paintEvent(QPaintEvent* event) {
  // The window's pixels are COLORREF values (red in the low byte), which is the byte order
  // of RGBX8888 on a little-endian machine: wrap the buffer, do not convert it.
  const gdi::PixelView view = gdi::GetPixels(hdc_);
  QPainter painter(this);
  if (!view.pixels || view.width <= 0 || view.height <= 0) {
    painter.fillRect(event->rect(), palette().window());
    return;
  }
  QImage image(reinterpret_cast<const uchar*>(view.pixels), view.width, view.height, view.width * 4,
               QImage::Format_RGBX8888);
  image.setDevicePixelRatio(dpr_);
  painter.drawImage(QPointF(0, 0), image);
}

void VarigaugeWidget::resizeEvent(QResizeEvent*) {
  if (!resizing_) SyncWindow();
}

void VarigaugeWidget::changeEvent(QEvent* event) {
  bool density_changed = event->type() == QEvent::ScreenChangeInternal;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  density_changed = density_changed || event->type() == QEvent::DevicePixelRatioChange;
#endif
  if (density_changed) {
    // Another density: the same logical size covers another number of device pixels.
    SyncWindow();
  }
  QWidget::changeEvent(event);
}

}  // namespace vg
