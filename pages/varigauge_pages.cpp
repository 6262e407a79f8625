#include "pages/varigauge_pages.h"

#include "pages/block_page.h"
#include "pages/boundaries_page.h"
#include "pages/caption_page.h"
#include "qt/property_sheet.h"
#include "qt/standard_pages.h"

namespace vg {

void AddVarigaugePages(PropertySheet& sheet) {
  sheet.AddPage(new BlockPage);
  sheet.AddPage(new CaptionPage);
  sheet.AddPage(new BoundariesPage);
  sheet.AddPage(new StandardFontPage);
  sheet.AddPage(new StandardColorPage);
}

}  // namespace vg
