#include "dialogs/management/snmp_community_table_dialog.h"

#include "dialogs/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace dialogs::management {

CSnmpCommunityTableDialog::CSnmpCommunityTableDialog(QWidget* parent)
    : CAgentRowsDialog("SNMP Community Table Configuration", communityHeaders(), kSelectToDelete,
                       {&CSnmpAgentConfig::walkCommunities, &CSnmpAgentConfig::communityWalk, decodeCommunityRow, communityDeletion}, parent)
{
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("communityName"));
    m_name->setMaxLength(32);
    m_user = new QComboBox(this);
    m_user->setObjectName(QStringLiteral("user"));
    // The user combo offers what this walk read.
    m_userRead = declareRead("SNMP users", CSnmpAgentConfig::userWalk());
    applyNeeds(m_userRead);
    auto* inputs = new QGridLayout;
    inputs->addWidget(captionFor(m_name, QStringLiteral("Community Name ")), 0, 0);
    inputs->addWidget(m_name, 0, 1);
    inputs->addWidget(captionFor(m_user, QStringLiteral("User Name (View Policy)")), 1, 0);
    inputs->addWidget(m_user, 1, 1);
    finishLayout(inputs);
}

void CSnmpCommunityTableDialog::tableWalkEnded()
{
    m_agent.walkUsers(
        [this](const WalkRow& row) {
            const auto user = viewPolicyUser(row);
            if (user && m_user->findText(QString::fromStdString(*user), Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
                m_user->addItem(QString::fromStdString(*user));
        },
        [this] { m_user->setCurrentIndex(m_user->count() > 0 ? 0 : -1); }, m_userRead);
}

void CSnmpCommunityTableDialog::apply()
{
    const std::string name = textOf(m_name->text());
    if (passes(checkCommunity(name, m_rows)))
        create(m_agent.createCommunity(name, textOf(m_user->currentText()), m_created));
}

void CSnmpCommunityTableDialog::resetInputs()
{
    m_name->clear();
    m_user->setCurrentIndex(m_user->count() > 0 ? 0 : -1);
}

} // namespace dialogs::management
