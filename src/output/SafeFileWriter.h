#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Writes the whole file at path, or nothing: the bytes go to a new temporary
// file in the same folder, which replaces the target only after every byte
// is on disk. A failure leaves an existing file untouched and no temporary
// file behind. A target that is a symbolic link is written through the link;
// an existing target keeps its permission bits; a read-only target, a folder
// or a missing folder is a failure.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);
bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace pw
