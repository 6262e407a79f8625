// The plugin inside Qt Designer's own form editor (its components library, without its main
// window): a form holding a Varigauge is edited through "Edit Varigauge...", and the edit
// goes through Designer's property commands, so the form is modified, undo and redo work
// and the form's contents carry the new bag.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QExtensionManager>
#include <memory>
#include <vector>

#include "control/varigauge.h"
#include "qt/varigauge_widget.h"
#include "tests/designer/plugin_fixture.h"

namespace vg {
namespace {

const char kForm[] = R"(<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>200</width><height>100</height></rect></property>
  <widget class="vg::VarigaugeWidget" name="Gauge">
   <property name="geometry"><rect><x>10</x><y>10</y><width>120</width><height>24</height></rect></property>
  </widget>
  <widget class="vg::VarigaugeWidget" name="Other">
   <property name="geometry"><rect><x>10</x><y>50</y><width>120</width><height>24</height></rect></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget>
   <class>vg::VarigaugeWidget</class>
   <extends>QWidget</extends>
   <header>qt/varigauge_widget.h</header>
  </customwidget>
 </customwidgets>
</ui>
)";

// Designer's form editor with the plugin found where the build puts it.
QDesignerFormEditorInterface* FormEditor() {
  static QDesignerFormEditorInterface* core = [] {
    // The plugin folder's parent, as Designer looks in "designer" below each library path.
    QCoreApplication::addLibraryPath(
        QFileInfo(QFileInfo(QStringLiteral(VG_DESIGNER_PLUGIN)).absolutePath()).absolutePath());
    QDesignerComponents::initializeResources();
    QDesignerFormEditorInterface* editor = QDesignerComponents::createFormEditor(qApp);
    // Designer's property editor shows the selected widget's properties, the bag among them.
    editor->setPropertyEditor(QDesignerComponents::createPropertyEditor(editor, nullptr));
    editor->setIntegration(new QDesignerIntegration(editor, qApp));
    QDesignerComponents::createTaskMenu(editor, qApp);
    QDesignerComponents::initializePlugins(editor);
    return editor;
  }();
  return core;
}

TEST(DesignerFormEditor, SheetEditsGoThroughDesignersUndoablePropertyCommands) {
  QDesignerFormEditorInterface* core = FormEditor();
  ASSERT_NE(core, nullptr);
  std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow());
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(form->setContents(QString::fromUtf8(kForm)));
  form->setDirty(false);
  QWidget* root = form->mainContainer();
  ASSERT_NE(root, nullptr);
  auto* gauge = root->findChild<VarigaugeWidget*>(QStringLiteral("Gauge"));
  auto* other = root->findChild<VarigaugeWidget*>(QStringLiteral("Other"));
  ASSERT_NE(gauge, nullptr) << "Designer did not make the control through the plugin";
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(gauge->host().AmbientUserMode());
  const QString before = gauge->propertyBag();
  const QString other_before = other->propertyBag();
  // The other control is the one selected: the edit must still reach the one whose task
  // menu opened the sheet, and only that one.
  form->clearSelection(false);
  form->selectWidget(other);

  EditInSheet(core->extensionManager(), gauge, [](PropertySheet& sheet) {
    auto* caption = sheet.findChild<QLineEdit*>(QStringLiteral("txtCaption"));
    ASSERT_NE(caption, nullptr);
    caption->setText(QStringLiteral("Edited in Designer"));
    sheet.OkButton()->click();
  });

  EXPECT_EQ(gauge->control().get_Caption(), "Edited in Designer");
  EXPECT_EQ(other->propertyBag(), other_before);
  EXPECT_TRUE(form->isDirty());
  const QString after = gauge->propertyBag();
  EXPECT_TRUE(form->contents().contains(QStringLiteral("Edited in Designer")));

  QUndoStack* history = form->commandHistory();
  ASSERT_TRUE(history->canUndo());
  history->undo();
  EXPECT_EQ(gauge->propertyBag(), before);
  EXPECT_EQ(gauge->control().get_Caption(), "");
  EXPECT_FALSE(form->contents().contains(QStringLiteral("Edited in Designer")));
  history->redo();
  EXPECT_EQ(gauge->propertyBag(), after);
  EXPECT_TRUE(form->contents().contains(QStringLiteral("Edited in Designer")));
}

