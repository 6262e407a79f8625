#include "control/public_names.h"

#include <cctype>
#include <vector>

#include "control/dispids.h"

namespace vg {

std::string LowerFirst(std::string_view name) {
  std::string s(name);
  if (!s.empty()) s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  return s;
}

std::string UpperFirst(std::string_view name) {
  std::string s(name);
  if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  return s;
}

bool IsFaceProperty(const MemberRow& row) {
  return !row.Has(kBlockField) && row.bag.stored_at_all() && row.id != dispid::kBlocks &&
         row.id != dispid::kFont && row.id != dispid::kEnabled;
}

std::span<const MemberRow* const> FaceProperties() {
  static const std::vector<const MemberRow*> rows = [] {
    std::vector<const MemberRow*> v;
    for (const MemberRow& row : Members())
      if (IsFaceProperty(row)) v.push_back(&row);
    return v;
  }();
  return rows;
}

std::string FacePropertyName(const MemberRow& row) {
  return LowerFirst(row.name);
}

const MemberRow* FindFaceProperty(std::string_view name) {
  for (const MemberRow* row : FaceProperties())
    if (FacePropertyName(*row) == name) return row;
  return nullptr;
}

namespace {

// "Block.BarLeft(" -> "BarLeft"
std::string_view FieldStem(const MemberRow& row) {
  std::string_view key = row.bag.key;
  if (const size_t dot = key.find('.'); dot != std::string_view::npos) key.remove_prefix(dot + 1);
  if (!key.empty() && key.back() == '(') key.remove_suffix(1);
  return key;
}

}  // namespace

std::string BlockFieldName(const MemberRow& row) {
  return LowerFirst(FieldStem(row));
}

std::string BlockFieldKey(const MemberRow& row) {
  std::string s(FieldStem(row));
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const MemberRow* FindBlockField(std::string_view key) {
  std::string lower(key);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const MemberRow* row : BlockMembers())
    if (BlockFieldKey(*row) == lower) return row;
  return nullptr;
}

std::string FaceEnumName(std::string_view type_name) {
  if (type_name.starts_with("vg")) type_name.remove_prefix(2);
  if (type_name.ends_with("Enum")) type_name.remove_suffix(4);
  return std::string(type_name);
}

std::string FaceSignalName(const EventRow& event) {
  if (event.name == "Click") return "clicked";
  if (event.name == "DblClick") return "doubleClicked";
  return LowerFirst(event.name);
}

}  // namespace vg
