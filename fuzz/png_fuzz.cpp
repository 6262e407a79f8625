// Feeds arbitrary bytes to the picture loader as a file: a picture or error 481, never a
// crash or a hang.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/automation/errors.h"
#include "platform/imaging/load_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/vg-png-fuzz-" + std::to_string(getpid()) + ".png";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  try {
    vg::LoadPicture(path);
  } catch (const vg::AutomationError&) {
  }
  return 0;
}
