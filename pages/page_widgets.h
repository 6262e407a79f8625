#pragma once
// What the property pages' forms leave to code: the display boxes' and colour samples'
// colours, and the items of the lists that take an enumeration.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/automation/dispatch.h"

class QLineEdit;

namespace vg {

// Gives a read-only text box the display box's light grey background: the box shows a
// value that Tab reaches but typing does not change.
void ShowAsDisplayBox(QLineEdit* box);

// Shows a colour in a sample box: as its background, or as its text colour over white or
// black, whichever it contrasts with more (ContrastingBackground). System colours are
// shown as the colour they stand for.
void SetSampleColor(QLineEdit* sample, uint32_t color, bool background);
// White or black, whichever gives the text colour `rgb` (0x00BBGGRR) the higher contrast
// ratio, (L1 + 0.05) / (L2 + 0.05) of the sRGB relative luminances; white on a tie. White
// text gets black, black text white, and the changeover lies near a luminance of 0.18.
uint32_t ContrastingBackground(uint32_t rgb);

// The items of a drop-down list for the member `member` of the control: the constants of
// the enumeration it takes, in value order, each as "<value> - <constant>", the names
// aligned where the values differ in width ("9 -  vgInnerCircleGradient",
// "10 - vgOuterCircleGradient"). The enumerations count from 0 without gaps, so an item's
// index is its value. No items when the member takes no enumeration.
QStringList EnumItems(DISPID member);

}  // namespace vg
