// Forms at run time: a stored form opened through QUiLoader gives the window, its controls
// loaded from their bags, control arrays and handlers by name and index.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "qt/form_runtime.h"
#include "qt/varigauge_widget.h"
#include "ui_runtime_form.h"

namespace vg {
namespace {

QString SourceFile(const char* relative) {
  return QString::fromLocal8Bit(qgetenv("VG_SOURCE_DIR")) + "/" + relative;
}

TEST(FormRuntime, AStoredFormOpensWithItsControlsReadFromTheirBags) {
  auto form = Form::Open(SourceFile("tests/qt/runtime_form.ui"));
  EXPECT_EQ(form->window()->windowTitle(), "Copy");
  EXPECT_EQ(form->window()->size(), QSize(400, 120));
  auto* bar = form->control<VarigaugeWidget>("ProgressBar");
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->bagError().isEmpty()) << bar->bagError().toStdString();
  EXPECT_EQ(bar->control().get_Blocks(), 1);
  EXPECT_EQ(bar->control().get_BlockText(Variant::Integer(1)), "half");
  EXPECT_EQ(bar->geometry(), QRect(10, 10, 360, 32));
  EXPECT_EQ(bar->host().Width(), 5400);
  EXPECT_NE(form->control<QLabel>("Label1"), nullptr);
  // The array Command1: elements 0 and 1.
  ASSERT_NE(form->control<QPushButton>("Command1", 1), nullptr);
  EXPECT_EQ(form->control<QPushButton>("Command1", 1)->text(), "Stop");
  EXPECT_EQ(form->control<QPushButton>("Command1", 2), nullptr);
  // A form of our controls and Qt's own widgets loads none of Designer's widget plugins.
  QFile maps(QStringLiteral("/proc/self/maps"));
  ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
  EXPECT_FALSE(maps.readAll().contains("/designer/"));
}

TEST(FormRuntime, HandlersConnectByNameAndArrayIndex) {
  auto form = Form::Open(SourceFile("tests/qt/runtime_form.ui"));
  std::vector<int> pressed;
  for (int i : {0, 1})
    form->on("Command1", i, &QPushButton::clicked, [&pressed, i] { pressed.push_back(i); });
  form->control<QPushButton>("Command1", 1)->click();
  form->control<QPushButton>("Command1", 0)->click();
  EXPECT_EQ(pressed, (std::vector<int>{1, 0}));
  EXPECT_THROW(form->on("Command1", 7, &QPushButton::clicked, [] {}), std::runtime_error);
  EXPECT_THROW(form->on("ProgressBar", &QPushButton::clicked, [] {}), std::runtime_error);
}

TEST(FormRuntime, ABadBagLeavesADefaultControlAndSaysWhy) {
  VarigaugeWidget w;
  w.setProperty("propertyBag", QStringLiteral("{\"blocks\":[1]}"));
  EXPECT_FALSE(w.bagError().isEmpty());
  EXPECT_EQ(w.control().get_Blocks(), 0);
  // What the widget stores loads back into the same control.
  w.control().put_Caption("Again");
  VarigaugeWidget copy;
  copy.setPropertyBag(w.propertyBag());
  EXPECT_EQ(copy.control().get_Caption(), "Again");
  // A value read without complaint that the first drawing cannot take is named, not the
  // key read last.
  copy.control().put_RivetsStyle(7);
  QString stored = copy.propertyBag();
  stored.replace(QStringLiteral("\"rivetsstyle\":7"), QStringLiteral("\"rivetsstyle\":70000"));
  VarigaugeWidget bad;
  bad.setPropertyBag(stored);
  EXPECT_TRUE(bad.bagError().endsWith(QStringLiteral("(key \"rivetsstyle\")")))
      << bad.bagError().toStdString();
  EXPECT_EQ(bad.propertyBag(), stored);
}

TEST(FormRuntime, TheCompiledFormGivesTheSameWindow) {
  auto loaded = Form::Open(SourceFile("tests/qt/runtime_form.ui"));
  QWidget compiled;
  Ui::CopyForm ui;
  ui.setupUi(&compiled);
  EXPECT_EQ(compiled.windowTitle(), loaded->window()->windowTitle());
  EXPECT_EQ(compiled.size(), loaded->window()->size());
  EXPECT_EQ(ui.ProgressBar->geometry(),
            loaded->control<VarigaugeWidget>("ProgressBar")->geometry());
  EXPECT_EQ(ui.ProgressBar->propertyBag(),
            loaded->control<VarigaugeWidget>("ProgressBar")->propertyBag());
  EXPECT_EQ(ui.Command1_1->property("controlArrayIndex").toInt(), 1);
  EXPECT_EQ(compiled.grab().toImage(), loaded->window()->grab().toImage());
}

}  // namespace
}  // namespace vg
