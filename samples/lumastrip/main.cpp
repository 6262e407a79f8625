// Lumastrip: progress bars with pictures (see common/sample.h for the command line).
#include "lumastrip/lumastrip.h"

int main(int argc, char** argv) {
  return vg::samples::RunSample(argc, argv, vg::samples::MakeLumastrip);
}
