// A form edited at design time: loaded with QFormBuilder (which makes the control through
// the plugin, in design mode), edited through "Edit Varigauge..." and its pages, saved with
// QFormBuilder, and opened again by the form runtime with the edit in place.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtDesigner/QFormBuilder>
#include <memory>

#include "qt/form_runtime.h"
#include "qt/varigauge_widget.h"
#include "tests/designer/plugin_fixture.h"

namespace vg {
namespace {

QWidget* LoadDesignForm(QFormBuilder& builder, const QString& path) {
  builder.setPluginPath({QFileInfo(QStringLiteral(VG_DESIGNER_PLUGIN)).absolutePath()});
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return builder.load(&file);
}

TEST(DesignerFormRoundTrip, AnEditAppliedInTheSheetIsSavedAndLoadsAgain) {
  DesignerCore();  // the plugin's task menu is registered before any form loads
  QFormBuilder builder;
  std::unique_ptr<QWidget> root(
      LoadDesignForm(builder, QStringLiteral(VG_SOURCE_DIR "/examples/progress-bar.ui")));
  ASSERT_NE(root, nullptr) << builder.errorString().toStdString();
  auto* bar = root->findChild<VarigaugeWidget*>(QStringLiteral("ProgressBar"));
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->host().AmbientUserMode());  // made by the plugin, as Designer makes it
  ASSERT_EQ(bar->control().get_Blocks(), 1);
  EXPECT_EQ(bar->geometry(), QRect(10, 10, 360, 32));

  EditInSheet(DesignerCore().extensionManager(), bar, [&](PropertySheet& sheet) {
    auto* caption = sheet.findChild<QLineEdit*>(QStringLiteral("txtCaption"));
    auto* maximum = sheet.findChild<QLineEdit*>(QStringLiteral("txtHMaxValue"));
    ASSERT_NE(caption, nullptr);
    ASSERT_NE(maximum, nullptr);
    caption->setText(QStringLiteral("Copying files"));
    maximum->setText(QStringLiteral("200"));
    ASSERT_TRUE(sheet.ApplyButton()->isEnabled());
    sheet.ApplyButton()->click();
    // Apply reached the form's control while the sheet is still open.
    EXPECT_EQ(bar->control().get_Caption(), "Copying files");
    // A later edit cancelled never reaches it.
    caption->setText(QStringLiteral("Cancelled"));
    sheet.CancelButton()->click();
  });
  EXPECT_EQ(bar->control().get_Caption(), "Copying files");
  EXPECT_EQ(bar->geometry(), QRect(10, 10, 360, 32));

  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString saved = tmp.filePath(QStringLiteral("edited.ui"));
  {
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    builder.save(&file, root.get());
  }

  std::unique_ptr<Form> form = Form::Open(saved);
  auto* again = form->control<VarigaugeWidget>(QStringLiteral("ProgressBar"));
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->bagError().isEmpty()) << again->bagError().toStdString();
  EXPECT_EQ(again->control().get_Caption(), "Copying files");
  EXPECT_EQ(again->control().get_HMaxValue(), 200);
  // What the sheet did not touch is kept.
  EXPECT_EQ(again->control().get_Blocks(), 1);
  EXPECT_EQ(again->control().get_BlockText(Variant::Integer(1)), "Process is 50 % complete");
  EXPECT_EQ(again->control().get_BlockBarRight(Variant::Integer(1)), 50);
  EXPECT_EQ(again->geometry(), QRect(10, 10, 360, 32));
}

// The sample forms open at design time as they open at run time: every control made
// through the plugin in design mode, with the settings its bag stores, including the
// pictures and the control arrays.
TEST(DesignerFormRoundTrip, TheSampleFormsOpenAtDesignTimeWithTheirSettings) {
  DesignerCore();
  for (const char* sample : {"multistrip", "unistrip", "lumastrip", "volwatch"}) {
    SCOPED_TRACE(sample);
    const QString path = QStringLiteral(VG_SOURCE_DIR "/samples/%1/%1.ui").arg(sample);
    QFormBuilder builder;
    std::unique_ptr<QWidget> design(LoadDesignForm(builder, path));
    ASSERT_NE(design, nullptr) << builder.errorString().toStdString();
    std::unique_ptr<Form> run = Form::Open(path);
    const auto made = design->findChildren<VarigaugeWidget*>();
    EXPECT_EQ(made.size(), run->window()->findChildren<VarigaugeWidget*>().size());
    for (VarigaugeWidget* bar : made) {
      SCOPED_TRACE(bar->objectName().toStdString());
      EXPECT_FALSE(bar->host().AmbientUserMode());
      EXPECT_TRUE(bar->bagError().isEmpty()) << bar->bagError().toStdString();
      auto* twin = run->window()->findChild<VarigaugeWidget*>(bar->objectName());
      ASSERT_NE(twin, nullptr);
      EXPECT_EQ(bar->propertyBag(), twin->propertyBag());
      Varigauge& a = bar->control();
      Varigauge& b = twin->control();
      ASSERT_EQ(a.get_Blocks(), b.get_Blocks());
      EXPECT_GT(a.get_Blocks(), 0);
      for (int16_t n = 1; n <= a.get_Blocks(); ++n) {
        EXPECT_EQ(a.get_BlockText(Variant::Integer(n)), b.get_BlockText(Variant::Integer(n)));
        EXPECT_EQ(a.get_BlockBarRight(Variant::Integer(n)),
                  b.get_BlockBarRight(Variant::Integer(n)));
      }
    }
  }
}

}  // namespace
}  // namespace vg
