#pragma once
// Qt Designer form files (.ui) without Qt. A form is a <ui version="4.0"> document whose top
// widget carries the form's name, caption (windowTitle) and size. Each Varigauge in it is a
// <widget class="vg::VarigaugeWidget"> with its geometry and its settings as the widget's
// Designer properties (designer_properties.h); a <customwidgets> entry names the class and
// its header. Forms of the older kind held the settings as one JSON string property,
// propertyBag (json_bag.h); they open as well and are written in properties when stored. Control
// arrays: element i of array "Bar" is a widget named "Bar_i" with the dynamic properties
// controlArray = "Bar" and controlArrayIndex = i; callers name it "Bar(i)". Everything else in the
// file (other widgets, layouts, connections, comments) is kept as it is through a load and a save.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/json_bag.h"

namespace vg::forms {

inline constexpr char kWidgetClass[] = "vg::VarigaugeWidget";
inline constexpr char kWidgetHeader[] = "qt/varigauge_widget.h";

struct Geometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A control as callers name it: "Name", or "Name(i)" for element i of an array. Text that
// is no "Name(digits)" is a plain name.
struct ControlRef {
  std::string name;
  long index = -1;  // -1: not an array element
};
ControlRef ParseControlRef(std::string_view text);

class UiForm {
 public:
  // A new form whose top widget is a QWidget named and titled `name`, 400 x 300 pixels.
  explicit UiForm(const std::string& name = "Form1");
  ~UiForm();
  UiForm(UiForm&&) noexcept;
  UiForm& operator=(UiForm&&) noexcept;

  // Reads a form. Throws FormError naming the file for XML that is not well formed, a
  // document that is no Qt Designer form, or a Varigauge without a name. A control's
  // settings are checked when Bag() reads them.
  static UiForm Load(const std::string& path);
  static UiForm Parse(std::string_view bytes, const std::string& path);
  // Writes the form to `path` through a temporary file (atomic_file.h).
  void Save(const std::string& path) const;
  std::string ToString() const;

  std::string Name() const;
  std::string Title() const;

  // The Varigauge controls in document order: plain names, or "Name(i)" for array elements.
  std::vector<std::string> Controls() const;
  bool HasControl(std::string_view ref) const;
  // A fresh bag of the control's stored settings (its properties, or an older form's
  // propertyBag). Throws FormError naming the file, the control and the property or key.
  JsonPropertyBag Bag(std::string_view ref) const;
  Geometry ControlGeometry(std::string_view ref) const;
  // Stores `bag` as the control `ref` with a size of width x height pixels: the control's
  // other properties and its place stay; a new control goes below the top widget's others,
  // and the top widget grows to hold it. The bag keeps the host keys the old one had.
  // Throws FormError when another kind of widget already has the name.
  void StoreControl(std::string_view ref, JsonPropertyBag bag, int width, int height);

 private:
  struct Impl;
  explicit UiForm(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace vg::forms
