#pragma once
// LoadPicture as a host's runtime offers it: a picture object from a file, or an empty
// picture without one.
#include <string>

#include "platform/automation/std_picture.h"

namespace vg {

// An empty picture (type none) for an empty path; else the decoded file. Raises 53 (File
// not found) for a missing file and 481 (Invalid picture) for one that cannot be read or
// decoded.
StdPictureRef LoadPicture(const std::string& path = "");

}  // namespace vg
