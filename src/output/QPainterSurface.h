#pragma once
#include <QPen>
#include <QPoint>
#include <vector>

#include "output/LineSurface.h"
#include "output/PenTable.h"

class QPainter;

namespace pw {

// The line surface for every Qt paint device: printer, print preview, QImage,
// PDF writer. Pens become QPens of the same colour with Qt::SolidLine,
// Qt::DashLine or Qt::DotLine, flat caps, no antialiasing, and the same
// width times penScale: the printer passes its resolution over 96 dpi so
// that pens given in pixels are as wide on paper, and their dashes as
// long, as on a screen (Qt's dashes are in units of the width). The
// painter's pen at construction is the stock pen, and the painter gets it
// back when the surface is destroyed.
class QPainterSurface : public LineSurface {
public:
    explicit QPainterSurface(QPainter& painter, double penScale = 1.0);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    using LineSurface::CreatePen;
    PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) override;
    PenHandle SelectPen(PenHandle pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DeletePen(PenHandle pen) override { pens_.Delete(pen); }

    static QPen ToQPen(const PenSpec& pen, double penScale = 1.0);

private:
    QPainter& painter_;
    double penScale_;
    QPen stockPen_;
    bool hadAntialiasing_;
    PenTable pens_;
    QPoint current_;
};

}  // namespace pw
