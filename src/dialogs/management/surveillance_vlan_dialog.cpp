#include "dialogs/management/surveillance_vlan_dialog.h"

#include "dialogs/text_number.h"
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

namespace dialogs::management {
namespace {

constexpr int kMacColumn = 3;

QLineEdit* lineEdit(const char* name, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    return edit;
}

QComboBox* comboBox(const char* name, const std::vector<std::string>& items, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(qTexts(items));
    return combo;
}

} // namespace

CSurveillanceVlanDialog::CSurveillanceVlanDialog(QWidget* parent)
    : CDialogBase(parent),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMPGet(addSession("m_cCommonSNMPGet")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_vlanRead(declareRead("VLAN IDs", surveillanceVlanWalk())),
      m_globalRead(declareRead("surveillance VLAN settings", surveillanceGlobalRead())),
      m_ouiRead(declareRead("surveillance OUIs", ouiWalk()))
{
    auto* global = new QGroupBox(QStringLiteral("Auto Surveillance VLAN Global Settings"), this);
    m_enable = new QCheckBox(QStringLiteral("Enable Auto Surveillance VLAN"), global);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_vlan = comboBox("vlan", {}, global);
    m_priority = comboBox("priority", surveillancePriorityItems(), global);
    m_priority->setCurrentIndex(kDefaultSurveillancePriority);
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", global);
    auto* globalGrid = new QGridLayout(global);
    globalGrid->addWidget(m_enable, 0, 0, 1, 2);
    globalGrid->addWidget(captionFor(m_vlan, QStringLiteral("Vlan ID")), 1, 0);
    globalGrid->addWidget(m_vlan, 1, 1);
    globalGrid->addWidget(captionFor(m_priority, QStringLiteral("Priority")), 2, 0);
    globalGrid->addWidget(m_priority, 2, 1);
    globalGrid->addWidget(m_apply, 2, 2);

    auto* user = new QGroupBox(QStringLiteral("User-defined MAC Settings "), this);
    m_componentType = comboBox("componentType", componentTypeItems(), user);
    m_description = lineEdit("description", kOuiDescriptionMaxLength, user);
    m_mac = lineEdit("mac", kOuiMacMaxLength, user);
    m_add = pushButton(QStringLiteral("&Add"), "add", user);
    m_list = newListView(ouiHeaders(), user);
    m_list->setObjectName(QStringLiteral("list"));
    auto* userGrid = new QGridLayout(user);
    userGrid->addWidget(captionFor(m_componentType, QStringLiteral("Component Type ")), 0, 0);
    userGrid->addWidget(m_componentType, 0, 1);
    userGrid->addWidget(captionFor(m_description, QStringLiteral("Description")), 1, 0);
    userGrid->addWidget(m_description, 1, 1);
    userGrid->addWidget(captionFor(m_mac, QStringLiteral("MAC Address(XX-XX-XX-XX-XX-XX)")), 2, 0);
    userGrid->addWidget(m_mac, 2, 1);
    userGrid->addWidget(m_add, 2, 2);
    userGrid->addWidget(new QLabel(QStringLiteral("Note:Maximum user defined OUI:5"), user), 3, 0, 1, 3);
    userGrid->addWidget(m_list, 4, 0, 1, 3);

    m_delete = pushButton(QStringLiteral("&Delete"), "delete", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_enable, &QCheckBox::toggled, this, &CSurveillanceVlanDialog::enableEditing);
    connect(m_apply, &QPushButton::clicked, this, &CSurveillanceVlanDialog::apply);
    connect(m_add, &QPushButton::clicked, this, &CSurveillanceVlanDialog::add);
    connect(m_delete, &QPushButton::clicked, this, &CSurveillanceVlanDialog::remove);
    connect(m_refresh, &QPushButton::clicked, this, &CSurveillanceVlanDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(global);
    layout->addWidget(user);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("Auto Surveillance VLAN Settings"));
    // Apply writes the VLAN and priority shown; Add checks the listed OUIs
    // and follows the state read; Delete picks a listed OUI.
    needs(m_apply, {m_vlanRead, m_globalRead});
    needs(m_add, {m_globalRead, m_ouiRead});
    needs(m_delete, {m_ouiRead});
    waitsFor(m_refresh, {m_vlanRead, m_globalRead, m_ouiRead});
    enableEditing(false);
    refresh();
}

void CSurveillanceVlanDialog::enableEditing(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(m_priority), static_cast<QWidget*>(m_vlan),
                             static_cast<QWidget*>(m_componentType), static_cast<QWidget*>(m_description),
                             static_cast<QWidget*>(m_mac)})
        control->setEnabled(enabled);
    m_add->setEnabled(enabled);
}

