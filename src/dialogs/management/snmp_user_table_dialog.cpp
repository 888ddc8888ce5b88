#include "dialogs/management/snmp_user_table_dialog.h"

#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs::management {
namespace {

QLineEdit* nameEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(32);
    return edit;
}

QComboBox* combo(const char* name, const std::vector<std::string>& items, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(qTexts(items));
    return box;
}

} // namespace

CSnmpUserTableDialog::CSnmpUserTableDialog(QWidget* parent)
    : CAgentRowsDialog("SNMP User Table ", userHeaders(), kSelectToDelete,
                       {&CSnmpAgentConfig::walkUsers, &CSnmpAgentConfig::userWalk, decodeUserRow, userDeletion}, parent)
{
    m_name = nameEdit("userName", this);
    m_group = nameEdit("groupName", this);
    m_version = combo("version", userVersions(), this);
    m_encrypted = new QCheckBox(QStringLiteral("encrypted"), this);
    m_encrypted->setObjectName(QStringLiteral("encrypted"));
    m_authProtocol = combo("authProtocol", authProtocols(), this);
    m_authPassword = nameEdit("authPassword", this);
    m_privProtocol = combo("privProtocol", privProtocols(), this);
    m_privPassword = nameEdit("privPassword", this);
    for (QLineEdit* password : {m_authPassword, m_privPassword}) {
        password->setMaxLength(64);
        password->setEchoMode(QLineEdit::Password);
    }

    auto* inputs = new QGridLayout;
    inputs->addWidget(captionFor(m_name, QStringLiteral("User Name")), 0, 0);
    inputs->addWidget(m_name, 0, 1);
    inputs->addWidget(captionFor(m_group, QStringLiteral("Group Name")), 0, 2);
    inputs->addWidget(m_group, 0, 3);
    inputs->addWidget(captionFor(m_version, QStringLiteral("SNMP Version")), 1, 0);
    inputs->addWidget(m_version, 1, 1);
    inputs->addWidget(m_encrypted, 1, 2);
    inputs->addWidget(captionFor(m_authProtocol, QStringLiteral("Auth-Protocol")), 2, 0);
    inputs->addWidget(m_authProtocol, 2, 1);
    inputs->addWidget(captionFor(m_authPassword, QStringLiteral("Password")), 2, 2);
    inputs->addWidget(m_authPassword, 2, 3);
    inputs->addWidget(captionFor(m_privProtocol, QStringLiteral("Priv-Protocol")), 3, 0);
    inputs->addWidget(m_privProtocol, 3, 1);
    inputs->addWidget(captionFor(m_privPassword, QStringLiteral("Password")), 3, 2);
    inputs->addWidget(m_privPassword, 3, 3);

    connect(m_version, &QComboBox::currentIndexChanged, this, &CSnmpUserTableDialog::updateControls);
    connect(m_encrypted, &QCheckBox::toggled, this, &CSnmpUserTableDialog::updateControls);
    connect(m_privProtocol, &QComboBox::currentIndexChanged, this, &CSnmpUserTableDialog::updateControls);
    updateControls();
    finishLayout(inputs);
}

void CSnmpUserTableDialog::updateControls()
{
    const UserControls controls = userControls(textOf(m_version->currentText()), m_encrypted->isChecked(),
                                               textOf(m_privProtocol->currentText()));
    m_encrypted->setEnabled(controls.encrypted);
    m_authProtocol->setEnabled(controls.protocols);
    m_privProtocol->setEnabled(controls.protocols);
    m_authPassword->setEnabled(controls.authPassword);
    m_privPassword->setEnabled(controls.privPassword);
}

UserInput CSnmpUserTableDialog::input() const
{
    UserInput in;
    in.name = textOf(m_name->text());
    in.group = textOf(m_group->text());
    in.version = textOf(m_version->currentText());
    // A box the version disabled does not count.
    in.encrypted = m_encrypted->isChecked() && m_encrypted->isEnabled();
    in.authProtocol = textOf(m_authProtocol->currentText());
    in.authPassword = textOf(m_authPassword->text());
    in.privProtocol = in.encrypted ? textOf(m_privProtocol->currentText()) : "None";
    in.privPassword = textOf(m_privPassword->text());
    return in;
}

void CSnmpUserTableDialog::apply()
{
    const UserInput in = input();
    const UserCheck check = checkUser(in, m_rows);
    if (!check.message.empty()) {
        platform::prompter().warn(check.message, {});
        QLineEdit* focus = check.focus == UserCheck::Focus::AuthPassword ? m_authPassword
                         : check.focus == UserCheck::Focus::PrivPassword ? m_privPassword
                                                                         : nullptr;
        if (focus) {
            focus->setFocus();
            focus->selectAll();
        }
        return;
    }
    create(m_agent.createUser(in, m_created));
}

void CSnmpUserTableDialog::resetInputs()
{
    for (QLineEdit* edit : {m_name, m_group, m_authPassword, m_privPassword})
        edit->clear();
    m_version->setCurrentIndex(0);
    m_authProtocol->setCurrentIndex(0);
    m_privProtocol->setCurrentIndex(0);
    m_encrypted->setChecked(false);
    updateControls();
}

} // namespace dialogs::management
