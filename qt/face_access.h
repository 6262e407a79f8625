#pragma once
// What every Qt face of the control (the widget, the Qt Quick item) does the same way: reach
// a member through the member table by DISPID, read and write a block field by field, keep
// the progress face (value between the scale's ends), turn Qt's mouse buttons into the
// framework's, and run a call under a guard that reports what the control raised instead of
// passing it to Qt.
#include <QRect>
#include <QString>
#include <Qt>
#include <functional>
#include <vector>

#include "control/varigauge.h"
#include "platform/gdi/gdi.h"
#include "qt/value_glide.h"

namespace vg {

// How a face reports an error the control raised where no caller could take it.
using FaceErrorReport = std::function<void(const char* what, int number, const QString& text)>;

// Runs `body`; an error it raises goes to `report` and no further. Returns whether it ran
// through.
bool GuardFace(const char* what, const std::function<void()>& body, const FaceErrorReport& report);

// The stored value of member `id`; empty when the control has none or refuses.
Variant FetchFaceMember(const Varigauge* control, DISPID id);
// Sets member `id` through the interface (conversions, notification, redraw); raises.
void StoreFaceMember(Varigauge& control, DISPID id, const Variant& value);
void CallFaceMember(Varigauge& control, DISPID id, std::vector<Variant> args);
// The member's default for a new control.
Variant FaceMemberDefault(DISPID id, UserControl* host);
// The member's name, to say where an error arose; `otherwise` for an unknown id.
const char* FaceMemberName(DISPID id, const char* otherwise);

// The logical area (device pixels divided by the device ratio) that covers a changed
// rectangle of the window's device pixels.
QRect LogicalArea(const gdi::RECT& device, double ratio);

// The fields of block `number` in BlockMembers() order.
std::vector<Variant> ReadBlockValues(const Varigauge& control, int number);
// Writes the fields of block `number` marked in `which` (all when empty) and draws once.
// Fields equal to the block's are skipped, so a value the control derives (a percentage)
// follows the edges it derives from. Out of range raises error 9.
void WriteBlockValues(Varigauge& control, int number, const std::vector<Variant>& values,
                      const std::vector<bool>& which = {});

// The progress face: the far edge of block 1 along the orientation (BarRight on the
// horizontal scale, BarTop on the vertical one) between the scale's ends.
bool FaceVertical(const Varigauge& control);
int FaceMinimum(const Varigauge& control);
int FaceMaximum(const Varigauge& control);
int FaceValue(const Varigauge& control);
// Clamps to the scale; with no block, adds one. Raises what the control raises.
void SetFaceValue(Varigauge& control, int value);

// Animated edges. Setting the progress face's value, or a block's edge (BarLeft, BarRight,
// BarTop, BarBottom) through a face's block API, glides when the face's ValueGlide is on;
// the other fields are written at once. A face reads a gliding edge as its target, so that
// what it reports (valueChanged, block(n), a block object's properties) is what was set.
//
// How a glide's frame reaches the control: the face runs `body` on its current control
// (none: not at all) under its guard, so that a frame's error is reported, not thrown.
using FaceWithControl = std::function<void(const std::function<void(Varigauge&)>& body)>;
// Whether field `field` (an index into BlockMembers()) is one of a block's edges.
bool IsBlockEdge(size_t field);
// The glide key of the edge `field` of block `number`; the face's value is block 1's far edge.
int BlockEdgeKey(int number, size_t field);
int FaceValueKey(const Varigauge& control);
// The value as the face reports it: a gliding value's target.
int FaceTarget(const ValueGlide& glide, const Varigauge& control);
// Moves the face's value to `value` (clamped to the scale) through `glide`.
void GlideFaceValue(ValueGlide& glide, int value, const Varigauge& control,
                    const FaceWithControl& with);
// The fields of block `number` as the face reports them: gliding edges at their targets.
std::vector<Variant> ReadBlockTargets(const ValueGlide& glide, const Varigauge& control,
                                      int number);
// As WriteBlockValues, except that the edges among the fields glide when `glide` is on.
// Raises error 9 out of range.
void WriteBlockValuesGliding(ValueGlide& glide, Varigauge& control, int number,
                             const std::vector<Variant>& values, const std::vector<bool>& which,
                             const FaceWithControl& with);

// Qt's mouse button and modifiers as the framework's Button and Shift arguments.
int16_t FaceButton(Qt::MouseButton button);
int16_t FaceShift(Qt::KeyboardModifiers modifiers);

}  // namespace vg
