#pragma once
// The control's About box (object name "frmAbout"). It names the control and its version,
// decorates itself with a grey colour ramp in a light yellow box (on displays of more than 8 bits),
// shows the project's icon and offers the system-information tool.
#include <QDialog>
#include <cstdint>
#include <memory>
#include <random>

#include "platform/base/color.h"

namespace Ui {
class AboutBox;
}

namespace vg {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // `display_depth` 0: the depth of the screen the box is shown on; tests pass another.
  explicit AboutBox(QWidget* parent = nullptr, int display_depth = 0);
  ~AboutBox() override;

  // What SetColorDepth returned when the box was made.
  int colorDepth() const { return color_depth_; }
  // The granularity of the last ramp painted, -1 while none has been.
  int lastGranularity() const { return last_granularity_; }

  // The ramp's style and colours (RGB).
  static constexpr int16_t kRampStyle = 9;  // circles, start colour at the centre
  static constexpr int32_t kRampStart = 0x808080;
  static constexpr int32_t kRampEnd = 0xE0E0E0;
  static constexpr COLORREF kBackColor = 0x80FFFF;

 private:
  void Prepare();
  void Picture1_Paint();
  void cmdSysInfo_Click();

  // The box's widgets, made from about_box.ui.
  std::unique_ptr<Ui::AboutBox> ui_;

  int display_depth_ = 0;
  int color_depth_ = 0;
  int last_granularity_ = -1;
  std::mt19937 random_;
};

// Shows a fresh About box modally over `parent` and returns when it is closed.
void ShowAboutBox(QWidget* parent);

}  // namespace vg
