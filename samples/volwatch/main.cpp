// Volwatch: the used space of drives c, d and e, checked every 15 seconds (see
// common/sample.h for the command line).
#include "volwatch/volwatch.h"

int main(int argc, char** argv) {
  return vg::samples::RunSample(argc, argv, vg::samples::MakeVolwatch);
}
