#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace pw {

// Appends little-endian integers to a byte buffer, for the binary file formats.
class ByteWriter {
public:
    void Reserve(std::size_t n) { bytes_.reserve(n); }
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Bytes(const std::uint8_t* p, std::size_t n) { bytes_.insert(bytes_.end(), p, p + n); }
    // Overwrites four bytes written earlier.
    void PatchU32(std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) bytes_[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace pw
