// Unistrip: seven one-block progress bars in different styles (see common/sample.h for the command
// line).
#include "unistrip/unistrip.h"

int main(int argc, char** argv) {
  return vg::samples::RunSample(argc, argv, vg::samples::MakeUnistrip);
}
