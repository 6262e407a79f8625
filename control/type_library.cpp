// The type library's enumerations and events, and its printed forms.
#include "control/type_library.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "control/enums.h"

namespace vg {
namespace {

constexpr EnumConstant kAutoSize[] = {{"vgNoneAutoSize", vgNoneAutoSize},
                                      {"vgWidthAutoSize", vgWidthAutoSize},
                                      {"vgHeightAutoSize", vgHeightAutoSize},
                                      {"vgBothAutoSize", vgBothAutoSize}};
constexpr EnumConstant kTile[] = {{"vgNoneTile", vgNoneTile},
                                  {"vgHorizontalTile", vgHorizontalTile},
                                  {"vgVerticalTile", vgVerticalTile},
                                  {"vgBothTile", vgBothTile}};
constexpr EnumConstant kRivetsStyle[] = {{"vgNoneRivets", vgNoneRivets},
                                         {"vgRaisedRivets", vgRaisedRivets},
                                         {"vgInsetRivets", vgInsetRivets},
                                         {"vgRaisedRivetsExt", vgRaisedRivetsExt},
                                         {"vgInsetRivetsExt", vgInsetRivetsExt}};
constexpr EnumConstant kGradientGranularity[] = {{"vgDefault", vgDefault},
                                                 {"vgHigh", vgHigh},
                                                 {"vgMedium", vgMedium},
                                                 {"vgLow", vgLow},
                                                 {"vgVeryLow", vgVeryLow}};
constexpr EnumConstant kGradientStyle[] = {{"vgNoneGradient", vgNoneGradient},
                                           {"vgLeftHGradient", vgLeftHGradient},
                                           {"vgRightHGradient", vgRightHGradient},
                                           {"vgTopVGradient", vgTopVGradient},
                                           {"vgBottomVGradient", vgBottomVGradient},
                                           {"vgInnerHGradient", vgInnerHGradient},
                                           {"vgOuterHGradient", vgOuterHGradient},
                                           {"vgInnerVGradient", vgInnerVGradient},
                                           {"vgOuterVGradient", vgOuterVGradient},
                                           {"vgInnerCircleGradient", vgInnerCircleGradient},
                                           {"vgOuterCircleGradient", vgOuterCircleGradient},
                                           {"vgInnerRectangleGradient", vgInnerRectangleGradient},
                                           {"vgOuterRectangleGradient", vgOuterRectangleGradient}};
constexpr EnumConstant kClearAll[] = {{"vgHard", vgHard}, {"vgSoft", vgSoft}};
constexpr EnumConstant kFont3D[] = {{"vgNoneFont3D", vgNoneFont3D},
                                    {"vgRaisedLight", vgRaisedLight},
                                    {"vgInsetLight", vgInsetLight},
                                    {"vgRaisedShadow", vgRaisedShadow},
                                    {"vgInsetShadow", vgInsetShadow}};
constexpr EnumConstant kBorderStyle[] = {{"vgNoneBorder", vgNoneBorder},
                                         {"vgFlat", vgFlat},
                                         {"vgRaised", vgRaised},
                                         {"vgInset", vgInset},
                                         {"vgEtched", vgEtched},
                                         {"vgEtchedLight", vgEtchedLight},
                                         {"vgBump", vgBump},
                                         {"vgBumpLight", vgBumpLight}};
constexpr EnumConstant kShapeStyle[] = {{"vgRectangle", vgRectangle}, {"vgCircle", vgCircle}};
constexpr EnumConstant kAutoAngle[] = {
    {"vgNoneAuto", vgNoneAuto}, {"vgUp", vgUp}, {"vgDown", vgDown}};
constexpr EnumConstant kAlignment[] = {
    {"vgCenterCenter", vgCenterCenter}, {"vgCenterLeft", vgCenterLeft},
    {"vgCenterRight", vgCenterRight},   {"vgTopCenter", vgTopCenter},
    {"vgTopLeft", vgTopLeft},           {"vgTopRight", vgTopRight},
    {"vgBottomCenter", vgBottomCenter}, {"vgBottomLeft", vgBottomLeft},
    {"vgBottomRight", vgBottomRight}};
constexpr EnumConstant kBrushStyle[] = {{"vgNoneBrush", vgNoneBrush},
                                        {"vgHorizontal", vgHorizontal},
                                        {"vgVertical", vgVertical},
                                        {"vgForwardDiagonal", vgForwardDiagonal},
                                        {"vgBackwardDiagonal", vgBackwardDiagonal},
                                        {"vgCross", vgCross},
                                        {"vgDiagonalCross", vgDiagonalCross}};
constexpr EnumConstant kSpecialClearAllBlock[] = {{"vgClear", vgClear},
                                                  {"vgDontClear", vgDontClear}};
constexpr EnumConstant kOrientation[] = {{"vgFromLeft", vgFromLeft},
                                         {"vgFromRight", vgFromRight},
                                         {"vgFromTop", vgFromTop},
                                         {"vgFromBottom", vgFromBottom}};

// In the type library's order; their identifiers count up from DAB59A5F.
constexpr EnumType kEnumerations[] = {
    {"vgAutoSizeEnum", "{DAB59A5F-B446-11D1-921D-006097A8F11E}", kAutoSize},
    {"vgTileEnum", "{DAB59A60-B446-11D1-921D-006097A8F11E}", kTile},
    {"vgRivetsStyleEnum", "{DAB59A61-B446-11D1-921D-006097A8F11E}", kRivetsStyle},
    {"vgGradientGranularityEnum", "{DAB59A62-B446-11D1-921D-006097A8F11E}", kGradientGranularity},
    {"vgGradientStyleEnum", "{DAB59A63-B446-11D1-921D-006097A8F11E}", kGradientStyle},
    {"vgClearAllEnum", "{DAB59A64-B446-11D1-921D-006097A8F11E}", kClearAll},
    {"vgFont3DEnum", "{DAB59A65-B446-11D1-921D-006097A8F11E}", kFont3D},
    {"vgBorderStyleEnum", "{DAB59A66-B446-11D1-921D-006097A8F11E}", kBorderStyle},
    {"vgShapeStyleEnum", "{DAB59A67-B446-11D1-921D-006097A8F11E}", kShapeStyle},
    {"vgAutoAngleEnum", "{DAB59A68-B446-11D1-921D-006097A8F11E}", kAutoAngle},
    {"vgAlignmentEnum", "{DAB59A69-B446-11D1-921D-006097A8F11E}", kAlignment},
    {"vgBrushStyleEnum", "{DAB59A6A-B446-11D1-921D-006097A8F11E}", kBrushStyle},
    {"vgSpecialClearAllBlockEnum", "{DAB59A6B-B446-11D1-921D-006097A8F11E}", kSpecialClearAllBlock},
    {"vgOrientationEnum", "{DAB59A6C-B446-11D1-921D-006097A8F11E}", kOrientation},
};

constexpr Param kBlockClickedArgs[] = {{"iBlock", ValueType::kInteger, "", {}, true}};

constexpr EventRow kEvents[] = {
    {"BlockClicked", event_id::kBlockClicked, kBlockClickedArgs},
    {"TimerTime", event_id::kTimerTime, {}},
    {"TimerDisk", event_id::kTimerDisk, {}},
    {"Click", event_id::kClick, {}},
    {"DblClick", event_id::kDblClick, {}},
};

std::string Hex8(DISPID id) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(id));
  return text;
}

