#include "dialogs/about_dialog.h"

#include "dialogs/device_tool_rules.h"
#include "dialogs/widgets.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace dialogs {

CAboutDialog::CAboutDialog(const std::string& deviceName, QWidget* parent) : CDialogBase(parent)
{
    setWindowTitle(QString::fromStdString(aboutTitle(deviceName)));

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    icon->setPixmap(QApplication::windowIcon().pixmap(iconSize, iconSize));
    auto* caption = new QLabel(QString::fromStdString(aboutCaption(deviceName)), this);
    caption->setObjectName(QStringLiteral("caption"));
    auto* hardware = new QLabel(QStringLiteral("Hardware: A1"), this);
    hardware->hide();

    auto* versions = new QGridLayout;
    versions->addWidget(new QLabel(QStringLiteral("Firmware Version         "), this), 0, 0);
    versions->addWidget(new QLabel(QStringLiteral(": 2.00.xxx"), this), 0, 1);
    versions->addWidget(new QLabel(QStringLiteral("Module Version"), this), 1, 0);
    versions->addWidget(new QLabel(QStringLiteral(": 2.0.0.11"), this), 1, 1);

    QPushButton* ok = pushButton(QStringLiteral("OK"), "ok", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(caption);
    text->addLayout(versions);
    text->addWidget(hardware);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    top->addWidget(ok, 0, Qt::AlignTop);
    (new QVBoxLayout(this))->addLayout(top);
}

} // namespace dialogs
