// Qt Designer forms: the layout of a stored control, stable round trips, foreign content
// kept, control arrays, saves that never destroy a form, and clear refusals of bad files.
#include "forms/ui_form.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "forms/atomic_file.h"
#include "forms/form_error.h"
#include "tests/forms/form_files.h"

namespace vg::forms {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

// A form as Designer writes it, with things the control does not own.
const char kForeignForm[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Multistrip</class>
 <widget class="QWidget" name="Multistrip">
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>320</width>
    <height>200</height>
   </rect>
  </property>
  <property name="windowTitle">
   <string>Multistrip</string>
  </property>
  <!-- kept as it is -->
  <layout class="QVBoxLayout" name="verticalLayout">
   <item>
    <widget class="QPushButton" name="cmdStart">
     <property name="text">
      <string>Start</string>
     </property>
    </widget>
   </item>
  </layout>
  <widget class="vg::VarigaugeWidget" name="Varigauge1">
   <property name="geometry">
    <rect>
     <x>5</x>
     <y>6</y>
     <width>60</width>
     <height>21</height>
    </rect>
   </property>
   <property name="toolTip">
    <string>mine</string>
   </property>
   <property name="propertyBag">
    <string notr="true">{"_extentx":1588,"caption":"old"}</string>
   </property>
  </widget>
 </widget>
 <resources/>
 <connections>
  <connection>
   <sender>cmdStart</sender>
   <signal>clicked()</signal>
   <receiver>Multistrip</receiver>
   <slot>close()</slot>
  </connection>
 </connections>
</ui>
)";

JsonPropertyBag Captioned(const char* caption) {
  JsonPropertyBag bag;
  bag.WriteProperty("Caption", Variant::String(caption), Variant::String(""));
  return bag;
}

std::string LoadError(const std::string& path) {
  try {
    UiForm::Load(path);
  } catch (const FormError& e) {
    return e.what();
  }
  return "loaded";
}

TEST(UiForm, ANewFormHoldsTheControlAsACustomWidget) {
  UiForm form("Gauges");
  form.StoreControl("Varigauge1", Captioned("Disk"), 60, 21);
  EXPECT_EQ(form.ToString(), R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Gauges</class>
 <widget class="QWidget" name="Gauges">
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>400</width>
    <height>300</height>
   </rect>
  </property>
  <property name="windowTitle">
   <string>Gauges</string>
  </property>
  <widget class="vg::VarigaugeWidget" name="Varigauge1">
   <property name="geometry">
    <rect>
     <x>10</x>
     <y>10</y>
     <width>60</width>
     <height>21</height>
    </rect>
   </property>
   <property name="caption">
    <string>Disk</string>
   </property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget>
   <class>vg::VarigaugeWidget</class>
   <extends>QWidget</extends>
   <header>qt/varigauge_widget.h</header>
  </customwidget>
 </customwidgets>
 <resources />
 <connections />
</ui>
)");
  // A second control goes below the first; the form grows to hold a wide one.
  form.StoreControl("Varigauge2", JsonPropertyBag(), 500, 20);
  Geometry g = form.ControlGeometry("Varigauge2");
  EXPECT_EQ(g.x, 10);
  EXPECT_EQ(g.y, 41);
  EXPECT_NE(form.ToString().find("<width>520</width>"), std::string::npos);
  EXPECT_EQ(form.Controls(), (std::vector<std::string>{"Varigauge1", "Varigauge2"}));
}

TEST(UiForm, WritingReadingAndWritingAgainGivesTheSameBytes) {
  ScratchFolder dir;
  UiForm form;
  form.StoreControl("Varigauge1", Captioned("a & <b>"), 60, 21);
  form.Save(dir.File("a.ui"));
  UiForm read = UiForm::Load(dir.File("a.ui"));
  read.StoreControl("Varigauge1", read.Bag("Varigauge1"), 60, 21);
  read.Save(dir.File("b.ui"));
  EXPECT_EQ(ReadFile(dir.File("a.ui")), ReadFile(dir.File("b.ui")));
  EXPECT_EQ(read.Bag("Varigauge1").ReadProperty("caption", Variant()), Variant::String("a & <b>"));
}

TEST(UiForm, WhatTheControlDoesNotOwnSurvivesALoadAndASave) {
  UiForm form = UiForm::Parse(kForeignForm, "multistrip.ui");
  EXPECT_EQ(form.Name(), "Multistrip");
  EXPECT_EQ(form.Title(), "Multistrip");
  form.StoreControl("varigauge1", JsonPropertyBag(), 1, 1);  // names are exact: a new one
  form = UiForm::Parse(kForeignForm, "multistrip.ui");
  form.StoreControl("Varigauge1", Captioned("new"), 61, 22);
  std::string expected = kForeignForm;
  auto replace = [&](const std::string& from, const std::string& to) {
    size_t at = expected.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    expected.replace(at, from.size(), to);
  };
  replace("<width>60</width>", "<width>61</width>");
  replace("<height>21</height>", "<height>22</height>");
  // A form of the older kind is written in Designer's own properties; the older bag's
  // keys of the host (its extent) have no place there and go with it.
  replace(R"(<property name="propertyBag">
    <string notr="true">{"_extentx":1588,"caption":"old"}</string>)",
          R"(<property name="caption">
    <string>new</string>)");
  replace(" <resources/>", R"( <customwidgets>
  <customwidget>
   <class>vg::VarigaugeWidget</class>
   <extends>QWidget</extends>
   <header>qt/varigauge_widget.h</header>
  </customwidget>
 </customwidgets>
 <resources />)");
  EXPECT_EQ(form.ToString(), expected);
}