std::string_view Unbraced(std::string_view guid) {
  return guid.substr(1, guid.size() - 2);
}

std::string IdlType(ValueType type, std::string_view type_name) {
  switch (type) {
    case ValueType::kNone:
      return "void";
    case ValueType::kInteger:
      return "short";
    case ValueType::kLong:
      return "long";
    case ValueType::kEnum:
      return std::string(type_name);
    case ValueType::kColor:
      return "OLE_COLOR";
    case ValueType::kBoolean:
      return "VARIANT_BOOL";
    case ValueType::kString:
      return "BSTR";
    case ValueType::kVariant:
      return "VARIANT";
    case ValueType::kFont:
      return "Font*";
    case ValueType::kPicture:
      return "Picture*";
  }
  return "void";
}

std::string DefaultText(const DefaultValue& def, ValueType type) {
  switch (def.kind) {
    case DefaultValue::kInteger:
    case DefaultValue::kLong:
    case DefaultValue::kBoolean:
      if (type == ValueType::kColor) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(def.number));
        return text;
      }
      return std::to_string(def.number);
    case DefaultValue::kText:
      return "\"" + std::string(def.text) + "\"";
    default:
      return {};
  }
}

std::string ParamText(const Param& p) {
  std::string attrs = p.by_ref ? "in, out" : "in";
  if (p.optional()) {
    attrs += ", optional";
    std::string def = DefaultText(p.def, p.type);
    if (!def.empty()) attrs += ", defaultvalue(" + def + ")";
  }
  return "[" + attrs + "] " + IdlType(p.type, p.type_name) + (p.by_ref ? "* " : " ") +
         std::string(p.name);
}

