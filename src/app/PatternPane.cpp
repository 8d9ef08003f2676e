#include "app/PatternPane.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "document/CardDocument.h"
#include "model/PieceLines.h"
#include "model/Sheet.h"
#include "output/QPainterSurface.h"
#include "output/UnfoldedPattern.h"

namespace pw {

namespace {

// How near a line the pointer must come, in pixels, to mean it.
constexpr double kReachPixels = 4.0;
constexpr int kMarginPixels = 8;

}  // namespace

PatternPane::PatternPane(CardDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName(QStringLiteral("patternPane"));
    setMouseTracking(true);
    setMinimumSize(120, 120);
}

void PatternPane::SetHighlightedPiece(int piece) {
    if (piece == piece_) return;
    piece_ = piece;
    update();
}

PatternPane::Fit PatternPane::FitToPane(const Sheet& sheet) const {
    const double w = std::max(sheet.maxX - sheet.minX, 1.0), h = std::max(2 * sheet.half, 1.0);
    Fit fit;
    fit.cell = std::max(std::min((width() - 2 * kMarginPixels) / w, (height() - 2 * kMarginPixels) / h), 0.5);
    fit.ox = (width() - w * fit.cell) / 2 - sheet.minX * fit.cell;
    fit.oy = height() / 2.0;
    return fit;
}

void PatternPane::paintEvent(QPaintEvent*) {
    // The card as it is now: an edit not yet drawn by the 3D view is in it.
    const Sheet& sheet = doc_.Derive();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const Fit fit = FitToPane(sheet);
    if (piece_ >= 0 && piece_ < static_cast<int>(sheet.pieces.size())) {
        // The piece's paper tinted under the lines, its lines drawn over them.
        QPainterPath area;
        area.setFillRule(Qt::OddEvenFill);
        for (const SheetPath& loop : sheet.pieces[static_cast<std::size_t>(piece_)].loops) {
            QPolygonF polygon;
            polygon << QPointF(fit.ox + loop.start.x * fit.cell, fit.oy + loop.start.s * fit.cell);
            for (const PathSegment& seg : loop.segments)
                polygon << QPointF(fit.ox + seg.end.x * fit.cell, fit.oy + seg.end.s * fit.cell);
            area.addPolygon(polygon);
        }
        painter.fillPath(area, QColor(200, 220, 255));
    }
    {
        QPainterSurface surface(painter);
        DrawUnfoldedPattern(surface, sheet, 0, fit.ox, fit.oy, fit.cell, fit.cell);
    }
    // The findings over everything, in the colour the 3D view rings them in,
    // never smaller than a pointer's reach.
    painter.setPen(QPen(QColor(242, 26, 191), 2));
    painter.setBrush(Qt::NoBrush);
    for (const MarkedSpot& spot : spots_) {
        const double r = std::max(spot.radius * fit.cell, 6.0);
        painter.drawEllipse(QPointF(fit.ox + spot.at.x * fit.cell, fit.oy + spot.at.s * fit.cell), r, r);
    }
    if (piece_ < 0 || piece_ >= static_cast<int>(sheet.pieces.size())) return;
    painter.setPen(QPen(QColor(25, 115, 255), 3));
    for (const int e : EdgesOfPiece(sheet, piece_)) {
        const SheetPath& path = sheet.edges[static_cast<std::size_t>(e)].path;
        SheetPoint at = path.start;
        for (const PathSegment& seg : path.segments) {
            painter.drawLine(QPointF(fit.ox + at.x * fit.cell, fit.oy + at.s * fit.cell),
                             QPointF(fit.ox + seg.end.x * fit.cell, fit.oy + seg.end.s * fit.cell));
            at = seg.end;
        }
    }
}

void PatternPane::SetMarkedSpots(std::vector<MarkedSpot> spots) {
    spots_ = std::move(spots);
    update();
}

void PatternPane::mouseMoveEvent(QMouseEvent* event) {
    // The sheet of either kind of card, as the pane drew it.
    const Sheet& sheet = doc_.Derive();
    const Fit fit = FitToPane(sheet);
    const SheetPoint p{(event->position().x() - fit.ox) / fit.cell, (event->position().y() - fit.oy) / fit.cell};
    const int piece = PiecePointedAt(sheet, p, kReachPixels / fit.cell);
    if (piece == piece_) return;
    SetHighlightedPiece(piece);
    emit PieceHovered(piece);
}

void PatternPane::leaveEvent(QEvent*) {
    if (piece_ < 0) return;
    SetHighlightedPiece(-1);
    emit PieceHovered(-1);
}

}  // namespace pw
