#include "output/EmfSurface.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace pw {

namespace {

// Record types of the enhanced metafile format.
constexpr std::uint32_t EMR_HEADER = 1;
constexpr std::uint32_t EMR_EOF = 14;
constexpr std::uint32_t EMR_MOVETOEX = 27;
constexpr std::uint32_t EMR_SELECTOBJECT = 37;
constexpr std::uint32_t EMR_CREATEPEN = 38;
constexpr std::uint32_t EMR_DELETEOBJECT = 40;
constexpr std::uint32_t EMR_LINETO = 54;

constexpr std::uint32_t kStockObject = 0x80000000u;
constexpr std::uint32_t kBlackPen = 7;
constexpr std::uint32_t kHeaderSize = 108;
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"

std::uint32_t ObjectIndex(PenHandle pen) { return pen == kStockPen ? (kStockObject | kBlackPen) : pen; }

std::int32_t Clamp32(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

EmfSurface::EmfSurface(const EmfFrame& frame, double pxPerCm, double pyPerCm)
    : frame_(frame), pxPerCm_(pxPerCm), pyPerCm_(pyPerCm) {}

PenHandle EmfSurface::CreatePen(PenStyle style, int width, int red, int green, int blue) {
    const PenSpec pen{style, width, red, green, blue};
    const PenHandle handle = pens_.Create(pen);
    records_.U32(EMR_CREATEPEN);
    records_.U32(28);
    records_.U32(handle);
    records_.U32(static_cast<std::uint32_t>(style));
    records_.I32(width);
    records_.I32(0);
    records_.U32(static_cast<std::uint32_t>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16)));
    ++recordCount_;
    return handle;
}

PenHandle EmfSurface::SelectPen(PenHandle pen) {
    const PenHandle previous = pens_.Select(pen);
    if (previous == kNoPen) return kNoPen;
    records_.U32(EMR_SELECTOBJECT);
    records_.U32(12);
    records_.U32(ObjectIndex(pen));
    ++recordCount_;
    return previous;
}

void EmfSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    records_.U32(EMR_MOVETOEX);
    records_.U32(16);
    records_.I32(x);
    records_.I32(y);
    ++recordCount_;
}

void EmfSurface::LineTo(int x, int y) {
    const int width = std::max(pens_.Current().width, 1);
    Touch(x_, y_, width);
    Touch(x, y, width);
    x_ = x;
    y_ = y;
    records_.U32(EMR_LINETO);
    records_.U32(16);
    records_.I32(x);
    records_.I32(y);
    ++recordCount_;
}

void EmfSurface::DeletePen(PenHandle pen) {
    if (!pens_.Delete(pen)) return;
    records_.U32(EMR_DELETEOBJECT);
    records_.U32(12);
    records_.U32(pen);
    ++recordCount_;
}

void EmfSurface::Touch(long long x, long long y, int width) {
    // The pixels a pen of this width paints around the point, as the raster
    // surfaces paint them.
    const long long left = x - width / 2, top = y - width / 2;
    const long long right = left + width - 1, bottom = top + width - 1;
    if (!drawn_) {
        boundsLeft_ = left;
        boundsTop_ = top;
        boundsRight_ = right;
        boundsBottom_ = bottom;
        drawn_ = true;
        return;
    }
    boundsLeft_ = std::min(boundsLeft_, left);
    boundsTop_ = std::min(boundsTop_, top);
    boundsRight_ = std::max(boundsRight_, right);
    boundsBottom_ = std::max(boundsBottom_, bottom);
}

std::vector<std::uint8_t> EmfSurface::Finish() {
    // The header counts the file's bytes in 32 bits.
    if (records_.Size() > 0xFFFFFFFFu - kHeaderSize - kEofSize) return {};
    const std::uint32_t totalBytes = kHeaderSize + static_cast<std::uint32_t>(records_.Size()) + kEofSize;
    const std::uint32_t totalRecords = recordCount_ + 2;

    ByteWriter out;
    out.Reserve(totalBytes);
    out.U32(EMR_HEADER);
    out.U32(kHeaderSize);
    out.I32(Clamp32(boundsLeft_));
    out.I32(Clamp32(boundsTop_));
    out.I32(Clamp32(boundsRight_));
    out.I32(Clamp32(boundsBottom_));
    out.I32(frame_.left);
    out.I32(frame_.top);
    out.I32(frame_.right);
    out.I32(frame_.bottom);
    out.U32(kSignature);
    out.U32(0x00010000);
    out.U32(totalBytes);
    out.U32(totalRecords);
    out.U16(static_cast<std::uint16_t>(std::min<PenHandle>(pens_.SlotCount(), 0xFFFF)));
    out.U16(0);
    out.U32(0);  // no description
    out.U32(0);
    out.U32(0);  // no palette
    // The reference device: its size in pixels and in millimetres.
    out.I32(static_cast<std::int32_t>(std::llround(kReferenceWidthMm * pxPerCm_ / 10)));
    out.I32(static_cast<std::int32_t>(std::llround(kReferenceHeightMm * pyPerCm_ / 10)));
    out.I32(kReferenceWidthMm);
    out.I32(kReferenceHeightMm);
    out.U32(0);  // no pixel format
    out.U32(0);
    out.U32(0);  // no OpenGL records
    out.I32(kReferenceWidthMm * 1000);
    out.I32(kReferenceHeightMm * 1000);

    std::vector<std::uint8_t> bytes = out.Take();
    const std::vector<std::uint8_t> body = records_.Take();
    bytes.insert(bytes.end(), body.begin(), body.end());

    ByteWriter eof;
    eof.U32(EMR_EOF);
    eof.U32(kEofSize);
    eof.U32(0);   // no palette entries
    eof.U32(16);  // where they would start
    eof.U32(kEofSize);
    const std::vector<std::uint8_t> tail = eof.Take();
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    recordCount_ = 0;
    return bytes;
}

}  // namespace pw