TEST(UiForm, ControlArraysAreWidgetsMarkedWithTheirArrayAndIndex) {
  UiForm form;
  form.StoreControl("Bar(0)", Captioned("first"), 60, 21);
  form.StoreControl("Bar(1)", Captioned("second"), 60, 21);
  std::string text = form.ToString();
  EXPECT_NE(text.find(R"(<widget class="vg::VarigaugeWidget" name="Bar_1">)"), std::string::npos);
  EXPECT_NE(text.find(R"(</property>
   <property name="controlArray" stdset="0">
    <string>Bar</string>
   </property>
   <property name="controlArrayIndex" stdset="0">
    <number>1</number>
   </property>)"),
            std::string::npos);
  UiForm read = UiForm::Parse(text, "arrays.ui");
  EXPECT_EQ(read.Controls(), (std::vector<std::string>{"Bar(0)", "Bar(1)"}));
  EXPECT_EQ(read.Bag("Bar(1)").ReadProperty("caption", Variant()), Variant::String("second"));
  EXPECT_TRUE(read.HasControl("Bar_1"));
  EXPECT_FALSE(read.HasControl("Bar(2)"));
}

TEST(UiForm, AFailedSaveLeavesTheOldFormByteForByte) {
  ScratchFolder dir;
  std::string path = dir.File("form.ui");
  WriteFile(path, kForeignForm);
  chmod(path.c_str(), 0640);
  UiForm form = UiForm::Parse(kForeignForm, path);
  form.StoreControl("Varigauge1", Captioned("changed"), 60, 21);
  EXPECT_THROW(WriteFileAtomically(path, form.ToString(), [] { throw FormError("disk gone"); }),
               FormError);
  EXPECT_EQ(ReadFile(path), kForeignForm);
  EXPECT_EQ(dir.Entries(), 1u);  // no temporary file left behind
  form.Save(path);
  EXPECT_EQ(ReadFile(path), form.ToString());
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(dir.Entries(), 1u);
  // A folder that does not exist: the error names the file.
  try {
    form.Save(dir.File("missing/form.ui"));
    FAIL();
  } catch (const FormError& e) {
    EXPECT_NE(std::string(e.what()).find("missing/form.ui: cannot create a temporary file"),
              std::string::npos);
  }
}

TEST(UiForm, BadFilesAreRefusedWithTheirFileControlAndKey) {
  ScratchFolder dir;
  std::string path = dir.File("bad.ui");
  std::string form = kForeignForm;
  auto try_form = [&](const std::string& bytes) {
    WriteFile(path, bytes);
    return LoadError(path).substr(path.size());
  };
  EXPECT_EQ(try_form(form.substr(0, form.size() / 2)),
            ": not well-formed XML (line 26): Error parsing start element tag");
  EXPECT_EQ(try_form(""), ": not well-formed XML (line 1): No document element found");
  EXPECT_EQ(try_form("<form/>"), ": not a Qt Designer form (the root element is <form>, not <ui>)");
  EXPECT_EQ(try_form(R"(<ui version="4.0"><class>x</class></ui>)"), ": the form has no top widget");
  // A control's bad settings are refused when they are read; the form itself opens.
  auto with_bag = [&](const std::string& bag) -> std::string {
    std::string bytes = form;
    std::string old = R"({"_extentx":1588,"caption":"old"})";
    bytes.replace(bytes.find(old), old.size(), bag);
    try {
      UiForm::Parse(bytes, path).Bag("Varigauge1");
    } catch (const FormError& e) {
      return std::string(e.what()).substr(path.size());
    }
    return "";
  };
  EXPECT_EQ(with_bag(R"({"caption":"a")").substr(0, 40),
            R"(: control "Varigauge1": not valid JSON: )");
  EXPECT_EQ(with_bag(R"({"blocks":[3]})"),
            R"(: control "Varigauge1", key "blocks": a JSON array is no property value)");
  EXPECT_EQ(LoadError(dir.File("none.ui")).substr(path.size() + 1),
            ": cannot open: No such file or directory");

  UiForm good = UiForm::Parse(kForeignForm, "good.ui");
  try {
    good.Bag("Varigauge9");
    FAIL();
  } catch (const FormError& e) {
    EXPECT_STREQ(e.what(), R"(good.ui: no Varigauge named "Varigauge9")");
  }
  // A name another kind of widget has is not taken over.
  EXPECT_THROW(good.StoreControl("cmdStart", JsonPropertyBag(), 60, 21), FormError);
}

}  // namespace
}  // namespace vg::forms
