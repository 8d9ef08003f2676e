#pragma once
#include <QDialog>

#include "edit/CardReshape.h"

class QComboBox;
class QSpinBox;

namespace pw {

// Card Size: the card's new width in columns and height in cells, and the
// side the relief keeps to when columns come or go.
class CardSizeDialog : public QDialog {
    Q_OBJECT
public:
    CardSizeDialog(int columns, int rows, QWidget* parent = nullptr);
    int Columns() const;
    int Rows() const;
    ColumnAnchor Anchor() const;

private:
    QSpinBox* columns_;
    QSpinBox* rows_;
    QComboBox* anchor_;
};

// Shift Relief: how many columns right (left when negative) and cells up
// (down when negative) all relief moves.
class ShiftReliefDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShiftReliefDialog(QWidget* parent = nullptr);
    int Columns() const;
    int Rows() const;

private:
    QSpinBox* columns_;
    QSpinBox* rows_;
};

}  // namespace pw
