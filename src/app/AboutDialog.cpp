#include "app/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppResources.h"
#include "app/ShownTexts.h"
#include "model/Messages.h"

namespace pw {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Popwright Version Information"));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(AppIcon(QStringLiteral("popwright")).pixmap(32, 32));
    auto* version = new QLabel(ShownMessage(msg::kAboutVersion), this);
    version->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(version, 1, Qt::AlignVCenter);
    row->addSpacing(12);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace pw
