#pragma once
#include <QDialog>

namespace pw {

// "Popwright Version Information": the program icon, the version and OK.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace pw
