#pragma once
// vgform --pages: the property sheet of one Varigauge on a form, as Qt Designer's "Edit
// Varigauge..." opens it, either shown over the form or photographed page by page.
#include <QString>

namespace vg {

class Form;

// Opens the sheet for `control` ("Bar", or "Bar(2)" for an element of a control array).
// With an empty `screenshot_dir` it shows the sheet over the form, and Apply or OK write
// into the form's control; otherwise it writes one PNG per page, and per nested tab, into
// the folder (made when missing), prints each path and returns. Returns the exit status:
// 0, or 2 with a message on stderr for an unknown control or a folder it cannot write.
int RunPropertyPages(Form& form, const QString& control, const QString& screenshot_dir);

}  // namespace vg