// An edit in Designer's property editor, as the editor hands it on: the integration turns it
// into a property command on the active form's selected widget.
void EditInPropertyEditor(QDesignerFormEditorInterface* core, QDesignerFormWindowInterface* form,
                          QWidget* widget, const char* name, const QVariant& value) {
  core->formWindowManager()->setActiveFormWindow(form);
  form->clearSelection(false);
  form->selectWidget(widget);
  core->propertyEditor()->setObject(widget);
  core->integration()->updateProperty(QString::fromLatin1(name), value, true);
}

TEST(DesignerFormEditor, PropertyEditorEditsOfEachKindAreUndoableAndSavedAsDesignersOwn) {
  QDesignerFormEditorInterface* core = FormEditor();
  std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow());
  ASSERT_TRUE(form->setContents(QString::fromUtf8(kForm)));
  form->setDirty(false);
  auto* gauge = form->mainContainer()->findChild<VarigaugeWidget*>(QStringLiteral("Gauge"));
  ASSERT_NE(gauge, nullptr);
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPointSize(12);
  font.setBold(true);
  // One property of each kind the editor offers, with what the saved form must hold.
  struct Edit {
    const char* name;
    QVariant value;
    const char* saved;
  };
  const std::vector<Edit> edits = {
      {"backColor", QColor(10, 20, 30), "<red>10</red>"},
      {"borderStyle", QVariant::fromValue(VarigaugeWidget::vgRaised),
       "<enum>vg::VarigaugeWidget::vgRaised</enum>"},
      {"borderWidth", 4, "<number>4</number>"},
      {"redraw", false, "<bool>false</bool>"},
      {"caption", QStringLiteral("Typed in the editor"), "Typed in the editor"},
      {"font", font, "<family>Liberation Serif</family>"},
  };
  std::vector<QVariant> defaults;
  for (const Edit& e : edits) defaults.push_back(gauge->property(e.name));
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.name);
    EditInPropertyEditor(core, form.get(), gauge, e.name, e.value);
    EXPECT_EQ(gauge->property(e.name), e.value);
  }
  EXPECT_TRUE(form->isDirty());
  EXPECT_EQ(gauge->control().get_BorderStyle(), VarigaugeWidget::vgRaised);
  EXPECT_EQ(gauge->control().get_Caption(), "Typed in the editor");
  EXPECT_EQ(gauge->control().get_Font()->Name(), "Liberation Serif");
  const QString saved = form->contents();
  for (const Edit& e : edits) {
    EXPECT_TRUE(saved.contains(QString::fromLatin1("<property name=\"%1\"").arg(e.name))) << e.name;
    EXPECT_TRUE(saved.contains(QString::fromLatin1(e.saved))) << e.name;
  }

  // Each edit is one command: undone in turn they bring back every default.
  QUndoStack* history = form->commandHistory();
  for (size_t i = edits.size(); i-- > 0;) {
    ASSERT_TRUE(history->canUndo());
    history->undo();
    EXPECT_EQ(gauge->property(edits[i].name), defaults[i]) << edits[i].name;
  }
  EXPECT_EQ(gauge->control().get_Caption(), "");
  for (size_t i = 0; i < edits.size(); ++i) history->redo();
  EXPECT_EQ(form->contents(), saved);

  // The saved form opens again with every setting in its place.
  std::unique_ptr<QDesignerFormWindowInterface> again(
      core->formWindowManager()->createFormWindow());
  ASSERT_TRUE(again->setContents(saved));
  auto* reopened = again->mainContainer()->findChild<VarigaugeWidget*>(QStringLiteral("Gauge"));
  ASSERT_NE(reopened, nullptr);
  for (const Edit& e : edits) EXPECT_EQ(reopened->property(e.name), e.value) << e.name;
  EXPECT_EQ(again->contents(), saved);
}

