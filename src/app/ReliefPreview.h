#pragma once
#include <QString>
#include <QWidget>
#include <vector>

#include "model/ReliefShape.h"

namespace pw {

// The card seen from the front as it will be after an insert: every column
// and height a small square, shaded darker the farther its relief reaches
// out; the columns the insert covers in blue, the others in grey as they
// are; a message instead when the insert cannot be made.
class CReliefPreview : public QWidget {
    Q_OBJECT
public:
    explicit CReliefPreview(QWidget* parent = nullptr);

    // columns[i] is card column i+1; `first`..`first+count-1` are covered.
    void SetColumns(std::vector<ColumnDepths> columns, int first, int count, int H);
    void SetMessage(const QString& message);
    const QString& Message() const { return message_; }
    const std::vector<ColumnDepths>& Columns() const { return columns_; }

    QSize sizeHint() const override { return QSize(480, 260); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ColumnDepths> columns_;
    int first_ = 0, count_ = 0, H_ = 0;
    QString message_;
};

}  // namespace pw
