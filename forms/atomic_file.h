#pragma once
// Replacing a file so that it is always either the old file or the complete new one.
#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace vg::forms {

// The call that writes bytes to the temporary file: write(2) unless a test gives its own
// (to fail as a full disk does).
using WriteCall = std::function<ssize_t(int fd, const void* data, size_t size)>;

// Writes `bytes` to a new temporary file in the folder of `path`, flushes it to the disk
// and renames it over `path`. The new file keeps the permissions of the file it replaces.
// A path that names a folder is refused before anything is written. On any failure
// (a folder that cannot be written, a full disk, a failed flush or rename) the temporary
// file is removed, `path` is left byte for byte as it was, and a FormError naming the file
// and the cause is thrown. `before_rename` runs between the flush and the rename (tests make
// it fail to prove the old file survives); `write_call` replaces write(2).
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const std::function<void()>& before_rename = {},
                         const WriteCall& write_call = {});

// The whole contents of a file; throws FormError naming it when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace vg::forms
