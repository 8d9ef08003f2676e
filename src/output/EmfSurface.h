#pragma once
#include <cstdint>
#include <vector>

#include "output/ByteWriter.h"
#include "output/LineSurface.h"
#include "output/PenTable.h"

namespace pw {

// Hundredths of a millimetre, both corners inclusive, as a metafile frame.
struct EmfFrame {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Records the drawing calls as a Windows enhanced metafile in memory: a
// header, one EMR_CREATEPEN, EMR_SELECTOBJECT, EMR_MOVETOEX, EMR_LINETO or
// EMR_DELETEOBJECT record per call, and EMR_EOF. Logical units are pixels of
// a reference device with the given resolution in pixels per centimetre;
// the header describes that device as a 508 by 254 mm screen (20 by 10
// inches) so that its pixel and millimetre sizes agree with the resolution.
// The stock pen is the stock object BLACK_PEN.
class EmfSurface : public LineSurface {
public:
    EmfSurface(const EmfFrame& frame, double pxPerCm, double pyPerCm);

    using LineSurface::CreatePen;
    PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) override;
    PenHandle SelectPen(PenHandle pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DeletePen(PenHandle pen) override;

    // The finished metafile: header with the final counts and bounds, the
    // records, the end-of-file record; empty when the drawing is too large for
    // the format's 32-bit sizes. The surface is spent afterwards.
    std::vector<std::uint8_t> Finish();

    static constexpr int kReferenceWidthMm = 508;
    static constexpr int kReferenceHeightMm = 254;

private:
    void Touch(long long x, long long y, int width);

    EmfFrame frame_;
    double pxPerCm_, pyPerCm_;
    PenTable pens_;
    ByteWriter records_;
    std::uint32_t recordCount_ = 0;
    int x_ = 0, y_ = 0;
    bool drawn_ = false;
    long long boundsLeft_ = 0, boundsTop_ = 0, boundsRight_ = -1, boundsBottom_ = -1;
};

}  // namespace pw
