#include "dialogs/switching/vlan_configuration_dialog.h"

#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>
#include <memory>

namespace dialogs::switching {
namespace {

// Shows why a choice stops, if it does.
bool proceeds(const VlanChoice& choice)
{
    if (choice.vid > 0)
        return true;
    if (choice.inform)
        platform::prompter().inform(choice.message, {});
    else if (!choice.message.empty())
        platform::prompter().warn(choice.message, {});
    return false;
}

} // namespace

CVlanConfigurationDialog::CVlanConfigurationDialog(int portCount, bool vlanEdit, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_vlanEdit(vlanEdit),
      m_pvids(static_cast<std::size_t>(std::max(portCount, 0)), 1),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_cCommonSNMPVoiceVlan(addSession("m_cCommonSNMPVoiceVlan")),
      m_cCommonSNMPTableVlan(addSession("m_cCommonSNMPTableVlan")),
      m_cCommonSNMPTableVlanDelete(addSession("m_cCommonSNMPTableVlanDelete")),
      m_asymmetricRead(declareRead("asymmetric VLAN flag", asymmetricRead())),
      m_voiceRead(declareRead("voice and surveillance VLANs", voiceSurveillanceRead())),
      m_pvidRead(declareRead("PVIDs", pvidRead())),
      m_vlanRead(declareRead("VLAN table", vlanTableRead()))
{
    m_list = newListView(vlanHeaders(), this);
    int column = 0;
    for (const int width : {80, 120, 100, 220, 220})
        m_list->setColumnWidth(column++, width);
    m_pvid = pushButton(QStringLiteral("&PVID"), "pvid", this);
    m_add = pushButton(QStringLiteral("&Add"), "add", this);
    m_edit = pushButton(QStringLiteral("&Edit"), "edit", this);
    m_delete = pushButton(QStringLiteral("&Delete"), "delete", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_close = pushButton(QStringLiteral("&Close"), "close", this);
    auto* asymmetricGroup = new QGroupBox(QStringLiteral("802.1Q Asymmetric VLAN Configuration "), this);
    m_asymmetric = new QCheckBox(QStringLiteral("Enable Asymmetric VLAN"), asymmetricGroup);
    m_asymmetric->setObjectName(QStringLiteral("asymmetric"));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", asymmetricGroup);

    connect(m_pvid, &QPushButton::clicked, this, &CVlanConfigurationDialog::openPvid);
    connect(m_add, &QPushButton::clicked, this, &CVlanConfigurationDialog::add);
    connect(m_edit, &QPushButton::clicked, this, &CVlanConfigurationDialog::edit);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { edit(); });
    connect(m_delete, &QPushButton::clicked, this, &CVlanConfigurationDialog::remove);
    connect(m_refresh, &QPushButton::clicked, this, &CVlanConfigurationDialog::refresh);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CVlanConfigurationDialog::applyAsymmetric);

    auto* asymmetricRow = new QHBoxLayout(asymmetricGroup);
    asymmetricRow->addWidget(m_asymmetric);
    asymmetricRow->addStretch();
    asymmetricRow->addWidget(m_apply);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_pvid, m_add, m_edit, m_delete, m_refresh})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(asymmetricGroup);
    layout->addLayout(buttons);
    resize(780, 400);
    setWindowTitle(QStringLiteral("802.1Q VLAN Configuration"));

    // The list and the checks each action makes must have been read whole.
    needs(m_add, {m_vlanRead, m_asymmetricRead});
    needs(m_edit, {m_vlanRead, m_asymmetricRead});
    needs(m_pvid, {m_vlanRead, m_asymmetricRead}); // the PVID and VLAN walks follow the flag
    m_pathRead = readManagementPath([this] { refresh(); });
    needs(m_delete, {m_vlanRead, m_pvidRead, m_voiceRead, m_asymmetricRead, m_pathRead});
    needs(m_apply, {m_asymmetricRead, m_voiceRead});
    waitsFor(m_refresh, {m_asymmetricRead, m_voiceRead, m_pvidRead, m_vlanRead, m_pathRead});
    keepEditingOff();
}

void CVlanConfigurationDialog::keepEditingOff()
{
    if (m_vlanEdit)
        return;
    for (QPushButton* button : {m_add, m_edit, m_delete, m_pvid})
        button->setEnabled(false);
}

void CVlanConfigurationDialog::readAsymmetric(std::function<void()> then)
{
    startGet(
        m_cCommonSNMP, asymmetricRead(),
        [this, then = std::move(then)](int status, const std::vector<std::string>& values) {
            if (status == snmp::kStatusOk)
                m_asymmetric->setChecked(asymmetricEnabled(values));
            keepEditingOff();
            if (then)
                then();
        },
        m_asymmetricRead);
}

