#pragma once
// The pages a Varigauge shows in a property sheet, in their tab order: Block, Caption,
// Boundaries, then the host's standard font and colour pages.
namespace vg {

class PropertySheet;

void AddVarigaugePages(PropertySheet& sheet);

}  // namespace vg
