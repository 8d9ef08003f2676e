#include "app/TextFlatsDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <algorithm>

#include "app/KirikoDoc.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "import/ImportMessages.h"
#include "model/freeform/FreeformFile.h"

namespace pw {

namespace {

QDoubleSpinBox* MillimetreField(double least, double most, double value, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(least, most);
    field->setDecimals(1);
    field->setValue(value);
    return field;
}

// A note of the flats in the window's language: the core fills in its
// numbers and names, so the filled text is matched against the forms it came from.
QString ShownNote(const std::string& note) {
    const QString text = QString::fromStdString(note);
    for (const char* form : {msg::kFontReplaced, msg::kGlyphsMissing, msg::kBaselineRunAdded, msg::kStemsAdded}) {
        QString pattern = QRegularExpression::escape(QString::fromUtf8(form));
        // escape() writes the form's "%" as "\\%".
        for (const QString& number : {QStringLiteral("%1"), QStringLiteral("%2")})
            pattern.replace(QStringLiteral("\\") + number, QStringLiteral("(.*)")).replace(number, QStringLiteral("(.*)"));
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^") + pattern + QStringLiteral("$")).match(text);
        if (!match.hasMatch()) continue;
        QString shown = QCoreApplication::translate("Messages", form);
        // Filled in number order whatever order the form holds them in.
        const int first = QString::fromUtf8(form).indexOf(QStringLiteral("%1")), second = QString::fromUtf8(form).indexOf(QStringLiteral("%2"));
        const bool swapped = second >= 0 && second < first;
        const QString one = match.captured(swapped ? 2 : 1), two = match.captured(swapped ? 1 : 2);
        return shown.replace(QStringLiteral("%1"), one).replace(QStringLiteral("%2"), two);
    }
    return ShownMessage(note);
}

}  // namespace

CTextFlatsDialog::CTextFlatsDialog(double cardWidth, double cardHalf, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Text as Flats"));
    auto* form = new QFormLayout(this);
    text_ = new QLineEdit(this);
    text_->setMaxLength(kMaxFlatsTextCharacters);
    font_ = new QFontComboBox(this);
    font_->setWritingSystem(QFontDatabase::Any);
    bold_ = new QCheckBox(tr("Bold"), this);
    size_ = MillimetreField(1, cardHalf, std::min(20.0, cardHalf / 4), this);
    spacing_ = MillimetreField(-50, 50, 0, this);
    depth_ = MillimetreField(1, cardHalf, std::min(30.0, cardHalf / 2), this);
    atX_ = MillimetreField(0, cardWidth, std::min(10.0, cardWidth / 10), this);
    atZ_ = MillimetreField(0, cardHalf, 0, this);
    form->addRow(tr("Text:"), text_);
    form->addRow(tr("Font:"), font_);
    form->addRow(QString(), bold_);
    form->addRow(tr("Size (mm, capitals):"), size_);
    form->addRow(tr("Letter spacing (mm):"), spacing_);
    form->addRow(tr("Depth (mm):"), depth_);
    form->addRow(tr("Position X (mm):"), atX_);
    form->addRow(tr("Position Z (mm):"), atZ_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // OK waits for some text.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(text_, &QLineEdit::textChanged, ok, [ok](const QString& t) { ok->setEnabled(!t.trimmed().isEmpty()); });
}

TextFlatsRequest CTextFlatsDialog::Request() const {
    TextFlatsRequest request;
    request.text = text_->text().toStdString();
    request.font = font_->currentText().toStdString() + (bold_->isChecked() ? ":bold" : "");
    request.sizeMm = size_->value();
    request.letterSpacingMm = spacing_->value();
    request.depthMm = depth_->value();
    return request;
}

double CTextFlatsDialog::AtX() const { return atX_->value(); }
double CTextFlatsDialog::AtZ() const { return atZ_->value(); }

void AddTextAsFlats(QWidget* parent, CKirikoDoc& doc, UserPrompts& prompts, QStatusBar* status) {
    if (!doc.IsFreeform()) return;
    FreeformCard card = doc.Document().Freeform();
    CTextFlatsDialog dialog(card.width, card.half, parent);
    if (prompts.RunDialog(dialog) != QDialog::Accepted) return;
    FlatsFromSource made = TextFlats(dialog.Request());
    if (!made.Made()) {
        prompts.ShowMessage(parent, ShownMessage(made.error));
        return;
    }
    PlaceFlats(made.flats, 0, dialog.AtX(), dialog.AtZ());
    card.flats.insert(card.flats.end(), made.flats.begin(), made.flats.end());
    if (const std::string wrong = CheckFreeformOutlines(card); !wrong.empty()) {
        prompts.ShowMessage(parent, QString::fromStdString(wrong));
        return;
    }
    doc.EditFreeform(std::move(card));
    QStringList notes;
    for (const std::string& note : made.notes) notes << ShownNote(note);
    if (status) status->showMessage(notes.join(QStringLiteral("  ")));
}

}  // namespace pw
