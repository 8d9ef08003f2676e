#include "output/BmpFile.h"

#include <new>

#include "output/ByteWriter.h"
#include "output/RasterImage.h"
#include "output/SafeFileWriter.h"

namespace pw {

namespace {

int BitmapClassBits(long long bits) {
    if (bits <= 1) return 1;
    if (bits <= 4) return 4;
    if (bits <= 8) return 8;
    if (bits <= 16) return 16;
    if (bits <= 24) return 24;
    return 32;
}

constexpr std::uint32_t kFileHeaderSize = 14;

}  // namespace

std::optional<BitmapInfo> MakeBitmapInfo(const BitmapDescription& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.planes <= 0 || bitmap.bitsPerPixel <= 0)
        return std::nullopt;
    const int b = BitmapClassBits(static_cast<long long>(bitmap.planes) * bitmap.bitsPerPixel);
    const std::uint32_t colors = b < 24 ? (1u << b) : 0u;
    const long long rowBytes = (static_cast<long long>(bitmap.width) * b + 31) / 32 * 4;
    const long long imageSize = rowBytes * bitmap.height;
    if (imageSize + kFileHeaderSize + 40 + 4LL * colors > 0xFFFFFFFFLL) return std::nullopt;

    BitmapInfo info;
    info.width = bitmap.width;
    info.height = bitmap.height;
    info.planes = static_cast<std::uint16_t>(bitmap.planes);
    info.bitCount = static_cast<std::uint16_t>(bitmap.bitsPerPixel);
    info.imageSize = static_cast<std::uint32_t>(imageSize);
    info.colorsUsed = colors;
    info.colorTable.assign(colors, 0);
    return info;
}

std::optional<BitmapInfo> MakeBitmapInfo(const RasterImage& image) {
    return MakeBitmapInfo(BitmapDescription{image.Width(), image.Height(), 1, 24});
}

std::optional<std::vector<std::uint8_t>> EncodeBmpFile(const BitmapInfo& info, const RasterImage& image) {
    const int bytesPerPixel = info.bitCount == 24 ? 3 : info.bitCount == 32 ? 4 : 0;
    if (bytesPerPixel == 0 || info.planes != 1 || info.width != image.Width() || info.height != image.Height() ||
        info.colorTable.size() != info.colorsUsed)
        return std::nullopt;
    const std::size_t rowBytes = (static_cast<std::size_t>(info.width) * bytesPerPixel + 3) / 4 * 4;
    if (rowBytes * static_cast<std::size_t>(info.height) != info.imageSize) return std::nullopt;

    const std::uint32_t pixelOffset = kFileHeaderSize + info.headerSize + 4 * info.colorsUsed;
    ByteWriter out;
    try {
        out.Reserve(pixelOffset + static_cast<std::size_t>(info.imageSize));
        out.U16(0x4D42);  // "BM"
        out.U32(pixelOffset + info.imageSize);
        out.U16(0);
        out.U16(0);
        out.U32(pixelOffset);

        out.U32(info.headerSize);
        out.I32(info.width);
        out.I32(info.height);
        out.U16(info.planes);
        out.U16(info.bitCount);
        out.U32(info.compression);
        out.U32(info.imageSize);
        out.I32(info.xPelsPerMeter);
        out.I32(info.yPelsPerMeter);
        out.U32(info.colorsUsed);
        out.U32(info.colorsImportant);
        for (std::uint32_t entry : info.colorTable) out.U32(entry);

        const std::size_t padding = rowBytes - static_cast<std::size_t>(info.width) * bytesPerPixel;
        for (int y = info.height - 1; y >= 0; --y) {
            const std::uint8_t* row = image.Row(y);
            if (bytesPerPixel == 3) {
                out.Bytes(row, static_cast<std::size_t>(info.width) * 3);
            } else {
                for (int x = 0; x < info.width; ++x) {
                    out.Bytes(row + 3 * x, 3);
                    out.U8(0);
                }
            }
            for (std::size_t k = 0; k < padding; ++k) out.U8(0);
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return out.Take();
}

bool WriteBmpFile(const std::string& path, const BitmapInfo& info, const RasterImage& image) {
    const auto bytes = EncodeBmpFile(info, image);
    return bytes && WriteFileReplacing(path, *bytes);
}

}  // namespace pw
