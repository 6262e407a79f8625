// Writes the Qt faces of the control from the member table and the type library: moc needs
// literal declarations, so the properties, enumerations, accessors, signals and the block
// type of the widget and of the Qt Quick item are printed here at build time and cannot
// drift from the table.
//
//   face_generator TEMPLATE.h.in OUT.h OUT_MEMBERS.cpp
//   face_generator --item TEMPLATE.h.in OUT.h OUT_MEMBERS.cpp
//
// The template is the face's hand-written header; each marker line in it ("//@ENUMS@",
// "//@PROPERTIES@", "//@ACCESSORS@", "//@SIGNALS@", "//@SLOTS@", and for the widget
// "//@BLOCK@", for the item "//@BLOCK_PROPERTIES@", "//@BLOCK_ACCESSORS@",
// "//@BLOCK_SIGNALS@") is replaced by the declarations of its kind. OUT_MEMBERS.cpp gets
// the accessors' bodies. Both faces reach the control through the same four private
// members (FetchMember, StoreMember, CallMember, ResetMember), so the bodies differ only in
// the class they belong to.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "control/members.h"
#include "control/public_names.h"
#include "control/type_library.h"

namespace vg {
namespace {

// The face being written: the widget (VarigaugeWidget, whose blocks are values of Block)
// or the Qt Quick item (VarigaugeItem, whose blocks are VarigaugeBlock objects).
std::string g_class = "VarigaugeWidget";
std::string g_header = "qt/varigauge_widget.h";
bool g_item = false;

// The C++ type a value of the row has in the face.
std::string FaceType(const MemberRow& row) {
  switch (row.type) {
    case ValueType::kInteger:
    case ValueType::kLong:
      return "int";
    case ValueType::kEnum:
      return g_class + "::" + FaceEnumName(row.type_name);
    case ValueType::kColor:
      return "QColor";
    case ValueType::kBoolean:
      return "bool";
    case ValueType::kString:
    case ValueType::kVariant:
      return "QString";
    case ValueType::kFont:
      return "QFont";
    case ValueType::kPicture:
      return "QPixmap";
    default:
      return "void";
  }
}

// Inside the widget's class its own enumerations need no scope.
std::string MemberType(const MemberRow& row) {
  std::string t = FaceType(row);
  const std::string scope = g_class + "::";
  if (t.starts_with(scope)) t = t.substr(scope.size());
  return t;
}

bool ByReference(const std::string& type) {
  return type == "QColor" || type == "QString" || type == "QFont" || type == "QPixmap";
}

std::string ParamType(const std::string& type) {
  return ByReference(type) ? "const " + type + "&" : type;
}

// The helper of qt_values.h that turns a Variant into the face's type.
std::string FromVariant(const MemberRow& row, const std::string& expr) {
  switch (row.type) {
    case ValueType::kInteger:
    case ValueType::kLong:
      return "IntOf(" + expr + ")";
    case ValueType::kEnum:
      return "static_cast<" + FaceType(row) + ">(IntOf(" + expr + "))";
    case ValueType::kColor:
      return "ColorOf(" + expr + ")";
    case ValueType::kBoolean:
      return "BoolOf(" + expr + ")";
    case ValueType::kFont:
      return "FontOf(" + expr + ")";
    case ValueType::kPicture:
      return "PixmapOf(" + expr + ")";
    default:
      return "TextOf(" + expr + ")";
  }
}

std::string ToVariant(const MemberRow& row, const std::string& expr) {
  switch (row.type) {
    case ValueType::kInteger:
    case ValueType::kLong:
    case ValueType::kEnum:
      return "Variant::Long(static_cast<int32_t>(" + expr + "))";
    case ValueType::kColor:
      return "ColorValue(" + expr + ")";
    case ValueType::kBoolean:
      return "Variant::Boolean(" + expr + ")";
    case ValueType::kFont:
      return "FontValue(" + expr + ")";
    case ValueType::kPicture:
      return "PixmapValue(" + expr + ")";
    default:
      return "TextValue(" + expr + ")";
  }
}

std::string Hex(DISPID id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(id));
  return buf;
}

// "iBlock" -> "block": a parameter's name without its one-letter type prefix.
std::string ParamName(std::string_view name) {
  if (name.size() > 1 && std::islower(static_cast<unsigned char>(name[0])) &&
      std::isupper(static_cast<unsigned char>(name[1])))
    name.remove_prefix(1);
  return LowerFirst(name);
}

std::string Enums() {
  std::ostringstream o;
  for (const EnumType& e : Enumerations()) {
    // A fixed underlying type: the interface lets any Long stand in an enumeration's place,
    // and every int is then a value of the type.
    o << "  // " << e.name << "\n  enum " << FaceEnumName(e.name) << " : int {\n";
    for (const EnumConstant& c : e.constants) o << "    " << c.name << " = " << c.value << ",\n";
    o << "  };\n  Q_ENUM(" << FaceEnumName(e.name) << ")\n";
  }
  return o.str();
}

std::string Properties() {
  std::ostringstream o;
  for (const MemberRow* row : FaceProperties()) {
    const std::string n = FacePropertyName(*row), N = UpperFirst(n);
    o << "  Q_PROPERTY(" << MemberType(*row) << " " << n << " READ " << n << " WRITE set" << N
      << " RESET reset" << N << " NOTIFY " << n << "Changed)\n";
  }
  return o.str();
}

// A member's help text, or its interface name where the table gives none.
std::string_view HelpOf(const MemberRow& row) {
  return row.help.empty() ? row.name : row.help;
}

std::string Accessors() {
  std::ostringstream o;
  for (const MemberRow* row : FaceProperties()) {
    const std::string n = FacePropertyName(*row), N = UpperFirst(n), t = MemberType(*row);
    o << "  // " << HelpOf(*row) << "\n";
    o << "  " << t << " " << n << "() const;\n";
    o << "  void set" << N << "(" << ParamType(t) << " value);\n";
    o << "  void reset" << N << "();\n";
  }
  return o.str();
}

std::string Signals() {
  std::ostringstream o;
  for (const MemberRow* row : FaceProperties()) {
    const std::string n = FacePropertyName(*row), t = MemberType(*row);
    o << "  void " << n << "Changed(" << ParamType(t) << " " << n << ");\n";
  }
  for (const EventRow& e : Events()) {
    o << "  void " << FaceSignalName(e) << "(";
    for (size_t i = 0; i < e.params.size(); ++i)
      o << (i ? ", " : "") << "int " << ParamName(e.params[i].name);
    o << ");\n";
  }
  return o.str();
}

// The methods a Qt program calls as slots: every method of the interface except those the
// widget's block API answers for (addBlock, removeBlock).
bool IsSlot(const MemberRow& row) {
  return row.kinds == kMethod && row.name != "AddBlock" && row.name != "DeleteBlock";
}

std::string ParamFaceType(const Param& p) {
  MemberRow as_row;
  as_row.type = p.type == ValueType::kVariant ? ValueType::kInteger : p.type;
  as_row.type_name = p.type_name;
  return MemberType(as_row);
}

std::string Slots() {
  std::ostringstream o;
  for (const MemberRow& row : Members()) {
    if (!IsSlot(row)) continue;
    o << "  // " << (row.help.empty() ? std::string_view("The interface's method ") : row.help)
      << (row.help.empty() ? std::string(row.name) + "." : "") << "\n";
    o << "  void " << LowerFirst(row.name) << "(";
    for (size_t i = 0; i < row.params.size(); ++i)
      o << (i ? ", " : "") << ParamType(ParamFaceType(row.params[i])) << " "
        << ParamName(row.params[i].name);
    o << ");\n";
    // An optional argument may be left out: the control takes its own default.
    if (!row.params.empty() && row.params[0].optional())
      o << "  void " << LowerFirst(row.name) << "();\n";
  }
  return o.str();
}

std::string BlockFields() {
  std::ostringstream o;
  for (const MemberRow* row : BlockMembers()) {
    o << "  " << FaceType(*row) << " " << BlockFieldName(*row) << "{};  // " << HelpOf(*row)
      << "\n";
  }
  return o.str();
}

// The item's VarigaugeBlock: one property per block field, held as the control's values.
// QML has no enumeration of another type in a property's place, so enumerated fields are
// ints there (the values of the item's enumerations).
MemberRow BlockObjectRow(const MemberRow& row) {
  MemberRow r = row;
  if (r.type == ValueType::kEnum) r.type = ValueType::kLong;
  return r;
}

std::string BlockObjectProperties() {
  std::ostringstream o;
  for (const MemberRow* row : BlockMembers()) {
    const MemberRow r = BlockObjectRow(*row);
    const std::string n = BlockFieldName(r), N = UpperFirst(n);
    o << "  Q_PROPERTY(" << FaceType(r) << " " << n << " READ " << n << " WRITE set" << N
      << " NOTIFY " << n << "Changed)\n";
  }
  return o.str();
}

std::string BlockObjectAccessors() {
  std::ostringstream o;
  for (const MemberRow* row : BlockMembers()) {
    const MemberRow r = BlockObjectRow(*row);
    const std::string n = BlockFieldName(r), N = UpperFirst(n), t = FaceType(r);
    o << "  // " << HelpOf(r) << "\n  " << t << " " << n << "() const;\n  void set" << N << "("
      << ParamType(t) << " value);\n";
  }
  return o.str();
}

std::string BlockObjectSignals() {
  std::ostringstream o;
  for (const MemberRow* row : BlockMembers())
    o << "  void " << BlockFieldName(*row) << "Changed();\n";
  return o.str();
}

std::string BlockObjectBodies() {
  std::ostringstream o;
  size_t i = 0;
  for (const MemberRow* row : BlockMembers()) {
    const MemberRow r = BlockObjectRow(*row);
    const std::string n = BlockFieldName(r), N = UpperFirst(n), t = FaceType(r);
    const std::string field = std::to_string(i++);
    o << t << " VarigaugeBlock::" << n << "() const {\n  return "
      << FromVariant(r, "values_[" + field + "]") << ";\n}\n";
    o << "void VarigaugeBlock::set" << N << "(" << ParamType(t) << " value) {\n";
    if (r.type != ValueType::kPicture) o << "  if (" << n << "() == value) return;\n";
    o << "  SetField(" << field << ", [&] { return " << ToVariant(r, "value") << "; });\n}\n";
  }
  o << "\nvoid VarigaugeBlock::EmitFieldChanged(int field) {\n  switch (field) {\n";
  i = 0;
  for (const MemberRow* row : BlockMembers())
    o << "    case " << i++ << ":\n      emit " << BlockFieldName(*row)
      << "Changed();\n      break;\n";
  o << "    default:\n      break;\n  }\n}\n";
  return o.str();
}

std::string BlockValueBodies();

std::string MemberBodies() {
  std::ostringstream o;
  o << "// Generated from the member table by face_generator; do not edit.\n"
       "#include \""
    << g_header << "\"\n#include \"qt/qt_values.h\"\n\nnamespace vg {\n\n";
  for (const MemberRow* row : FaceProperties()) {
    const std::string n = FacePropertyName(*row), N = UpperFirst(n), t = FaceType(*row);
    const std::string id = Hex(row->id);
    o << t << " " << g_class << "::" << n << "() const {\n  return "
      << FromVariant(*row, "FetchMember(" + id + ")") << ";\n}\n";
    o << "void " << g_class << "::set" << N << "(" << ParamType(t) << " value) {\n  StoreMember("
      << id << ", " << ToVariant(*row, "value") << ");\n}\n";
    o << "void " << g_class << "::reset" << N << "() {\n  ResetMember(" << id << ");\n}\n";
  }
  for (const MemberRow& row : Members()) {
    if (!IsSlot(row)) continue;
    const std::string n = LowerFirst(row.name), id = Hex(row.id);
    o << "void " << g_class << "::" << n << "(";
    for (size_t i = 0; i < row.params.size(); ++i)
      o << (i ? ", " : "") << ParamType(ParamFaceType(row.params[i])) << " "
        << ParamName(row.params[i].name);
    o << ") {\n  CallMember(" << id << ", {";
    for (size_t i = 0; i < row.params.size(); ++i) {
      MemberRow as_row;
      as_row.type =
          row.params[i].type == ValueType::kVariant ? ValueType::kInteger : row.params[i].type;
      o << (i ? ", " : "") << ToVariant(as_row, ParamName(row.params[i].name));
    }
    o << "});\n}\n";
    if (!row.params.empty() && row.params[0].optional())
      o << "void " << g_class << "::" << n << "() {\n  CallMember(" << id
        << ", {Variant::Missing()});\n}\n";
  }
  o << "\nvoid " << g_class << "::EmitPropertyChanged(DISPID id) {\n  switch (id) {\n";
  for (const MemberRow* row : FaceProperties()) {
    const std::string n = FacePropertyName(*row);
    o << "    case " << Hex(row->id) << ":  // " << row->name << "\n      emit " << n << "Changed("
      << n << "());\n      break;\n";
  }
  o << "    default:\n      break;\n  }\n}\n";
  o << "\nvoid " << g_class
    << "::EmitEvent(DISPID id, const std::vector<Variant>& args) {\n"
       "  switch (id) {\n";
  for (const EventRow& e : Events()) {
    o << "    case " << e.id << ":  // " << e.name << "\n";
    if (!e.params.empty()) o << "      if (args.size() < " << e.params.size() << ") break;\n";
    o << "      emit " << FaceSignalName(e) << "(";
    for (size_t i = 0; i < e.params.size(); ++i) o << (i ? ", " : "") << "IntOf(args[" << i << "])";
    o << ");\n      break;\n";
  }
  o << "    default:\n      break;\n  }\n}\n";
  o << (g_item ? BlockObjectBodies() : BlockValueBodies()) << "\n}  // namespace vg\n";
  return o.str();
}

// The widget's Block value to and from the control's values, field by field in member order.
std::string BlockValueBodies() {
  std::ostringstream o;
  o << "\nvoid FillBlock(Block& b, const std::vector<Variant>& v) {\n";
  size_t i = 0;
  for (const MemberRow* row : BlockMembers())
    o << "  b." << BlockFieldName(*row) << " = "
      << FromVariant(*row, "v[" + std::to_string(i++) + "]") << ";\n";
  o << "}\n";
  // Which fields of two blocks differ, so that setBlock writes only what changed.
  o << "\nstd::vector<bool> BlockFieldsDiffer(const Block& a, const Block& b) {\n"
       "  std::vector<bool> d;\n";
  for (const MemberRow* row : BlockMembers()) {
    const std::string f = BlockFieldName(*row);
    if (row->type == ValueType::kPicture)
      o << "  d.push_back(a." << f << ".toImage() != b." << f << ".toImage());\n";
    else
      o << "  d.push_back(!(a." << f << " == b." << f << "));\n";
  }
  o << "  return d;\n}\n";
  o << "\nstd::vector<Variant> BlockToValues(const Block& b) {\n  std::vector<Variant> v;\n"
       "  v.reserve("
    << BlockMembers().size() << ");\n";
  for (const MemberRow* row : BlockMembers())
    o << "  v.push_back(" << ToVariant(*row, "b." + BlockFieldName(*row)) << ");\n";
  o << "  return v;\n}\n";
  return o.str();
}

bool Write(const std::string& path, const std::string& text) {
  // Unchanged output keeps its time stamp, so moc and the compiler do not run again.
  std::ifstream old(path, std::ios::binary);
  std::ostringstream was;
  was << old.rdbuf();
  if (old && was.str() == text) return true;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace
}  // namespace vg

int main(int argc, char** argv) {
  using namespace vg;
  if (argc == 5 && std::string_view(argv[1]) == "--item") {
    g_item = true;
    g_class = "VarigaugeItem";
    g_header = "quick/varigauge_item.h";
    ++argv;
    --argc;
  }
  if (argc != 4) {
    std::cerr << "usage: face_generator [--item] TEMPLATE.h.in OUT.h OUT_MEMBERS.cpp\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "face_generator: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::vector<std::pair<std::string, std::string>> markers = {{"//@ENUMS@", Enums()},
                                                              {"//@PROPERTIES@", Properties()},
                                                              {"//@ACCESSORS@", Accessors()},
                                                              {"//@SIGNALS@", Signals()},
                                                              {"//@SLOTS@", Slots()}};
  if (g_item) {
    markers.push_back({"//@BLOCK_PROPERTIES@", BlockObjectProperties()});
    markers.push_back({"//@BLOCK_ACCESSORS@", BlockObjectAccessors()});
    markers.push_back({"//@BLOCK_SIGNALS@", BlockObjectSignals()});
  } else {
    markers.push_back({"//@BLOCK@", BlockFields()});
  }
  std::ostringstream header;
  header << "// Generated by face_generator from " << argv[1]
         << " and the member table; do not edit.\n";
  std::string line;
  int replaced = 0;
  while (std::getline(in, line)) {
    bool marker = false;
    for (const auto& [m, text] : markers) {
      if (line.find(m) != std::string::npos) {
        header << text;
        marker = true;
        ++replaced;
      }
    }
    if (!marker) header << line << "\n";
  }
  if (replaced != static_cast<int>(markers.size())) {
    std::cerr << "face_generator: " << argv[1] << " lacks a marker\n";
    return 1;
  }
  if (!Write(argv[2], header.str()) || !Write(argv[3], MemberBodies())) {
    std::cerr << "face_generator: cannot write the output\n";
    return 1;
  }
  return 0;
}
