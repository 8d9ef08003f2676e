#pragma once
#include <QWidget>
#include <vector>

#include "model/buildable/BuildableCheck.h"

namespace pw {

class CardDocument;
struct Sheet;

// The unfolded pattern of the open card, drawn as the printed pattern is
// (through the pattern's line surface) and fitted to the pane. The pointer
// over a line means the piece of paper on its side; the pane outlines the
// lines of the piece it is given, whoever points at it.
class PatternPane : public QWidget {
    Q_OBJECT
public:
    explicit PatternPane(CardDocument& doc, QWidget* parent = nullptr);

    // Outlines the lines of the piece (an index into the sheet's pieces); -1 for none.
    void SetHighlightedPiece(int piece);
    int HighlightedPiece() const { return piece_; }
    // Rings the buildability check's findings (sheet units); empty for none.
    void SetMarkedSpots(std::vector<MarkedSpot> spots);
    const std::vector<MarkedSpot>& MarkedSpots() const { return spots_; }

    QSize sizeHint() const override { return {320, 320}; }

signals:
    // The pointer came to mean another piece, or none (-1).
    void PieceHovered(int piece);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Where the sheet lies in the pane: sheet point (u, s) at (ox + u*cell, oy + s*cell).
    struct Fit {
        double ox = 0, oy = 0, cell = 1;
    };
    Fit FitToPane(const Sheet& sheet) const;

    CardDocument& doc_;
    int piece_ = -1;
    std::vector<MarkedSpot> spots_;
};

}  // namespace pw
