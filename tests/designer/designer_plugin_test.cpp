// The Designer plugin as Qt Designer loads it: from its file, by QPluginLoader.
#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <memory>

#include "qt/varigauge_widget.h"
#include "tests/designer/plugin_fixture.h"

namespace {

using vg::LoadPlugin;

TEST(DesignerPlugin, DescribesTheWidgetForTheWidgetBox) {
  QDesignerCustomWidgetInterface* plugin = LoadPlugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->name(), QStringLiteral("vg::VarigaugeWidget"));
  EXPECT_EQ(plugin->group(), QStringLiteral("Varigauge"));
  EXPECT_EQ(plugin->includeFile(), QStringLiteral("qt/varigauge_widget.h"));
  EXPECT_FALSE(plugin->isContainer());
}

TEST(DesignerPlugin, HasAnIconDrawnAtTheWidgetBoxSizes) {
  QDesignerCustomWidgetInterface* plugin = LoadPlugin();
  ASSERT_NE(plugin, nullptr);
  const QIcon icon = plugin->icon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{22, 22}, {32, 32}, {64, 64}}));
  for (const QSize& size : icon.availableSizes()) {
    const QImage image = icon.pixmap(size).toImage();
    EXPECT_EQ(image.size(), size);
  }
}

TEST(DesignerPlugin, DomXmlGivesTheClassTheDefaultSizeAndTheBag) {
  QDesignerCustomWidgetInterface* plugin = LoadPlugin();
  ASSERT_NE(plugin, nullptr);
  QXmlStreamReader xml(plugin->domXml());
  QString widget_class, header, bag, property;
  QStringList untranslated;
  int width = -1, height = -1;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto name = xml.name();
    if (name == QLatin1String("widget")) {
      widget_class = xml.attributes().value(QLatin1String("class")).toString();
    } else if (name == QLatin1String("width")) {
      width = xml.readElementText().toInt();
    } else if (name == QLatin1String("height")) {
      height = xml.readElementText().toInt();
    } else if (name == QLatin1String("property")) {
      property = xml.attributes().value(QLatin1String("name")).toString();
    } else if (name == QLatin1String("string") && property == QLatin1String("blocks")) {
      bag = xml.readElementText();
    } else if (name == QLatin1String("header")) {
      header = xml.readElementText();
    } else if (name == QLatin1String("stringpropertyspecification")) {
      if (xml.attributes().value(QLatin1String("notr")) == QLatin1String("true"))
        untranslated.push_back(xml.attributes().value(QLatin1String("name")).toString());
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(widget_class, plugin->name());
  EXPECT_EQ(width, 60);
  EXPECT_EQ(height, 21);
  EXPECT_EQ(header, plugin->includeFile());
  // The form-only texts are never handed to translators.
  EXPECT_EQ(untranslated, QStringList({"blocks", "systemColors", "pictureData"}));
  // The block table of a new control, as a set property, so that Designer saves it.
  EXPECT_EQ(bag, vg::VarigaugeWidget(nullptr, false).blocks());
}

TEST(DesignerPlugin, CreatesADesignTimeControlInsideDesignerOnly) {
  QDesignerCustomWidgetInterface* plugin = LoadPlugin();
  ASSERT_NE(plugin, nullptr);
  // A loader that only uses the plugin (QUiLoader, QFormBuilder) gets a running control.
  if (!plugin->isInitialized()) {
    std::unique_ptr<QWidget> loose(plugin->createWidget(nullptr));
    EXPECT_TRUE(qobject_cast<vg::VarigaugeWidget*>(loose.get())->host().AmbientUserMode());
  }
  vg::DesignerCore();  // Designer's form editor initialises the plugin
  ASSERT_TRUE(plugin->isInitialized());
  QWidget parent;
  QWidget* made = plugin->createWidget(&parent);
  auto* widget = qobject_cast<vg::VarigaugeWidget*>(made);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->parentWidget(), &parent);
  EXPECT_FALSE(widget->host().AmbientUserMode());
  // The defaults store and load again as they are.
  const QString bag = widget->propertyBag();
  EXPECT_FALSE(bag.isEmpty());
  vg::VarigaugeWidget again(nullptr, false);
  again.setPropertyBag(bag);
  EXPECT_TRUE(again.bagError().isEmpty()) << again.bagError().toStdString();
  EXPECT_EQ(again.propertyBag(), bag);
}

TEST(DesignerPlugin, TaskMenuOffersEditAndAboutForVarigaugeOnly) {
  QDesignerCustomWidgetInterface* plugin = LoadPlugin();
  ASSERT_NE(plugin, nullptr);
  QExtensionManager* manager = vg::DesignerCore().extensionManager();
  EXPECT_TRUE(plugin->isInitialized());

  std::unique_ptr<QWidget> made(plugin->createWidget(nullptr));
  auto* menu = qt_extension<QDesignerTaskMenuExtension*>(manager, made.get());
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->taskActions();
  ASSERT_EQ(actions.size(), 2);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("Edit Varigauge..."));
  EXPECT_EQ(actions[1]->text(), QStringLiteral("About Varigauge..."));
  EXPECT_EQ(menu->preferredEditAction(), actions[0]);

  QWidget other;
  EXPECT_EQ(qt_extension<QDesignerTaskMenuExtension*>(manager, &other), nullptr);
}

}  // namespace
