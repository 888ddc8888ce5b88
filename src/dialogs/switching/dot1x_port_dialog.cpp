#include "dialogs/switching/dot1x_port_dialog.h"

#include "dialogs/port_range_control.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>

namespace dialogs::switching {
namespace {

constexpr int kControlAuto = 1;

} // namespace

CDot1xPortDialog::CDot1xPortDialog(int portCount, Dot1xTimerTexts timers, QWidget* parent)
    : CDialogBase(parent),
      m_timers(std::move(timers)),
      m_controls(static_cast<std::size_t>(std::max(portCount, 0)), 0),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTableTrunkInfo(addSession("m_cCommonSNMPTableTrunkInfo")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead())),
      m_portRead(declareRead("802.1X ports", dot1xPortRead()))
{
    m_range = new CPortRangeControl(QStringLiteral("From Port:"), QStringLiteral("To Port:"), portCount, this);
    m_control = new QComboBox(this);
    m_control->setObjectName(QStringLiteral("control"));
    m_control->addItems(qTexts(dot1xControlItems()));
    m_list = newListView(dot1xPortHeaders(), this);
    m_apply = pushButton(QStringLiteral("Apply"), "apply", this);
    QPushButton* cancel = pushButton(QStringLiteral("Cancel"), "cancel", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);

    auto* settings = new QHBoxLayout;
    settings->addWidget(m_range);
    settings->addWidget(captionFor(m_control, QStringLiteral("Control:")));
    settings->addWidget(m_control);
    settings->addStretch();
    settings->addWidget(m_apply);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_apply, &QPushButton::clicked, this, &CDot1xPortDialog::apply);
    connect(m_refresh, &QPushButton::clicked, this, &CDot1xPortDialog::reread);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("802.1X Port Configuration"));
    m_range->setRange(1, portCount);
    m_control->setCurrentIndex(kControlAuto);
    // A port the walk did not reach would count as neither auto nor
    // forceUnauthorized and let a range lock every port out.
    m_pathRead = readManagementPath([this] { reread(); });
    needs(m_apply, {m_linkRead, m_portRead, m_pathRead});
    waitsFor(m_refresh, {m_linkRead, m_portRead, m_pathRead});
}

void CDot1xPortDialog::reread()
{
    if (readState(m_linkRead) == ReadState::Whole)
        refresh();
    else
        readAggregatedLinks(m_cCommonSNMPTableTrunkInfo, m_links, [this] { refresh(); }, m_linkRead);
}

void CDot1xPortDialog::refresh()
{
    m_list->clear();
    startWalk(
        m_cCommonSNMPTable, dot1xPortRead(),
        [this](const WalkRow& row) {
            const Dot1xPortRow decoded = decodeDot1xPort(row, m_timers);
            appendRow(m_list, decoded.texts);
            if (decoded.port >= 1 && decoded.port <= static_cast<int>(m_controls.size()))
                m_controls[static_cast<std::size_t>(decoded.port - 1)] = decoded.control;
        },
        {}, m_portRead);
}

void CDot1xPortDialog::apply()
{
    if (!readsWhole({m_linkRead, m_portRead, m_pathRead}))
        return;
    const int from = m_range->from();
    const int to = m_range->to();
    const int control = m_control->currentIndex() + 1;
    if (const std::string message = checkDot1xPorts(from, to, control, m_controls, m_links); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    const std::vector<Bindings> batches = dot1xPortBatches(from, to, control);
    if (const std::string cut = dot1xPortPathCut(managementPath(), batches, m_controls);
        !cut.empty() && !acceptPathCut(managementPath(), cut))
        return;
    runWrite(
        [&session = m_cCommonSNMP, batches, total = to - from + 1](WriteContext& write) {
            int written = 0;
            for (const Bindings& batch : batches) {
                written += static_cast<int>(batch.size());
                write.progress(written, total, "port");
                write.setByGetNext(session, batch);
                if (batch.size() == kDot1xBatch)
                    write.pause(std::chrono::milliseconds(100));
            }
        },
        [this] { refresh(); });
}

} // namespace dialogs::switching
