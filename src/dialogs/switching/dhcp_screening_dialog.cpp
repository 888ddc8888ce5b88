#include "dialogs/switching/dhcp_screening_dialog.h"

#include "dialogs/port_range_control.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs::switching {

CDhcpScreeningDialog::CDhcpScreeningDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_states(static_cast<std::size_t>(std::max(portCount, 0)), kScreeningDisabled),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead())),
      m_stateRead(declareRead("DHCP screening ports", dhcpScreeningRead()))
{
    m_list = newListView({"Port", "State"}, this);
    m_list->setColumnWidth(0, 100);
    m_list->setColumnWidth(1, 400);
    m_range = new CPortRangeControl(QStringLiteral("From Port"), QStringLiteral("To Port"), portCount, this);
    m_state = new QComboBox(this);
    m_state->setObjectName(QStringLiteral("state"));
    m_state->addItems(qTexts(dhcpScreeningStateItems()));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);

    auto* settings = new QHBoxLayout;
    settings->addWidget(m_range);
    settings->addWidget(captionFor(m_state, QStringLiteral("State")));
    settings->addWidget(m_state);
    settings->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_refresh);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(settings);
    layout->addLayout(buttons);

    connect(m_apply, &QPushButton::clicked, this, &CDhcpScreeningDialog::apply);
    connect(m_refresh, &QPushButton::clicked, this, &CDhcpScreeningDialog::refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("DHCP Server Screening Port Settings"));
    resize(560, 420);
    m_range->setRange(1, portCount);
    m_state->setCurrentIndex(0);
    needs(m_apply, {m_linkRead, m_stateRead});
    waitsFor(m_refresh, {m_linkRead, m_stateRead});
    readAggregatedLinks(m_cCommonSNMPTable, m_links, [this] { refresh(); }, m_linkRead);
}

void CDhcpScreeningDialog::refresh()
{
    startGet(
        m_cCommonSNMP, dhcpScreeningRead(),
        [this](int status, const std::vector<std::string>& values) {
            // A failed or garbled read leaves the states as they were, and Apply off.
            const auto states = status == snmp::kStatusOk ? decodeDhcpScreening(values, m_portCount) : std::nullopt;
            m_statesDecoded = states.has_value();
            if (states)
                m_states = *states;
            showStates();
            m_apply->setEnabled(m_statesDecoded);
        },
        m_stateRead);
}

void CDhcpScreeningDialog::showStates()
{
    m_list->clear();
    for (std::size_t i = 0; i < m_states.size(); ++i)
        appendRow(m_list, {std::to_string(i + 1), dhcpScreeningStateText(m_states[i])});
}

void CDhcpScreeningDialog::apply()
{
    if (!readsWhole({m_linkRead, m_stateRead}) || !m_statesDecoded)
        return;
    const int state = m_state->currentIndex() == 1 ? kScreeningEnabled : kScreeningDisabled;
    DhcpScreeningChange change = changeDhcpScreening(m_states, m_range->from(), m_range->to(), state, m_links);
    if (!change.refusal.empty()) {
        platform::prompter().warn(change.refusal, {});
        return;
    }
    m_states = std::move(change.states);
    runWrite([&session = m_cCommonSNMP, bindings = dhcpScreeningSet(m_states, m_portCount)](
                 WriteContext& write) { write.set(session, bindings); },
             [this] { refresh(); });
}

} // namespace dialogs::switching
