#pragma once
#include <QDialog>
#include <QString>

#include "document/Gallery.h"

class QListWidget;

namespace pw {

// New from Gallery: the gallery's cards as pictures, one row of them per
// difficulty, easy ones first. A double click or OK picks one.
class GalleryDialog : public QDialog {
    Q_OBJECT
public:
    GalleryDialog(const Gallery& gallery, QWidget* parent = nullptr);
    // The card file picked; empty when none is.
    QString PickedPath() const;

    // The difficulty as the dialog heads its row.
    static QString DifficultyTitle(const std::string& difficulty);

private:
    std::vector<QListWidget*> lists_;
};

}  // namespace pw
