#pragma once
#include <QPen>
#include <QPoint>
#include <vector>

#include "output/LineSurface.h"
#include "output/PenTable.h"

class QPainter;

namespace pw {

// The line surface for every Qt paint device: printer, print preview, QImage,
// PDF writer. Pens become QPens of the same width and colour with
// Qt::SolidLine, Qt::DashLine or Qt::DotLine, flat caps, no
// antialiasing. The painter's pen at construction is the stock pen, and the
// painter gets it back when the surface is destroyed.
class QPainterSurface : public LineSurface {
public:
    explicit QPainterSurface(QPainter& painter);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    using LineSurface::CreatePen;
    PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) override;
    PenHandle SelectPen(PenHandle pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DeletePen(PenHandle pen) override { pens_.Delete(pen); }

    static QPen ToQPen(const PenSpec& pen);

private:
    QPainter& painter_;
    QPen stockPen_;
    bool hadAntialiasing_;
    PenTable pens_;
    QPoint current_;
};

}  // namespace pw
