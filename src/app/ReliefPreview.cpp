#include "app/ReliefPreview.h"

#include <QPainter>
#include <algorithm>

namespace pw {

CReliefPreview::CReliefPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("reliefPreview"));
    setMinimumSize(240, 140);
}

void CReliefPreview::SetColumns(std::vector<ColumnDepths> columns, int first, int count, int H) {
    columns_ = std::move(columns);
    first_ = first;
    count_ = count;
    H_ = H;
    message_.clear();
    update();
}

void CReliefPreview::SetMessage(const QString& message) {
    message_ = message;
    update();
}

void CReliefPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(250, 250, 245));
    if (!message_.isEmpty()) {
        p.setPen(QColor(160, 0, 0));
        p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
        return;
    }
    const int columns = static_cast<int>(columns_.size());
    const int heights = std::max(1, H_ - 2);
    if (columns == 0) return;
    // Square cells, the card centred.
    const double cell = std::min((width() - 8.0) / columns, (height() - 8.0) / heights);
    const double left = (width() - cell * columns) / 2.0, bottom = (height() + cell * heights) / 2.0;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < columns; ++i) {
        const bool covered = i + 1 >= first_ && i + 1 < first_ + count_;
        for (int z = 1; z <= heights; ++z) {
            const int d = columns_[static_cast<std::size_t>(i)][static_cast<std::size_t>(z - 1)];
            if (d <= 0) continue;
            // Nearer the viewer is darker.
            const int shade = 220 - 170 * d / heights;
            p.setBrush(covered ? QColor(shade / 3, shade / 2 + 40, 255 - (220 - shade) / 3) : QColor(shade, shade, shade));
            p.fillRect(QRectF(left + i * cell, bottom - z * cell, cell, cell), p.brush());
        }
    }
    // The card's outline and the covered area.
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(QRectF(left, bottom - heights * cell, columns * cell, heights * cell));
    p.setPen(QPen(QColor(0, 90, 200), 1, Qt::DashLine));
    p.drawRect(QRectF(left + (first_ - 1) * cell, bottom - heights * cell, count_ * cell, heights * cell));
}

}  // namespace pw
