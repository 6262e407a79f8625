#include "launcher/sample_list.h"

#include "lumastrip/lumastrip.h"
#include "multistrip/multistrip.h"
#include "unistrip/unistrip.h"
#include "volwatch/volwatch.h"

namespace vg::samples {

const std::vector<SampleInfo>& SampleList() {
  static const std::vector<SampleInfo> list = {
      {"Multistrip", "Progress bars with two and three moving blocks", MakeMultistrip},
      {"Unistrip", "Seven one-block progress bars in different styles", MakeUnistrip},
      {"Lumastrip", "Progress bars with pictures", MakeLumastrip},
      {"Volwatch", "The used space of three drives, checked every 15 seconds", MakeVolwatch},
  };
  return list;
}

}  // namespace vg::samples
