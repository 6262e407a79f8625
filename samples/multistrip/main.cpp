// Multistrip: progress bars with two and three moving blocks (see common/sample.h for the
// command line).
#include "multistrip/multistrip.h"

int main(int argc, char** argv) {
  return vg::samples::RunSample(argc, argv, vg::samples::MakeMultistrip);
}