// One entry of the dual interface: a method, or one accessor of a property.
void Entry(std::ostream& out, const MemberRow& row, const char* accessor) {
  std::string attrs = "id(0x" + Hex8(row.id) + ")";
  if (*accessor) attrs += std::string(", ") + accessor;
  if (row.Has(kHidden)) attrs += ", hidden";
  if (!row.help.empty()) attrs += ", helpstring(\"" + std::string(row.help) + "\")";
  std::vector<std::string> params;
  for (const Param& p : row.params) params.push_back(ParamText(p));
  std::string type = IdlType(row.type, row.type_name);
  if (std::string_view(accessor) == "propget" || (!*accessor && row.type != ValueType::kNone))
    params.push_back("[out, retval] " + type + "* retval");
  else if (*accessor)
    params.push_back("[in] " + type + " New_" + std::string(row.name));
  out << "        [" << attrs << "]\n        HRESULT " << row.name << "(";
  for (size_t i = 0; i < params.size(); ++i) out << (i ? ", " : "") << params[i];
  out << ");\n";
}

}  // namespace

static_assert(std::size(kEnumerations) == 14);

std::span<const EnumType> Enumerations() {
  return kEnumerations;
}

const EnumType* FindEnumeration(std::string_view name) {
  for (const EnumType& e : kEnumerations)
    if (NameEquals(e.name, name)) return &e;
  return nullptr;
}

std::span<const EventRow> Events() {
  return kEvents;
}

const EventRow& EventOf(DISPID id) {
  for (const EventRow& e : kEvents)
    if (e.id == id) return e;
  return kEvents[0];
}

std::string MemberLine(const MemberRow& row) {
  std::string kinds;
  auto add = [&](uint8_t bit, const char* word) {
    if (row.kinds & bit) kinds += (kinds.empty() ? "" : "/") + std::string(word);
  };
  add(kMethod, "method");
  add(kGet, "get");
  add(kLet, "let");
  add(kSet, "set");
  return std::string(row.name) + " &H" + Hex8(row.id) + " " + kinds;
}

std::string DescribeTypeLibrary() {
  using namespace identity;
  std::ostringstream out;
  char locale[16];
  std::snprintf(locale, sizeof locale, "0x%04X", static_cast<unsigned>(kTypeLibraryLocale));
  out << "[\n  uuid(" << Unbraced(kTypeLibraryGuid) << "),\n  version(" << kTypeLibraryMajor << "."
      << kTypeLibraryMinor << "),\n  lcid(" << locale << "),\n  helpstring(\"" << kTypeLibraryHelp
      << "\")\n]\nlibrary " << kTypeLibraryName << "\n{\n";

  for (const EnumType& e : kEnumerations) {
    out << "    typedef [uuid(" << Unbraced(e.guid) << ")]\n    enum {\n";
    for (size_t i = 0; i < e.constants.size(); ++i)
      out << "        " << e.constants[i].name << " = " << e.constants[i].value
          << (i + 1 < e.constants.size() ? ",\n" : "\n");
    out << "    } " << e.name << ";\n\n";
  }

  out << "    [\n      uuid(" << Unbraced(kInterfaceGuid)
      << "),\n      hidden,\n      dual,\n      nonextensible,\n      oleautomation\n    ]\n"
      << "    interface " << kInterfaceName << " : IDispatch {\n";
  for (const MemberRow& row : Members()) {
    if (row.kinds & kMethod) Entry(out, row, "");
    if (row.kinds & kGet) Entry(out, row, "propget");
    if (row.kinds & kLet) Entry(out, row, "propput");
    if (row.kinds & kSet) Entry(out, row, "propputref");
  }
  out << "    };\n\n";

  out << "    [\n      uuid(" << Unbraced(kEventInterfaceGuid) << "),\n      hidden\n    ]\n"
      << "    dispinterface " << kEventInterfaceName << " {\n        properties:\n"
      << "        methods:\n";
  for (const EventRow& e : kEvents) {
    out << "            [id(0x" << Hex8(e.id) << ")]\n            void " << e.name << "(";
    for (size_t i = 0; i < e.params.size(); ++i)
      out << (i ? ", " : "") << IdlType(e.params[i].type, "") << (e.params[i].by_ref ? "* " : " ")
          << e.params[i].name;
    out << ");\n";
  }
  out << "    };\n\n";

  out << "    [\n      uuid(" << Unbraced(kClassGuid) << "),\n      control\n    ]\n"
      << "    coclass " << kClassName << " {\n        [default] interface " << kInterfaceName
      << ";\n        [default, source] dispinterface " << kEventInterfaceName << ";\n    };\n};\n";
  return out.str();
}

}  // namespace vg
