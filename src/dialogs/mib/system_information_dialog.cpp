#include "dialogs/mib/system_information_dialog.h"

#include "dialogs/mib/system_information_rules.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs::mib {
namespace {

QLineEdit* edit(const char* name, int maxLength, QWidget* parent)
{
    auto* line = new QLineEdit(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setMaxLength(maxLength);
    return line;
}

} // namespace

CSystemInformationDialog::CSystemInformationDialog(QWidget* parent)
    : CDialogBase(parent),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_read(declareRead("system information", systemInformationRead()))
{
    setWindowTitle(QStringLiteral("System Information"));

    auto* descriptionBox = new QGroupBox(QStringLiteral("Description"), this);
    m_description = switchTextLabel("description", descriptionBox);
    m_description->setWordWrap(true);
    (new QVBoxLayout(descriptionBox))->addWidget(m_description);

    m_objectId = switchTextLabel("objectId", this);
    m_runtime = switchTextLabel("runtime", this);
    m_contact = edit("contact", kSystemContactMaxLength, this);
    m_name = edit("name", kSystemNameMaxLength, this);
    m_location = edit("location", kSystemLocationMaxLength, this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Object OID:"), this), 0, 0);
    grid->addWidget(m_objectId, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Runtime:"), this), 1, 0);
    grid->addWidget(m_runtime, 1, 1);
    QLabel* contactCaption = captionFor(m_contact, QStringLiteral("Contact:"));
    grid->addWidget(contactCaption, 2, 0);
    grid->addWidget(m_contact, 2, 1);
    grid->addWidget(captionFor(m_name, QStringLiteral("Name:")), 3, 0);
    grid->addWidget(m_name, 3, 1);
    grid->addWidget(captionFor(m_location, QStringLiteral("Location:")), 4, 0);
    grid->addWidget(m_location, 4, 1);
    contactCaption->hide();
    m_contact->hide();

    QPushButton* refreshButton = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    refreshButton->setDefault(true);
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    // Apply writes the name and location shown: the switch's, once read.
    needs(m_apply, {m_read});
    waitsFor(refreshButton, {m_read});
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(refreshButton, &QPushButton::clicked, this, &CSystemInformationDialog::refresh);
    connect(m_apply, &QPushButton::clicked, this, &CSystemInformationDialog::apply);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refreshButton);
    buttons->addWidget(m_apply);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(descriptionBox);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    refresh();
}

void CSystemInformationDialog::refresh()
{
    CWaitCursor wait;
    startWalk(m_cCommonSNMP, systemInformationRead(), [this](const WalkRow& row) { showAnswer(row); }, {}, m_read);
}

void CSystemInformationDialog::showAnswer(const WalkRow& row)
{
    const auto texts = decodeSystemInformation(row);
    if (!texts)
        return;
    m_description->setText(QString::fromStdString(texts->description));
    m_objectId->setText(QString::fromStdString(texts->objectId));
    if (texts->runtime)
        m_runtime->setText(QString::fromStdString(*texts->runtime));
    setLimitedText(m_contact, texts->contact, kSystemContactMaxLength);
    setLimitedText(m_name, texts->name, kSystemNameMaxLength);
    setLimitedText(m_location, texts->location, kSystemLocationMaxLength);
}

void CSystemInformationDialog::apply()
{
    if (!readsWhole({m_read}))
        return;
    const std::string name = textOf(m_name->text());
    const std::string location = textOf(m_location->text());
    std::string message = checkEditLength(name, kSystemNameMaxLength);
    if (message.empty())
        message = checkEditLength(location, kSystemLocationMaxLength);
    if (message.empty())
        message = checkSystemInformation(name, location);
    if (!message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    // Not reported, not read back: the dialog shows what the user typed.
    runWrite([&session = m_cCommonSNMPSet, bindings = systemInformationSet(name, location)](WriteContext& write) {
        write.set(session, bindings);
    });
}

void CSystemInformationDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        apply();
        return;
    }
    CDialogBase::keyPressEvent(event);
}

} // namespace dialogs::mib