TEST(DesignerFormEditor, AControlWhoseSettingsFailToLoadIsSavedAsItWasStored) {
  QDesignerFormEditorInterface* core = FormEditor();
  // A block table that is no JSON array, and an older form's bag with a value of no kind a
  // bag holds: each control keeps its stored text through Designer's save.
  const QString bad_blocks = QStringLiteral(R"({"barright":40})");
  const QString bad_bag = QStringLiteral(R"({"caption":"kept","blocks":[1]})");
  QString xml = QString::fromUtf8(kForm);
  xml.replace(
      QStringLiteral("<width>120</width><height>24</height></rect></property>\n  </widget>\n  "
                     "<widget class=\"vg::VarigaugeWidget\" name=\"Other\">"),
      QStringLiteral("<width>120</width><height>24</height></rect></property>\n"
                     "   <property name=\"blocks\"><string notr=\"true\">%1</string></property>\n"
                     "  </widget>\n  <widget class=\"vg::VarigaugeWidget\" name=\"Other\">")
          .arg(bad_blocks.toHtmlEscaped()));
  xml.replace(
      QStringLiteral(
          "<width>120</width><height>24</height></rect></property>\n  </widget>\n </widget>"),
      QStringLiteral(
          "<width>120</width><height>24</height></rect></property>\n"
          "   <property name=\"propertyBag\"><string notr=\"true\">%1</string></property>\n"
          "  </widget>\n </widget>")
          .arg(bad_bag.toHtmlEscaped()));
  ASSERT_TRUE(xml.contains(QStringLiteral("blocks"))) << "the form was not made";
  ASSERT_TRUE(xml.contains(QStringLiteral("propertyBag")));
  std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow());
  ASSERT_TRUE(form->setContents(xml));
  auto* gauge = form->mainContainer()->findChild<VarigaugeWidget*>(QStringLiteral("Gauge"));
  auto* other = form->mainContainer()->findChild<VarigaugeWidget*>(QStringLiteral("Other"));
  ASSERT_NE(gauge, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(gauge->bagError().isEmpty());
  EXPECT_FALSE(other->bagError().isEmpty());
  EXPECT_EQ(gauge->blocks(), bad_blocks);
  EXPECT_EQ(other->propertyBag(), bad_bag);
  // At design time the failure is drawn over the control: its picture is not the defaults'.
  const QImage shown = gauge->grab().toImage();
  VarigaugeWidget plain;
  plain.resize(gauge->size());
  EXPECT_NE(shown, plain.grab().toImage());

  // Saved and opened again, both controls hold the same stored text.
  std::unique_ptr<QDesignerFormWindowInterface> again(
      core->formWindowManager()->createFormWindow());
  ASSERT_TRUE(again->setContents(form->contents()));
  EXPECT_EQ(again->mainContainer()->findChild<VarigaugeWidget*>(QStringLiteral("Gauge"))->blocks(),
            bad_blocks);
  EXPECT_EQ(
      again->mainContainer()->findChild<VarigaugeWidget*>(QStringLiteral("Other"))->propertyBag(),
      bad_bag);

  // A change to the control replaces the kept text with the control's own settings.
  gauge->addBlock();
  EXPECT_NE(gauge->blocks(), bad_blocks);
}

TEST(DesignerFormEditor, AnOlderFormsBagIsSavedAsDesignersOwnProperties) {
  QDesignerFormEditorInterface* core = FormEditor();
  QString xml = QString::fromUtf8(kForm);
  xml.replace(
      QStringLiteral(
          "<width>120</width><height>24</height></rect></property>\n  </widget>\n </widget>"),
      QStringLiteral("<width>120</width><height>24</height></rect></property>\n"
                     "   <property name=\"propertyBag\"><string>%1</string></property>\n"
                     "  </widget>\n </widget>")
          .arg(QStringLiteral(R"j({"caption":"older","blocks":1,"block.barright(1)":40})j")
                   .toHtmlEscaped()));
  std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow());
  ASSERT_TRUE(form->setContents(xml));
  QCoreApplication::processEvents();  // Designer's event loop runs before a save
  const QString saved = form->contents();
  EXPECT_FALSE(saved.contains(QStringLiteral("propertyBag")));
  EXPECT_TRUE(saved.contains(QStringLiteral("<string>older</string>")));
  EXPECT_TRUE(saved.contains(QStringLiteral("&quot;barright&quot;:40")) ||
              saved.contains(QStringLiteral("\"barright\":40")));
}

}  // namespace
}  // namespace vg
