#pragma once
// VarigaugeWidget: the host framework on Qt 6 Widgets for one control. The widget is the
// control's window: the shared host parts (HostBase) keep the window's device context, a
// pixel buffer of the raster device in device pixels, and what the framework holds for a
// control; the widget presents that buffer in paintEvent as it stands (no copy per frame),
// repaints exactly the area each copy of the control's surface changed, follows Qt's
// sizes and screen densities, and turns the control's events into Qt signals.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/varigauge.h"
#include "platform/host/host_base.h"
#include "platform/timers/timer_service.h"
#include "qt/typed_members.h"

namespace vg {

class VarigaugeWidget : public QWidget, public HostBase {
  Q_OBJECT
  // The control's property bag as JSON, as a form stores it. Setting it loads the control
  // from the bag (Initialize, ReadProperties, Resize, Paint); a bag that fails leaves a
  // new control with its defaults and says why in bagError().
  Q_PROPERTY(QString propertyBag READ propertyBag WRITE setPropertyBag)

 public:
  // A late-bound sink: every event the control raises, by name, with its arguments (a
  // BlockClicked handler may change its argument, as the event passes it by reference).
  using EventSink = std::function<void(const std::string& name, std::vector<Variant>& args)>;

  // Makes the window and places a new control in it with a new control's defaults
  // (Initialize, InitProperties, Resize, Paint). `user_mode` false: the widget sits in a
  // form designer (ambient UserMode false).
  explicit VarigaugeWidget(QWidget* parent = nullptr, bool user_mode = true);
  // Makes the window at the resolution and size `options` give, without a control: the
  // caller places one (Place, Load). For hosting any control, and for the host tests.
  explicit VarigaugeWidget(const HostOptions& options, QWidget* parent = nullptr);
  ~VarigaugeWidget() override;

  // The hosted control, for the typed API and for late binding.
  Varigauge& control() const;

  void setEventSink(EventSink sink) { sink_ = std::move(sink); }

  // widget_property_bag.cpp
  QString propertyBag();
  void setPropertyBag(const QString& json);
  const QString& bagError() const { return bag_error_; }

  // The typed API: Qt types beside the control's own (typed_members.h).
  VG_QT_COLOR_MEMBERS(VG_QT_COLOR_ACCESSORS)
  VG_QT_BLOCK_COLOR_MEMBERS(VG_QT_BLOCK_COLOR_ACCESSORS)
  VG_QT_FONT_MEMBERS(VG_QT_FONT_ACCESSORS)
  VG_QT_BLOCK_FONT_MEMBERS(VG_QT_BLOCK_FONT_ACCESSORS)
  VG_QT_TEXT_MEMBERS(VG_QT_TEXT_ACCESSORS)
  VG_QT_BLOCK_TEXT_MEMBERS(VG_QT_BLOCK_TEXT_ACCESSORS)

  // The resolution the control draws at on a screen: its logical DPI times the device
  // pixel ratio, so that texts and borders are drawn in device pixels, not scaled up.
  static int DeviceDpi(double logical_dpi, double device_pixel_ratio);

  QSize sizeHint() const override;

  // UserControl: what only a Qt window knows.
  void SetEnabled(bool enabled) override;
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(const std::string& name, const std::vector<Variant>& args) override;
  void RaiseEventById(DISPID id, const std::string& name, std::vector<Variant>& args) override;
  // About and ShowAboutBox: the About box the program's pages library installs (it does so
  // when it is loaded), shown modally over this widget; without one nothing is shown.
  using AboutBoxHandler = void (*)(QWidget* parent);
  static void SetAboutBoxHandler(AboutBoxHandler handler);
  void ShowAboutBox() override;

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
  // The window system's mouse input as the framework's notifications: a release raises
  // MouseUp and, when it ends a click inside the window, Click; a double click raises
  // DblClick, and its closing release only MouseUp.
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // HostBase
  void OnWindowChanged(const gdi::RECT& changed) override;
  void OnFrameworkEvent(const char* name) override;

 private:
  void Init();
  double Ratio() const;
  // Gives the widget the logical size of the host's window (after the control or the
  // window system changed the outer size).
  void FollowWindowSize();

  EventSink sink_;
  QString bag_error_;
  std::shared_ptr<TimerService> timers_;  // the thread's service, kept while the widget lives
  bool following_ = false;     // the widget is being sized to the window: no ResizePixels
  bool after_double_ = false;  // the next release closes a double click: no Click
};

}  // namespace vg