void CSurveillanceVlanDialog::refresh()
{
    // Until an answer shows the switch's VLAN and priority, Apply has nothing of its own to write.
    m_apply->setEnabled(false);
    m_vlan->clear();
    startWalk(
        m_cCommonSNMPTable, surveillanceVlanWalk(),
        [this](const WalkRow& row) {
            if (isWholeNumber(row.values[0]))
                m_vlan->addItem(QString::fromStdString(row.values[0]));
        },
        [this] { readGlobals(); }, m_vlanRead);
}

void CSurveillanceVlanDialog::readGlobals()
{
    startWalk(m_cCommonSNMP, surveillanceGlobalRead(), [this](const WalkRow& row) { showGlobals(row); },
              [this] { walkOuis(); }, m_globalRead);
}

void CSurveillanceVlanDialog::showGlobals(const WalkRow& row)
{
    const auto global = decodeSurveillanceGlobal(row);
    if (!global)
        return;
    m_enable->setChecked(global->enabled);
    enableEditing(global->enabled);
    // A VLAN the filtering table does not list is shown as read, so that
    // Apply writes it back rather than a VLAN nobody chose.
    const QString vlanId = QString::fromStdString(global->vlanId);
    if (m_vlan->findText(vlanId, Qt::MatchExactly) < 0)
        m_vlan->addItem(vlanId);
    m_vlan->setCurrentIndex(m_vlan->findText(vlanId, Qt::MatchExactly));
    m_apply->setEnabled(true);
    if (global->priority >= 0)
        m_priority->setCurrentIndex(global->priority);
}

void CSurveillanceVlanDialog::walkOuis()
{
    m_list->clear();
    startWalk(
        m_cCommonSNMPTable, ouiWalk(),
        [this](const WalkRow& row) {
            if (const auto oui = decodeOuiRow(row))
                appendRow(m_list, {std::to_string(m_list->topLevelItemCount()), oui->componentType,
                                   oui->description, oui->mac});
        },
        [this] { emit refreshed(); }, m_ouiRead);
}

std::vector<std::string> CSurveillanceVlanDialog::listedMacs() const
{
    std::vector<std::string> macs;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        macs.push_back(textOf(m_list->topLevelItem(i)->text(kMacColumn)));
    return macs;
}

void CSurveillanceVlanDialog::apply()
{
    if (!m_apply->isEnabled())
        return;
    if (const std::string message = checkSurveillanceVlanChoice(m_enable->isChecked(), textOf(m_vlan->currentText()));
        !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    // The conflict check reads the switch right before the set: both run off
    // this thread, the refusal's message between them.
    const std::string vlanId = textOf(m_vlan->currentText());
    runWrite(
        [&get = m_cCommonSNMPGet, &set = m_cCommonSNMPSet, vlanId,
         bindings = surveillanceGlobalSet(m_enable->isChecked(), vlanId, m_priority->currentIndex())](WriteContext& write) {
            std::vector<std::string> others;
            // Unchecked, the set could make the voice VLAN's ID the surveillance VLAN's.
            if (write.get(get, surveillanceConflictRead(), &others) != snmp::kStatusOk) {
                write.warn(kSwitchUnread);
                return;
            }
            if (const std::string message = checkSurveillanceApply(others, vlanId); !message.empty()) {
                write.warn(message);
                return;
            }
            write.set(set, bindings);
            write.pause(std::chrono::milliseconds(kSurveillanceSettleMs));
        },
        [this] { refresh(); });
}

void CSurveillanceVlanDialog::add()
{
    if (!readsWhole({m_globalRead, m_ouiRead}))
        return;
    const std::string description = textOf(m_description->text());
    const std::string mac = textOf(m_mac->text());
    if (const std::string message = checkOuiAdd(description, mac, listedMacs()); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    runWrite(
        [&session = m_cCommonSNMPSet, create = ouiCreate(mac),
         columns = ouiColumnsSet(mac, description, m_componentType->currentIndex())](WriteContext& write) {
            write.set(session, create);
            write.pause(std::chrono::milliseconds(kSurveillanceSettleMs));
            write.set(session, columns);
            write.pause(std::chrono::milliseconds(kSurveillanceSettleMs));
        },
        [this] {
            refresh();
            m_description->clear();
            m_mac->clear();
        });
}

void CSurveillanceVlanDialog::remove()
{
    if (!readsWhole({m_ouiRead}))
        return;
    const QTreeWidgetItem* selected = m_list->currentItem();
    std::optional<std::string> mac;
    if (selected && selected->isSelected())
        mac = textOf(selected->text(kMacColumn));
    if (const std::string message = checkOuiDelete(mac); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    runWrite(
        [&session = m_cCommonSNMPSet, destroy = ouiDestroy(*mac)](WriteContext& write) {
            write.set(session, destroy);
            write.pause(std::chrono::milliseconds(kSurveillanceSettleMs));
        },
        [this] { refresh(); });
}

} // namespace dialogs::management
