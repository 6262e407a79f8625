#pragma once
// Replacing a file so that it is always either the old file or the complete new one.
#include <functional>
#include <string>
#include <string_view>

namespace vg::forms {

// Writes `bytes` to a new temporary file in the folder of `path`, flushes it to the disk
// and renames it over `path`. The new file keeps the permissions of the file it replaces.
// On any failure the temporary file is removed, `path` is left as it was, and a FormError
// naming the file is thrown. `before_rename` runs between the flush and the rename (tests
// make it fail to prove the old file survives).
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const std::function<void()>& before_rename = {});

// The whole contents of a file; throws FormError naming it when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace vg::forms
