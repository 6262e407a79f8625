#pragma once
// Small makers for the widgets every property page uses. Each widget gets its page name as
// its Qt object name, so tests and accessibility tools find it by that name.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/automation/dispatch.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vg {

QLineEdit* MakeTextBox(QWidget* parent, const char* name);
// A display-only text box with a light grey background; Tab reaches it, typing does not
// change it.
QLineEdit* MakeDisplayBox(QWidget* parent, const char* name);
// Gives a read-only text box of a form the display box's light grey background.
void ShowAsDisplayBox(QLineEdit* box);
// A drop-down list of fixed items; its index is the enumeration value.
QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption);
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption);
// A row "caption  field" whose label carries the mnemonic for the field (or for `buddy`, a
// widget inside the field that takes focus).
void AddRow(QFormLayout* form, const QString& caption, QWidget* field, QWidget* buddy = nullptr);

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