void CVlanConfigurationDialog::refresh()
{
    startWalk(m_cCommonSNMPVoiceVlan, voiceSurveillanceRead(),
              [this](const WalkRow& row) { m_voiceSurveillance = decodeVoiceSurveillance(row); }, {}, m_voiceRead);
    m_vlans.clear();
    // The PVID and VLAN walks follow the flag's answer, as the switch always saw them.
    readAsymmetric([this] { walkPvidsAndVlans(); });
}

void CVlanConfigurationDialog::walkPvidsAndVlans()
{
    std::fill(m_pvids.begin(), m_pvids.end(), 1);
    m_pvidsRead = 0;
    startWalk(m_cCommonSNMPTable, pvidRead(), [this](const WalkRow& row) {
        if (m_pvidsRead >= m_portCount)
            return;
        if (const auto pvid = decodePvid(row))
            m_pvids[static_cast<std::size_t>(m_pvidsRead)] = *pvid;
        ++m_pvidsRead;
    }, {}, m_pvidRead);
    m_list->clear();
    startWalk(
        m_cCommonSNMPTableVlan, vlanTableRead(),
        [this](const WalkRow& row) {
            if (const auto entry = decodeVlanRow(row, m_portCount)) {
                appendRow(m_list, vlanRowTexts(*entry));
                m_vlans.push_back(*entry);
            }
        },
        [this] { keepEditingOff(); }, m_vlanRead);
}

void CVlanConfigurationDialog::applyAsymmetric()
{
    if (const std::string refusal = checkAsymmetric(m_voiceSurveillance); !refusal.empty()) {
        platform::prompter().warn(refusal, {});
        readAsymmetric();
        return;
    }
    if (!platform::prompter().askOkCancel(kAsymmetricQuestion, {}))
        return;
    auto written = std::make_shared<bool>(false);
    runWrite(
        [&session = m_cCommonSNMP, bindings = asymmetricSet(m_asymmetric->isChecked()), written](WriteContext& write) {
            *written = write.setByGetNext(session, bindings) == snmp::kStatusOk;
            if (*written)
                write.pause(std::chrono::milliseconds(50));
        },
        [this, written] {
            if (*written)
                refresh();
        });
}

int CVlanConfigurationDialog::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

std::string CVlanConfigurationDialog::selectedVid() const
{
    const int row = selectedRow();
    return row < 0 ? std::string() : textOf(m_list->topLevelItem(row)->text(0));
}

void CVlanConfigurationDialog::add()
{
    if (const std::string refusal = checkAdd(m_list->topLevelItemCount()); !refusal.empty()) {
        platform::prompter().warn(refusal, {});
        return;
    }
    openEntry(true, 0);
}

void CVlanConfigurationDialog::edit()
{
    if (!m_edit->isEnabled())
        return;
    const VlanChoice choice = checkEdit(m_list->topLevelItemCount(), selectedRow(), selectedVid());
    if (!proceeds(choice))
        return;
    openEntry(false, choice.vid);
}

void CVlanConfigurationDialog::openEntry(bool addMode, int vid)
{
    CVlanEntryDialog entry(addMode, m_portCount, m_vlans, vid, m_asymmetric->isChecked(), this);
    if (entry.exec() == QDialog::Accepted)
        refresh();
}

void CVlanConfigurationDialog::remove()
{
    const VlanChoice choice = checkDelete(m_list->topLevelItemCount(), selectedRow(), selectedVid(),
                                          m_asymmetric->isChecked(), m_pvids, m_voiceSurveillance);
    if (!proceeds(choice))
        return;
    const Bindings bindings = vlanDeleteSet(choice.vid);
    if (const std::string cut = vlanDeletePathCut(managementPath(), bindings);
        !cut.empty() && !acceptPathCut(managementPath(), cut))
        return;
    auto deleted = std::make_shared<bool>(false);
    runWrite(
        [&session = m_cCommonSNMPTableVlanDelete, bindings, deleted](WriteContext& write) {
            *deleted = write.setByGetNext(session, bindings) == snmp::kStatusOk;
        },
        [this, deleted] {
            if (*deleted)
                refresh();
        });
}

void CVlanConfigurationDialog::openPvid()
{
    CPvidDialog pvid(m_portCount, m_vlans, this);
    pvid.exec();
    refresh();
}

} // namespace dialogs::switching
