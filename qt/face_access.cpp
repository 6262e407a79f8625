#include "qt/face_access.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "control/members.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "qt/qt_values.h"

namespace vg {
namespace {

const MemberRow& Row(DISPID id) {
  const MemberRow* row = FindMember(id);
  if (!row) throw AutomationError(err::kNotSupported);
  return *row;
}

}  // namespace

bool GuardFace(const char* what, const std::function<void()>& body, const FaceErrorReport& report) {
  try {
    body();
    return true;
  } catch (const AutomationError& e) {
    report(what, e.number(), QString::fromStdString(e.description()));
  } catch (const std::exception& e) {
    report(what, err::kInternalError, QString::fromUtf8(e.what()));
  } catch (...) {
    report(what, err::kInternalError, QStringLiteral("unknown error"));
  }
  return false;
}

Variant FetchFaceMember(const Varigauge* control, DISPID id) {
  if (!control) return {};
  try {
    return Row(id).access.fetch(*control);
  } catch (const AutomationError&) {
    return {};
  }
}

const char* FaceMemberName(DISPID id, const char* otherwise) {
  const MemberRow* row = FindMember(id);
  return row != nullptr ? row->name.data() : otherwise;
}

QRect LogicalArea(const gdi::RECT& device, double ratio) {
  const int left = static_cast<int>(std::floor(device.left / ratio));
  const int top = static_cast<int>(std::floor(device.top / ratio));
  const int right = static_cast<int>(std::ceil(device.right / ratio));
  const int bottom = static_cast<int>(std::ceil(device.bottom / ratio));
  return QRect(left, top, right - left, bottom - top);
}

void StoreFaceMember(Varigauge& control, DISPID id, const Variant& value) {
  const MemberRow& row = Row(id);
  if (row.type == ValueType::kPicture || row.type == ValueType::kFont)
    row.access.set(control, row, {}, value);
  else
    row.access.let(control, row, {}, value);
}

void CallFaceMember(Varigauge& control, DISPID id, std::vector<Variant> args) {
  const MemberRow& row = Row(id);
  row.access.call(control, row, args);
}

Variant FaceMemberDefault(DISPID id, UserControl* host) {
  return Row(id).def.Make(host);
}

std::vector<Variant> ReadBlockValues(const Varigauge& control, int number) {
  std::vector<Variant> values;
  const Variant selector = Variant::Long(number);
  for (const MemberRow* row : BlockMembers())
    values.push_back(row->access.get(const_cast<Varigauge&>(control), *row, Args(&selector, 1)));
  return values;
}

void WriteBlockValues(Varigauge& control, int number, const std::vector<Variant>& values,
                      const std::vector<bool>& which) {
  if (number < 1 || number > control.get_Blocks()) throw AutomationError(err::kSubscriptOutOfRange);
  const std::vector<Variant> now = ReadBlockValues(control, number);
  const Variant selector = Variant::Long(number);
  const bool redraw = control.get_Redraw();
  control.put_Redraw(false);
  try {
    size_t i = 0;
    for (const MemberRow* row : BlockMembers()) {
      const size_t field = i++;
      if (field >= values.size() || (!which.empty() && !which[field])) continue;
      if (values[field] == now[field]) continue;
      if (row->type == ValueType::kPicture)
        row->access.set(control, *row, Args(&selector, 1), values[field]);
      else
        row->access.let(control, *row, Args(&selector, 1), values[field]);
    }
  } catch (...) {
    control.put_Redraw(redraw);
    throw;
  }
  control.put_Redraw(redraw);
}

bool FaceVertical(const Varigauge& c) {
  return c.get_Orientation() == 2 || c.get_Orientation() == 3;  // vgFromTop, vgFromBottom
}

int FaceMinimum(const Varigauge& c) {
  return FaceVertical(c) ? c.get_VMinValue() : c.get_HMinValue();
}

int FaceMaximum(const Varigauge& c) {
  return FaceVertical(c) ? c.get_VMaxValue() : c.get_HMaxValue();
}

int FaceValue(const Varigauge& c) {
  if (c.get_Blocks() < 1) return FaceMinimum(c);
  const Variant first = Variant::Long(1);
  return FaceVertical(c) ? c.get_BlockBarTop(first) : c.get_BlockBarRight(first);
}

void SetFaceValue(Varigauge& c, int v) {
  const int lo = std::min(FaceMinimum(c), FaceMaximum(c));
  const int hi = std::max(FaceMinimum(c), FaceMaximum(c));
  v = std::clamp(v, lo, hi);
  const Variant first = Variant::Long(1);
  if (c.get_Blocks() < 1) {
    // A block added by AddBlock starts before the scale (and is not drawn): the bar of a
    // progress face starts at the scale's low end.
    c.AddBlock();
    if (FaceVertical(c))
      c.put_BlockBarBottom(first, static_cast<int16_t>(lo));
    else
      c.put_BlockBarLeft(first, static_cast<int16_t>(lo));
  }
  if (FaceVertical(c))
    c.put_BlockBarTop(first, static_cast<int16_t>(v));
  else
    c.put_BlockBarRight(first, static_cast<int16_t>(v));
}

// ---- animated edges ------------------------------------------------------------------------

namespace {

size_t BlockFieldIndex(std::string_view name) {
  size_t i = 0;
  for (const MemberRow* row : BlockMembers()) {
    if (row->name == name) return i;
    ++i;
  }
  throw AutomationError(err::kNotSupported);
}

// Where edge `field` of block `number` stands; a block no longer there reads as no edge
// could, so that its glide ends.
int ReadEdge(Varigauge& c, int number, size_t field) {
  if (number < 1 || number > c.get_Blocks()) return INT_MIN;
  const Variant selector = Variant::Long(number);
  const MemberRow& row = *BlockMembers()[field];
  return IntOf(row.access.get(c, row, Args(&selector, 1)));
}

void StartEdge(ValueGlide& glide, int number, size_t field, int to, const FaceWithControl& with) {
  glide.Start(
      BlockEdgeKey(number, field), to,
      [with, number, field](int at) {
        with([&](Varigauge& c) {
          std::vector<Variant> values(BlockMembers().size());
          std::vector<bool> which(values.size(), false);
          values[field] = Variant::Long(at);
          which[field] = true;
          WriteBlockValues(c, number, values, which);
        });
      },
      [with, number, field] {
        int at = INT_MIN;
        with([&](Varigauge& c) { at = ReadEdge(c, number, field); });
        return at;
      });
}

}  // namespace

bool IsBlockEdge(size_t field) {
  static const size_t edges[] = {BlockFieldIndex("BlockBarLeft"), BlockFieldIndex("BlockBarRight"),
                                 BlockFieldIndex("BlockBarTop"), BlockFieldIndex("BlockBarBottom")};
  return std::find(std::begin(edges), std::end(edges), field) != std::end(edges);
}

int BlockEdgeKey(int number, size_t field) {
  return number * static_cast<int>(BlockMembers().size()) + static_cast<int>(field);
}

int FaceValueKey(const Varigauge& c) {
  static const size_t right = BlockFieldIndex("BlockBarRight");
  static const size_t top = BlockFieldIndex("BlockBarTop");
  return BlockEdgeKey(1, FaceVertical(c) ? top : right);
}

int FaceTarget(const ValueGlide& glide, const Varigauge& c) {
  return glide.target(FaceValueKey(c), FaceValue(c));
}

void GlideFaceValue(ValueGlide& glide, int value, const Varigauge& control,
                    const FaceWithControl& with) {
  // The same key as block 1's edge: a value and a setBlock of that edge are one glide.
  glide.Start(
      FaceValueKey(control), value,
      [with](int at) { with([&](Varigauge& c) { SetFaceValue(c, at); }); },
      [with] {
        int at = INT_MIN;
        with([&](Varigauge& c) { at = FaceValue(c); });
        return at;
      });
}

std::vector<Variant> ReadBlockTargets(const ValueGlide& glide, const Varigauge& control,
                                      int number) {
  std::vector<Variant> values = ReadBlockValues(control, number);
  for (size_t i = 0; i < values.size(); ++i) {
    const int key = BlockEdgeKey(number, i);
    if (IsBlockEdge(i) && glide.running(key)) values[i] = Variant::Long(glide.target(key, 0));
  }
  return values;
}

void WriteBlockValuesGliding(ValueGlide& glide, Varigauge& control, int number,
                             const std::vector<Variant>& values, const std::vector<bool>& which,
                             const FaceWithControl& with) {
  if (number < 1 || number > control.get_Blocks()) throw AutomationError(err::kSubscriptOutOfRange);
  std::vector<bool> now = which;
  if (now.empty()) now.assign(values.size(), true);
  std::vector<std::pair<size_t, int>> edges;
  if (glide.enabled()) {
    for (size_t i = 0; i < values.size() && i < now.size(); ++i) {
      if (!now[i] || !IsBlockEdge(i)) continue;
      now[i] = false;
      const int to = ToLong(values[i]);  // raises as the immediate write would
      // Refused now, as the immediate write would be, not by a frame later.
      if (to < INT16_MIN || to > INT16_MAX) throw AutomationError(err::kOverflow);
      // An edge already on its way there keeps its pace.
      const int key = BlockEdgeKey(number, i);
      if (!(glide.running(key) && glide.target(key, 0) == to)) edges.emplace_back(i, to);
    }
  }
  if (std::find(now.begin(), now.end(), true) != now.end())
    WriteBlockValues(control, number, values, now);
  for (const auto& [field, to] : edges) StartEdge(glide, number, field, to, with);
}

int16_t FaceButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int16_t FaceShift(Qt::KeyboardModifiers m) {
  return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                              (m & Qt::AltModifier ? 4 : 0));
}

}  // namespace vg
