#pragma once
// A picture box on a Qt dialog: a widget showing a drawing box (platform/host) of its own
// size. At every repaint the box is cleared to its background colour, paintRequested()
// lets the owner draw on it (a colour ramp, for instance), and the box is then shown. What
// is drawn lasts only until the next repaint, so owners draw from paintRequested(). The
// About box and the Block page's gradient previews are such boxes.
#include <QImage>
#include <QWidget>
#include <memory>

#include "platform/host/drawing_box.h"

namespace vg {

class PictureBoxWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBoxWidget(QWidget* parent = nullptr);
  ~PictureBoxWidget() override;

  // The box the owner draws on; it has the widget's size.
  DrawingBox& box() { return *box_; }

  // Background colour as RGB (0x00BBGGRR).
  void setBackColor(COLORREF color);
  // The background follows the widget palette's window colour instead (as a preview on a
  // page does); setBackColor ends that.
  void setBackColorFromPalette();
  // The colour depth the box reports: the screen's unless one is set (0 returns to it).
  void setColorDepth(int bits_per_pixel);
  int colorDepth() const;

  // The box drawn as the next repaint draws it (cleared, then paintRequested()), as an
  // image of its own.
  QImage drawnImage();

 signals:
  void paintRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Clears the box at the widget's size and depth and lets the owner draw.
  void Draw();
  bool palette_back_ = false;
  // Declared before the box: making the box reads the depth (colorDepth()).
  int depth_override_ = 0;
  std::unique_ptr<DrawingBox> box_;
};

}  // namespace vg
