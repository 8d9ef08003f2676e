#include "app/WelcomeDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw {

WelcomeDialog::WelcomeDialog(bool showAtStart, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("welcomeDialog"));
    setWindowTitle(tr("Welcome to Popwright"));
    auto* column = new QVBoxLayout(this);
    auto* text = new QLabel(tr("<h3>Welcome to Popwright</h3>"
                               "<p>A pop-up card is one sheet folded once: cuts and folds raise a relief when it "
                               "opens. Shape the relief in the 3D view with the arrow keys and Space, then print "
                               "the pattern and cut it out.</p><p>Where would you like to begin?</p>"),
                            this);
    text->setWordWrap(true);
    column->addWidget(text);
    const struct {
        const char* name;
        QString label;
        Choice choice;
    } buttons[] = {
        {"firstCard", tr("Make a &first card"), Choice::FirstCard},
        {"openExample", tr("Open an &example..."), Choice::OpenExample},
        {"gallery", tr("Start from the &gallery..."), Choice::Gallery},
        {"guide", tr("Read the &guide"), Choice::Guide},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.label, this);
        button->setObjectName(QString::fromLatin1(b.name));
        const Choice choice = b.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] { Choose(choice); });
        column->addWidget(button);
    }
    showAtStart_ = new QCheckBox(tr("&Show this at start"), this);
    showAtStart_->setObjectName(QStringLiteral("showAtStart"));
    showAtStart_->setChecked(showAtStart);
    column->addWidget(showAtStart_);
    setMinimumWidth(420);
}

bool WelcomeDialog::ShowAtStart() const { return showAtStart_->isChecked(); }

void WelcomeDialog::Choose(Choice choice) {
    chosen_ = choice;
    accept();
}

}  // namespace pw
