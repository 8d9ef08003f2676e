#pragma once
#include <QFrame>
#include <cstdint>

namespace pw {

// A sunken block filled with one colour. It never takes the keyboard focus,
// so nothing can be typed into it; a click only reports itself.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    // The colour as 0x00BBGGRR.
    void SetColor(std::int32_t rgb);
    std::int32_t Color() const { return rgb_; }
    QSize sizeHint() const override { return {44, 20}; }

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::int32_t rgb_ = 0;
};

// Conversions between the packed settings colour and QColor.
QColor ToQColor(std::int32_t rgb);
std::int32_t FromQColor(const QColor& colour);

}  // namespace pw
