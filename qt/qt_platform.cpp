#include "qt/qt_platform.h"

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cstring>

namespace vg {

bool HasDisplay() {
  return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

bool ChooseQtPlatform(int argc, char** argv, bool offscreen) {
  const bool given = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
                     std::any_of(argv + 1, argv + argc, [](const char* a) {
                       return std::strcmp(a, "--platform") == 0 || std::strcmp(a, "-platform") == 0;
                     });
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--platform") == 0) argv[i] = const_cast<char*>("-platform");
  if (given || (!offscreen && HasDisplay())) return false;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  return true;
}

}  // namespace vg
