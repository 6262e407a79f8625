#pragma once
// VarigaugeWidget: the host framework on Qt 6 Widgets for one control. The widget is the
// control's window: it owns the window's device context (a pixel buffer of the raster
// device in device pixels), holds what the framework keeps for a control (size, colours,
// Enabled, Font, ambient properties), delivers the framework events and turns the control's
// events into Qt signals. paintEvent presents the pixel buffer as it stands, without a copy.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/user_control.h"

namespace vg {

class Varigauge;

class VarigaugeWidget : public QWidget, public UserControl {
  Q_OBJECT

 public:
  // A late-bound sink: every event the control raises, by name, with its arguments (a
  // BlockClicked handler may change its argument, as the event passes it by reference).
  using EventSink = std::function<void(const std::string& name, std::vector<Variant>& args)>;

  // Makes the window and places a new control in it with a new control's defaults
  // (Initialize, InitProperties); it draws at the first paint.
  explicit VarigaugeWidget(QWidget* parent = nullptr);
  ~VarigaugeWidget() override;

  // The hosted control, for the typed API and for late binding.
  Varigauge& control() const { return *control_; }

  void setEventSink(EventSink sink) { sink_ = std::move(sink); }
  // false: the widget sits in a form designer (ambient UserMode false).
  void setUserMode(bool user_mode) { user_mode_ = user_mode; }

  // Twips per device pixel on the widget's current screen: 1440 / (logical DPI x device
  // pixel ratio).
  static double TwipsPerDevicePixel(double logical_dpi, double device_pixel_ratio);

  QSize sizeHint() const override;

  // UserControl
  gdi::HDC hDC() const override { return hdc_; }
  HWND hWnd() const override { return static_cast<HWND>(winId_); }
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  int32_t Width() const override { return width_twips_; }
  int32_t Height() const override { return height_twips_; }
  void SetWidth(int32_t twips) override;
  void SetHeight(int32_t twips) override;
  OLE_COLOR BackColor() const override { return back_color_; }
  void SetBackColor(OLE_COLOR color) override;
  OLE_COLOR ForeColor() const override { return fore_color_; }
  void SetForeColor(OLE_COLOR color) override;
  bool Enabled() const override { return isEnabled(); }
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  StdFontRef Font() const override { return font_; }
  void SetFont(StdFontRef font) override;
  bool AmbientUserMode() const override { return user_mode_; }
  StdFontRef AmbientFont() const override { return ambient_font_; }
  double TwipsPerPixelX() const override { return twips_per_pixel_; }
  double TwipsPerPixelY() const override { return twips_per_pixel_; }
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(const std::string& name, const std::vector<Variant>& args) override;

 signals:
  void propertyChanged(const QString& name);
  void blockClicked(short& iBlock);
  void timerTime();
  void timerDisk();
  void clicked();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Follows the widget's logical size and the screen's density: the window's device
  // context in device pixels, the outer size in twips, then UserControl_Resize.
  void SyncWindow();
  double DevicePixelRatio() const;

  std::shared_ptr<Varigauge> control_;
  EventSink sink_;
  gdi::HDC hdc_ = 0;
  uintptr_t winId_ = 0;
  double twips_per_pixel_ = 15.0;
  double dpr_ = 1.0;
  int32_t width_twips_ = 0;
  int32_t height_twips_ = 0;
  int device_width_ = 0;
  int device_height_ = 0;
  bool user_mode_ = true;
  bool resizing_ = false;
  OLE_COLOR back_color_ = 0x8000000F;
  OLE_COLOR fore_color_ = 0x80000012;
  StdFontRef font_;
  StdFontRef ambient_font_;
};

}  // namespace vg
