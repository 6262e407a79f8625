#pragma once
// The plugin's icon in Designer's widget box: a small Varigauge drawn by the control itself.
#include <QIcon>

namespace vg {

// A bar of two blocks (a gradient that is filled and the part still empty) with a caption,
// drawn at 22, 32 and 64 pixels square.
QIcon MakeVarigaugeIcon();

}  // namespace vg
