#include "forms/ui_form.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <pugixml.hpp>
#include <sstream>

#include "forms/atomic_file.h"
#include "forms/designer_properties.h"
#include "forms/form_error.h"

namespace vg::forms {

struct UiForm::Impl {
  pugi::xml_document doc;
  std::string path = "(new form)";  // for messages
};

namespace {

constexpr char kArrayProperty[] = "controlArray";
constexpr char kIndexProperty[] = "controlArrayIndex";
constexpr int kMargin = 10;  // pixels between a new control and its neighbours

pugi::xml_node Property(pugi::xml_node widget, const char* name) {
  return widget.find_child_by_attribute("property", "name", name);
}

// The property, made if missing: after the widget's other properties, as Designer keeps them.
pugi::xml_node EnsureProperty(pugi::xml_node widget, const char* name, bool dynamic) {
  pugi::xml_node p = Property(widget, name);
  if (p) return p;
  pugi::xml_node last;
  for (pugi::xml_node c : widget.children("property")) last = c;
  p = last ? widget.insert_child_after("property", last) : widget.prepend_child("property");
  p.append_attribute("name") = name;
  if (dynamic) p.append_attribute("stdset") = "0";
  return p;
}

// A property holding one value element (<string>, <number>, ...), replaced entirely.
pugi::xml_node SetValue(pugi::xml_node widget, const char* name, bool dynamic, const char* kind) {
  pugi::xml_node p = EnsureProperty(widget, name, dynamic);
  pugi::xml_node v = p.child(kind);
  if (!v) {
    while (p.first_child()) p.remove_child(p.first_child());
    v = p.append_child(kind);
  }
  return v;
}

std::optional<long> ArrayIndex(pugi::xml_node widget) {
  pugi::xml_node array = Property(widget, kArrayProperty).child("string");
  pugi::xml_node index = Property(widget, kIndexProperty).child("number");
  if (!array || !index) return std::nullopt;
  const char* text = index.text().get();
  char* end = nullptr;
  long n = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || n < 0) return std::nullopt;
  return n;
}

std::string RefOf(pugi::xml_node widget) {
  if (std::optional<long> index = ArrayIndex(widget))
    return std::string(Property(widget, kArrayProperty).child("string").text().get()) + "(" +
           std::to_string(*index) + ")";
  return widget.attribute("name").value();
}

bool IsVarigauge(pugi::xml_node n) {
  return std::strcmp(n.name(), "widget") == 0 &&
         std::strcmp(n.attribute("class").value(), kWidgetClass) == 0;
}

// Visits every <widget> element below `root` in document order, without recursion (a
// hostile file may nest deeply), until `visit` returns true; returns that widget.
template <class Visit>
pugi::xml_node FindWidget(pugi::xml_node root, Visit visit) {
  pugi::xml_node n = root.first_child();
  while (n) {
    if (n.type() == pugi::node_element && std::strcmp(n.name(), "widget") == 0 && visit(n))
      return n;
    if (n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n && n != root && !n.next_sibling()) n = n.parent();
    if (!n || n == root) break;
    n = n.next_sibling();
  }
  return {};
}

pugi::xml_node FindControl(const pugi::xml_document& doc, std::string_view text) {
  ControlRef ref = ParseControlRef(text);
  return FindWidget(doc, [&](pugi::xml_node w) {
    if (!IsVarigauge(w)) return false;
    if (w.attribute("name").value() == text) return true;
    return ref.index >= 0 && ArrayIndex(w) == ref.index &&
           Property(w, kArrayProperty).child("string").text().get() == ref.name;
  });
}

Geometry ReadGeometry(pugi::xml_node widget) {
  pugi::xml_node rect = Property(widget, "geometry").child("rect");
  return {rect.child("x").text().as_int(), rect.child("y").text().as_int(),
          rect.child("width").text().as_int(), rect.child("height").text().as_int()};
}

void WriteGeometry(pugi::xml_node widget, const Geometry& g) {
  pugi::xml_node rect = SetValue(widget, "geometry", false, "rect");
  const std::pair<const char*, int> parts[] = {
      {"x", g.x}, {"y", g.y}, {"width", g.width}, {"height", g.height}};
  for (const auto& [name, value] : parts) {
    pugi::xml_node part = rect.child(name) ? rect.child(name) : rect.append_child(name);
    part.text().set(value);
  }
}

pugi::xml_node TopWidget(const pugi::xml_document& doc) {
  return doc.child("ui").child("widget");
}

// The <customwidgets> entry for the control's class, made where Designer puts it.
void EnsureCustomWidget(pugi::xml_node ui) {
  pugi::xml_node list = ui.child("customwidgets");
  if (!list) {
    static const char* const kLater[] = {"tabstops",    "images",       "includes", "resources",
                                         "connections", "designerdata", "slots",    "buttongroups"};
    pugi::xml_node before;
    for (pugi::xml_node c : ui.children()) {
      for (const char* later : kLater)
        if (!before && std::strcmp(c.name(), later) == 0) before = c;
    }
    list =
        before ? ui.insert_child_before("customwidgets", before) : ui.append_child("customwidgets");
  }
  for (pugi::xml_node c : list.children("customwidget"))
    if (std::strcmp(c.child("class").text().get(), kWidgetClass) == 0) return;
  pugi::xml_node entry = list.append_child("customwidget");
  entry.append_child("class").text().set(kWidgetClass);
  entry.append_child("extends").text().set("QWidget");
  entry.append_child("header").text().set(kWidgetHeader);
}

[[noreturn]] void BagFailure(const std::string& path, const std::string& ref, const BagError& e) {
  std::string where = path + ": control \"" + ref + "\"";
  if (!e.key().empty()) where += ", key \"" + e.key() + "\"";
  throw FormError(where + ": " + e.what());
}

}  // namespace

