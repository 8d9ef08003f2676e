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
// Why a write failed, when the caller words the two cases apart: the target
// or its temporary neighbour could not be made (a missing or read-only
// folder, a read-only target, a folder in its place), or the bytes could
// not all reach the disk (a full disk, a file size limit).
enum class FileReplaceFailure { None, CannotCreate, CannotWrite };
bool WriteFileReplacing(const std::string& path, std::string_view bytes, FileReplaceFailure* why = nullptr);
bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace pw
