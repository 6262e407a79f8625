#include "pages/about_box.h"

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>

#include "pages/sys_info.h"
#include "qt/picture_box_widget.h"
#include "qt/varigauge_widget.h"
#include "surface/color_ramp.h"
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

QFrame* SeparatorLine(QWidget* parent, int index) {
  auto* line = new QFrame(parent);
  line->setObjectName(QStringLiteral("Line1(%1)").arg(index));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, int display_depth)
    : QDialog(parent), display_depth_(display_depth) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Varigauge ActiveX control"));
  setAttribute(Qt::WA_DeleteOnClose, false);

  Picture1 = new PictureBoxWidget(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setFixedSize(96, 96);
  Image1 = new QLabel(Picture1);  // the icon sits in the middle of the decoration box
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(MakeIcon(devicePixelRatioF()));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setGeometry(Picture1->rect());
  Image1->setAttribute(Qt::WA_TranslucentBackground);
  lblName = new QLabel(QStringLiteral("Varigauge"), this);
  lblName->setObjectName(QStringLiteral("lblName"));
  QFont name_font = lblName->font();
  name_font.setPointSizeF(name_font.pointSizeF() * 1.6);
  name_font.setBold(true);
  lblName->setFont(name_font);
  lblVersion = new QLabel(this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  for (int i = 0; i < 4; ++i) Line1[i] = SeparatorLine(this, i);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

  // The decoration box on the left; name, version and the buttons on the right, between
  // pairs of separator lines.
  auto* left = new QVBoxLayout;
  left->addWidget(Picture1);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(lblName);
  right->addWidget(lblVersion);
  right->addWidget(Line1[0]);
  right->addWidget(Line1[1]);
  right->addSpacing(18);
  right->addStretch();
  right->addWidget(Line1[2]);
  right->addWidget(Line1[3]);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  right->addLayout(buttons);
  auto* all = new QHBoxLayout(this);
  all->addLayout(left);
  all->addSpacing(12);
  all->addLayout(right, 1);
  setMinimumWidth(400);

  connect(Picture1, &PictureBoxWidget::paintRequested, this, &AboutBox::Picture1_Paint);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
  Prepare();
}

AboutBox::~AboutBox() = default;

void AboutBox::Prepare() {
  random_.seed(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
  if (display_depth_ > 0) Picture1->setColorDepth(display_depth_);
  Picture1->setBackColor(kBackColor);
  color_depth_ = SetColorDepth(Picture1->box());
  lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                          .arg(kVersionMajor)
                          .arg(kVersionMinor)
                          .arg(kVersionRevision));
}

void AboutBox::Picture1_Paint() {
  if (color_depth_ <= 8) return;  // few colours: the plain background
  // The integer part of a random number in [0, 1) times 5: a granularity 0 to 4.
  const double r = std::generate_canonical<double, 32>(random_);
  last_granularity_ = std::min(4, static_cast<int>(r * 5.0));
  PaintColorRamp(Picture1->box(), kRampStyle, static_cast<int16_t>(last_granularity_), kRampStart,
                 kRampEnd);
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