ControlRef ParseControlRef(std::string_view text) {
  size_t open = text.find('(');
  if (open == std::string_view::npos || open == 0 || text.size() < open + 3 || text.back() != ')' ||
      text.size() - open - 2 > 9)
    return {std::string(text), -1};
  std::string_view digits = text.substr(open + 1, text.size() - open - 2);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {std::string(text), -1};
  return {std::string(text.substr(0, open)), std::stol(std::string(digits))};
}

UiForm::UiForm(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
UiForm::~UiForm() = default;
UiForm::UiForm(UiForm&&) noexcept = default;
UiForm& UiForm::operator=(UiForm&&) noexcept = default;

UiForm::UiForm(const std::string& name) : impl_(std::make_unique<Impl>()) {
  pugi::xml_node decl = impl_->doc.append_child(pugi::node_declaration);
  decl.append_attribute("version") = "1.0";
  decl.append_attribute("encoding") = "UTF-8";
  pugi::xml_node ui = impl_->doc.append_child("ui");
  ui.append_attribute("version") = "4.0";
  ui.append_child("class").text().set(name.c_str());
  pugi::xml_node top = ui.append_child("widget");
  top.append_attribute("class") = "QWidget";
  top.append_attribute("name") = name.c_str();
  WriteGeometry(top, {0, 0, 400, 300});
  SetValue(top, "windowTitle", false, "string").text().set(name.c_str());
  ui.append_child("resources");
  ui.append_child("connections");
}

UiForm UiForm::Load(const std::string& path) {
  return Parse(ReadWholeFile(path), path);
}

UiForm UiForm::Parse(std::string_view bytes, const std::string& path) {
  auto impl = std::make_unique<Impl>();
  impl->path = path;
  pugi::xml_parse_result parsed =
      impl->doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_full, pugi::encoding_auto);
  if (!parsed) {
    size_t end = std::min(bytes.size(), static_cast<size_t>(std::max<ptrdiff_t>(parsed.offset, 0)));
    auto line = std::count(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(end), '\n') + 1;
    throw FormError(path + ": not well-formed XML (line " + std::to_string(line) +
                    "): " + parsed.description());
  }
  pugi::xml_node root = impl->doc.document_element();
  if (std::strcmp(root.name(), "ui") != 0)
    throw FormError(path + ": not a Qt Designer form (the root element is <" +
                    std::string(root.name()) + ">, not <ui>)");
  if (!TopWidget(impl->doc)) throw FormError(path + ": the form has no top widget");
  UiForm form(std::move(impl));
  FindWidget(form.impl_->doc, [&](pugi::xml_node w) {
    if (!IsVarigauge(w)) return false;
    if (!*w.attribute("name").value())
      throw FormError(path + ": a " + kWidgetClass + " widget has no name");
    // A control's settings are read when it is asked for (Bag): one control with bad
    // settings does not keep the form's others from opening.
    return false;
  });
  return form;
}

