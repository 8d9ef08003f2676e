#pragma once
#include <QDialog>

class QCheckBox;

namespace pw {

// The welcome at start: the first steps a new user may take, and whether
// to be greeted so next time.
class WelcomeDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { None, FirstCard, OpenExample, Gallery, Guide };

    WelcomeDialog(bool showAtStart, QWidget* parent = nullptr);
    Choice Chosen() const { return chosen_; }
    bool ShowAtStart() const;

private:
    void Choose(Choice choice);
    Choice chosen_ = Choice::None;
    QCheckBox* showAtStart_;
};

}  // namespace pw
