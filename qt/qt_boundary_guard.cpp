#include "qt/qt_boundary_guard.h"

#include <QString>
#include <QtGlobal>

namespace vg {

void WarnBoundaryFault(const BoundaryFault& fault) {
  qWarning("Varigauge: %s: error %d: %s", fault.where, static_cast<int>(fault.number),
           qUtf8Printable(QString::fromStdString(fault.description)));
}

}  // namespace vg