std::string UiForm::ToString() const {
  std::ostringstream out;
  impl_->doc.save(out, " ", pugi::format_default, pugi::encoding_utf8);
  return out.str();
}

void UiForm::Save(const std::string& path) const {
  WriteFileAtomically(path, ToString());
}

std::string UiForm::Name() const {
  return TopWidget(impl_->doc).attribute("name").value();
}

std::string UiForm::Title() const {
  return Property(TopWidget(impl_->doc), "windowTitle").child("string").text().get();
}

std::vector<std::string> UiForm::Controls() const {
  std::vector<std::string> refs;
  FindWidget(impl_->doc, [&](pugi::xml_node w) {
    if (IsVarigauge(w)) refs.push_back(RefOf(w));
    return false;
  });
  return refs;
}

bool UiForm::HasControl(std::string_view ref) const {
  return static_cast<bool>(FindControl(impl_->doc, ref));
}

JsonPropertyBag UiForm::Bag(std::string_view ref) const {
  pugi::xml_node w = FindControl(impl_->doc, ref);
  if (!w) throw FormError(impl_->path + ": no Varigauge named \"" + std::string(ref) + "\"");
  try {
    return BagFromWidget(w);
  } catch (const BagError& e) {
    BagFailure(impl_->path, std::string(ref), e);
  }
}

Geometry UiForm::ControlGeometry(std::string_view ref) const {
  return ReadGeometry(FindControl(impl_->doc, ref));
}

void UiForm::StoreControl(std::string_view text, JsonPropertyBag bag, int width, int height) {
  pugi::xml_node top = TopWidget(impl_->doc);
  pugi::xml_node w = FindControl(impl_->doc, text);
  Geometry g;
  if (w) {
    g = ReadGeometry(w);
  } else {
    ControlRef ref = ParseControlRef(text);
    std::string name = ref.index < 0 ? ref.name : ref.name + "_" + std::to_string(ref.index);
    if (FindWidget(impl_->doc,
                   [&](pugi::xml_node o) { return o.attribute("name").value() == name; }))
      throw FormError(impl_->path + ": a widget named \"" + name + "\" is not a Varigauge");
    // Below the top widget's other children.
    g.x = kMargin;
    g.y = kMargin;
    for (pugi::xml_node sibling : top.children("widget")) {
      Geometry s = ReadGeometry(sibling);
      g.y = std::max(g.y, s.y + s.height + kMargin);
    }
    w = top.append_child("widget");
    w.append_attribute("class") = kWidgetClass;
    w.append_attribute("name") = name.c_str();
    WriteGeometry(w, g);
    if (ref.index >= 0) {
      SetValue(w, kArrayProperty, true, "string").text().set(ref.name.c_str());
      SetValue(w, kIndexProperty, true, "number").text().set(ref.index);
    }
  }
  g.width = width;
  g.height = height;
  WriteGeometry(w, g);
  bag.Remove("Width");
  bag.Remove("Height");
  WidgetFromBag(bag, w);
  EnsureCustomWidget(impl_->doc.child("ui"));
  // The form grows to hold the control.
  if (Property(top, "geometry")) {
    Geometry form = ReadGeometry(top);
    if (w.parent() == top &&
        (g.x + g.width + kMargin > form.width || g.y + g.height + kMargin > form.height)) {
      form.width = std::max(form.width, g.x + g.width + kMargin);
      form.height = std::max(form.height, g.y + g.height + kMargin);
      WriteGeometry(top, form);
    }
  }
}

}  // namespace vg::forms
