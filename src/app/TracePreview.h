#pragma once
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QWidget>

#include "import/FlatSource.h"

namespace pw {

// The picture being traced, with the traced outlines drawn over it in red
// (holes and all), or a message where nothing could be traced.
class CTracePreview : public QWidget {
    Q_OBJECT
public:
    explicit CTracePreview(QWidget* parent = nullptr);

    void SetPicture(QImage picture);
    // `flats` in the traced picture's pixels, z up, from a picture `traced`
    // pixels high (a smaller copy of the one shown, for speed).
    void SetOutlines(const std::vector<FreeformFlat>& flats, int tracedHeight);
    void SetMessage(const QString& message);
    const QString& Message() const { return message_; }
    int OutlineCount() const { return outlineCount_; }

    QSize sizeHint() const override { return QSize(420, 320); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QPainterPath outlines_;  // in the traced picture's pixels, rows down
    double tracedHeight_ = 1;
    int outlineCount_ = 0;
    QString message_;
};

}  // namespace pw
