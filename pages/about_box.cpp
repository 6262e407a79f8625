#include "pages/about_box.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTime>
#include <algorithm>
#include <array>

#include "pages/sys_info.h"
#include "qt/picture_box_widget.h"
#include "qt/varigauge_widget.h"
#include "surface/color_ramp.h"
#include "ui_about_box.h"
#include "varigauge_version.h"

namespace vg {
namespace {

// The project's icon: three bars of different lengths in a dark frame, as the control
// shows a gauge, a progress bar and a status pane.
QPixmap MakeIcon(qreal ratio) {
  constexpr int kSize = 48;
  QPixmap pixmap(QSize(kSize, kSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 48, 64), 2));
  p.setBrush(QColor(250, 250, 244));
  p.drawRoundedRect(QRectF(2, 2, kSize - 4, kSize - 4), 6, 6);
  const struct {
    int length;
    QColor from, to;
  } bars[] = {{34, QColor(40, 150, 70), QColor(130, 210, 120)},
              {24, QColor(220, 160, 20), QColor(250, 220, 110)},
              {14, QColor(190, 50, 40), QColor(240, 130, 110)}};
  int y = 9;
  for (const auto& bar : bars) {
    QLinearGradient fill(7, 0, 7 + bar.length, 0);
    fill.setColorAt(0, bar.from);
    fill.setColorAt(1, bar.to);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(7, y, bar.length, 8), 2, 2);
    y += 11;
  }
  return pixmap;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, int display_depth)
    : QDialog(parent), ui_(std::make_unique<Ui::AboutBox>()), display_depth_(display_depth) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose, false);
  // The form's size is only Designer's canvas: the box takes the size its layout asks for
  // when it is first shown, as a box never resized does.
  setAttribute(Qt::WA_Resized, false);
  // The separator lines are named "Line1(0)" to "Line1(3)", names that are no C++
  // identifiers and so cannot be the form's own: the form calls them Line1_0 to Line1_3.
  const std::array<QFrame*, 4> lines = {ui_->Line1_0, ui_->Line1_1, ui_->Line1_2, ui_->Line1_3};
  for (size_t i = 0; i < lines.size(); ++i)
    lines[i]->setObjectName(QStringLiteral("Line1(%1)").arg(i));

  // The icon sits in the middle of the decoration box, drawn for the screen's pixel ratio.
  ui_->Image1->setPixmap(MakeIcon(devicePixelRatioF()));
  ui_->Image1->setAttribute(Qt::WA_TranslucentBackground);
  // The name stands out: bold, at 1.6 times the box's font size (a form can only give
  // fixed sizes).
  QFont name_font = ui_->lblName->font();
  name_font.setPointSizeF(name_font.pointSizeF() * 1.6);
  name_font.setBold(true);
  ui_->lblName->setFont(name_font);

  connect(ui_->Picture1, &PictureBoxWidget::paintRequested, this, &AboutBox::Picture1_Paint);
  connect(ui_->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
  Prepare();
}

AboutBox::~AboutBox() = default;

void AboutBox::Prepare() {
  random_.seed(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
  if (display_depth_ > 0) ui_->Picture1->setColorDepth(display_depth_);
  ui_->Picture1->setBackColor(kBackColor);
  color_depth_ = SetColorDepth(ui_->Picture1->box());
  ui_->lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                               .arg(kVersionMajor)
                               .arg(kVersionMinor)
                               .arg(kVersionRevision));
}

void AboutBox::Picture1_Paint() {
  if (color_depth_ <= 8) return;  // few colours: the plain background
  // The integer part of a random number in [0, 1) times 5: a granularity 0 to 4.
  const double r = std::generate_canonical<double, 32>(random_);
  last_granularity_ = std::min(4, static_cast<int>(r * 5.0));
  PaintColorRamp(ui_->Picture1->box(), kRampStyle, static_cast<int16_t>(last_granularity_),
                 kRampStart, kRampEnd);
}

void AboutBox::cmdSysInfo_Click() {
  StartSysInfo(this);
}

namespace {
// A program that links the pages gets their About box for every Qt-hosted control.
[[maybe_unused]] const bool kAboutBoxInstalled =
    (VarigaugeWidget::SetAboutBoxHandler(&ShowAboutBox), true);
}  // namespace

void ShowAboutBox(QWidget* parent) {
  AboutBox box(parent);
  box.exec();
}

}  // namespace vg
