#pragma once
// Keyboard order of a dialog's fields: Tab visits them in the order the page's layouts
// place them (rows top to bottom, each row left to right, a group or a tab page finished
// before the next), whatever order the widgets were made or reparented in.
class QWidget;

namespace vg {

// Sets the Tab order of every focusable widget inside `root` to its reading order and
// returns the last of them (`root` itself when none takes focus). Widgets outside any
// layout keep their place.
QWidget* SetReadingTabOrder(QWidget* root);

// The first widget inside `root` that Tab reaches and that can take focus now, or null.
QWidget* FirstTabField(QWidget* root);

}  // namespace vg
