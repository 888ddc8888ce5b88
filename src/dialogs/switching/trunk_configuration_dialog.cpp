#include "dialogs/switching/trunk_configuration_dialog.h"

#include "dialogs/switching/trunk_member_dialog.h"
#include "dialogs/switching/trunk_rules.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>
#include <memory>

namespace dialogs::switching {

CTrunkConfigurationDialog::CTrunkConfigurationDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_stateRead(declareRead("link aggregation state", trunkStateRead())),
      m_tableRead(declareRead("aggregated links", trunkTableRead()))
{
    auto* table = new QGroupBox(QStringLiteral("Trunk Information"), this);
    m_list = newListView(trunkListHeaders(), table);
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(m_list);

    m_trunkId = new QLineEdit(this);
    m_trunkId->setObjectName(QStringLiteral("trunkId"));
    m_trunkId->setReadOnly(true);
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("mode"));
    m_mode->addItems(qTexts(channelModeItems()));
    m_portMember = pushButton(QStringLiteral("&PortMember"), "portMember", this);
    m_applyMode = pushButton(QStringLiteral("&Apply"), "applyMode", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);

    auto* status = new QGroupBox(QStringLiteral("Trunk status"), this);
    m_enable = new QCheckBox(status);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_applyState = pushButton(QStringLiteral("&Apply"), "applyState", status);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->addWidget(m_enable);
    statusLayout->addWidget(captionFor(m_enable, QStringLiteral("Enable Trunk")));
    statusLayout->addStretch();
    statusLayout->addWidget(m_applyState);

    auto* fields = new QGridLayout;
    fields->addWidget(captionFor(m_trunkId, QStringLiteral("Trunk ID:")), 0, 0);
    fields->addWidget(m_trunkId, 0, 1);
    fields->addWidget(captionFor(m_mode, QStringLiteral("PortChannelMode:")), 1, 0);
    fields->addWidget(m_mode, 1, 1);
    fields->addWidget(m_applyMode, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_portMember);
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(fields);
    layout->addWidget(status);
    layout->addLayout(buttons);

    // The fields follow the current row however it moved (click or keys).
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { showRow(item); });
    connect(m_applyState, &QPushButton::clicked, this, &CTrunkConfigurationDialog::applyState);
    connect(m_applyMode, &QPushButton::clicked, this, &CTrunkConfigurationDialog::applyMode);
    connect(m_portMember, &QPushButton::clicked, this, &CTrunkConfigurationDialog::openPortMember);
    connect(m_refresh, &QPushButton::clicked, this, &CTrunkConfigurationDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("Trunk Configuration"));
    m_portMember->setEnabled(false);
    m_applyState->setEnabled(false);
    // The state box is written back as read; a mode or member change names a listed link.
    // The path checks read the links as far as they were read: the state is
    // written back also when the link table failed.
    m_pathRead = readManagementPath([this] { refresh(); });
    needs(m_applyState, {m_stateRead, m_pathRead});
    needs(m_applyMode, {m_stateRead, m_tableRead, m_pathRead});
    needs(m_portMember, {m_stateRead, m_tableRead});
    waitsFor(m_refresh, {m_stateRead, m_tableRead, m_pathRead});
}

void CTrunkConfigurationDialog::refresh()
{
    // The table walk follows the state's answer, as the switch always saw them.
    startGet(
        m_cCommonSNMP, trunkStateRead(),
        [this](int status, const std::vector<std::string>& values) {
            if (status == snmp::kStatusOk && !values.empty()) {
                const std::optional<bool> enabled = decodeTrunkState(values[0]);
                m_stateDecoded = enabled.has_value();
                m_stateEnabled = enabled.value_or(false);
                m_enable->setChecked(enabled.value_or(false));
                m_portMember->setEnabled(enabled.value_or(false));
            }
            m_applyState->setEnabled(m_stateDecoded);

            m_list->clear();
            m_rows.clear();
            m_partialLinks.clear();
            startWalk(
                m_cCommonSNMPTable, trunkTableRead(),
                [this](const WalkRow& row) {
                    const std::optional<TrunkRow> link = decodeTrunkRow(row, m_portCount);
                    if (!link)
                        return;
                    appendRow(m_list, {link->id, link->mode, link->members});
                    m_rows.push_back(*link);
                    if (link->partial)
                        m_partialLinks.insert(link->id);
                },
                {}, m_tableRead);
        },
        m_stateRead);
}

void CTrunkConfigurationDialog::showRow(QTreeWidgetItem* item)
{
    if (!item)
        return;
    m_trunkId->setText(item->text(0));
    const int mode = m_mode->findText(item->text(1));
    if (mode >= 0)
        m_mode->setCurrentIndex(mode);
    m_members = textOf(item->text(2));
}

bool CTrunkConfigurationDialog::setThenRefresh(const Bindings& bindings, int pauseMs)
{
    auto status = std::make_shared<int>(-1);
    return runWrite(
        [&session = m_cCommonSNMPSet, bindings, pauseMs, status](WriteContext& write) {
            *status = write.set(session, bindings);
            if (*status == snmp::kStatusOk)
                write.pause(std::chrono::milliseconds(pauseMs));
        },
        [this, status] {
            if (*status == snmp::kStatusOk)
                refresh();
        });
}

bool CTrunkConfigurationDialog::keepsPath(const Bindings& bindings) const
{
    // A state not understood counts as on: a mode change then asks.
    const std::string cut = trunkPathCut(managementPath(), m_rows, m_stateEnabled || !m_stateDecoded, bindings);
    return cut.empty() || acceptPathCut(managementPath(), cut);
}

bool CTrunkConfigurationDialog::applyState()
{
    if (!readsWhole({m_stateRead, m_pathRead}) || !m_stateDecoded)
        return false;
    const Bindings bindings = trunkStateSet(m_enable->isChecked());
    return keepsPath(bindings) && setThenRefresh(bindings, 10);
}

bool CTrunkConfigurationDialog::applyMode()
{
    if (!readsWhole({m_stateRead, m_tableRead, m_pathRead}))
        return false;
    const std::string id = textOf(m_trunkId->text());
    if (const std::string message = checkTrunkId(id); !message.empty()) {
        platform::prompter().warn(message, {});
        m_trunkId->setFocus();
        m_trunkId->selectAll();
        return false;
    }
    if (id.empty())
        return false;
    const Bindings bindings = trunkModeSet(id, textOf(m_mode->currentText()));
    return keepsPath(bindings) && setThenRefresh(bindings, 50);
}

void CTrunkConfigurationDialog::openPortMember()
{
    if (!readsWhole({m_stateRead, m_tableRead}))
        return;
    const std::string id = textOf(m_trunkId->text());
    const std::string mode = textOf(m_mode->currentText());
    std::string message = checkPortMemberOpen(id, mode);
    if (message.empty() && m_partialLinks.count(id))
        message = kPartialMembers;
    if (!message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    CTrunkMemberDialog member(id, mode, m_members, m_portCount, this);
    if (member.exec() == QDialog::Accepted)
        refresh();
}

} // namespace dialogs::switching
