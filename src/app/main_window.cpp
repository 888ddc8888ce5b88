#include "app/main_window.h"

#include "app/change_log/change_log_window.h"
#include "app/main_window_view.h"
#include "app/management_path_reader.h"
#include "app/menu_builder.h"
#include "panel/panel_drawing.h"
#include "panel/panel_resources.h"
#include "panel/port.h"
#include "platform/debug_output.h"
#include "platform/program_folder.h"
#include "platform/prompter.h"
#include "snmp/agent_address.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QApplication>
#include <QProcess>
#include <QMenuBar>
#include <QPainter>

namespace app {
namespace {

constexpr const char* kTemplateCaption = "CorvaneModule";
constexpr const char* kUserIniError = "Read User.ini Error !";

std::unique_ptr<snmp::CCommonSnmp> makeSession(const std::shared_ptr<snmp::Transport>& transport)
{
    return transport ? std::make_unique<snmp::CCommonSnmp>(transport) : std::make_unique<snmp::CCommonSnmp>();
}

// A host name shows the address it was resolved to beside it.
std::string titledAddress(const snmp::SessionParameters& parameters)
{
    const std::string& number = snmp::destinationAddress(parameters);
    if (number == parameters.agentAddress)
        return number;
    return parameters.agentAddress + " (" + number + ")";
}

// Taken into the session parameters before the window exists; the Telnet
// terminal and the browser started from here must not inherit them.
void dropSecretsFromEnvironment()
{
    for (const char* name : {"QMX_READ_COMMUNITY", "QMX_WRITE_COMMUNITY", "QMX_AUTH_PASSPHRASE", "QMX_PRIV_PASSPHRASE"})
        qunsetenv(name);
}

// Another switch gets a process of its own: the session parameters and the
// one-instance guard belong to a process.
void startConnectWindow()
{
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--connect")});
}

} // namespace

CMainWindow::CMainWindow(MainWindowOptions options)
    : m_options(std::move(options)),
      m_cCommonSNMP(makeSession(m_options.transport)),
      m_cCommonSNMPset(makeSession(m_options.transport)),
      m_cCommonSNMPFan(makeSession(m_options.transport)),
      m_cCommonSNMPDevStat(makeSession(m_options.transport)),
      m_cCommonSNMPPoe(makeSession(m_options.transport)),
      m_cCommonSNMPPoeStat(makeSession(m_options.transport))
{
    dropSecretsFromEnvironment();
    setWindowTitle(QString::fromLatin1(kTemplateCaption));
    // Once for the application: every dialog and the About box carry it too.
    QApplication::setWindowIcon(panel::ProgramIcon());

    MainWindowView::Hooks hooks;
    hooks.paintBackground = [this](QPainter& painter) { paintPanel(painter); };
    hooks.paintOverlay = [this](QPainter& painter) { paintIndicators(painter); };
    hooks.portClicked = [this](int place) { onPortClicked(place); };
    hooks.socketClicked = [this] { onSocketClicked(); };
    hooks.toolTip = [this](QPoint point) { return toolTipAt(point); };
    m_view = new MainWindowView(m_root, std::move(hooks), this);
    setCentralWidget(m_view);

    m_blinkTimer.setInterval(kBlinkIntervalMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &CMainWindow::blinkTick);

    std::vector<commands::MenuItem> menu = commands::mainMenu();
    initialisePanel(menu);
    commands::appendWindowCommands(menu);
    // The window's own commands, unless the caller runs them.
    if (!m_options.commands.isEnabled(commands::kCmdQuit))
        m_options.commands.setRunner(commands::kCmdQuit, [this](commands::MainWindowContext&) { close(); }, commands::Dispatch::Direct);
    if (!m_options.commands.isEnabled(commands::kCmdConnectAnother))
        m_options.commands.setRunner(commands::kCmdConnectAnother, [](commands::MainWindowContext&) { startConnectWindow(); }, commands::Dispatch::Direct);
    if (!m_options.commands.isEnabled(commands::kCmdChangeLog))
        m_options.commands.setRunner(commands::kCmdChangeLog, [](commands::MainWindowContext&) { showChangeLogWindow(); }, commands::Dispatch::Direct);
    m_actions = buildMenuBar(*menuBar(), menu, m_options.commands, [this](int id) { runCommand(id); });
    placeWindow();
    if (m_panelLoaded && m_options.readManagementPath)
        startManagementPath();
    if (m_panelLoaded)
        startPolling();
}

CMainWindow::~CMainWindow()
{
    if (m_pathReader && commands::managementPathSource() == m_pathReader)
        commands::setManagementPathSource(nullptr);
    m_pathReader.reset();
    stopPolling();
    closeSessions();
    // The polling object is the walks' context: it goes only now that every
    // session has ended its walk.
    m_polling.reset();
}

bool CMainWindow::initialisePanel(std::vector<commands::MenuItem>& menu)
{
    const std::string iniPath = m_options.userIniPath.empty() ? userIniPath() : m_options.userIniPath;
    DeviceDescription description = readDeviceDescription(iniPath);
    if (description.deviceName.empty()) {
        platform::prompter().inform(kUserIniError, kTemplateCaption);
        return false;
    }
    m_description.deviceName = description.deviceName;
    m_description.portCount = description.portCount;
    if (description.xmlName.empty()) {
        setDeviceDescription(m_description);
        platform::prompter().inform(kUserIniError, kTemplateCaption);
        return false;
    }
    m_description = description;
    setDeviceDescription(m_description);

    // Whatever the loader built before a failure stays; a bad file is an empty panel.
    const std::string panelFile = platform::locateBesideProgram(m_description.xmlName);
    LoadPanelDescription(panelFile, m_root, m_modules, m_bitmapCache.Positions());
    m_background.Load(m_root.PictureFile());
    m_backgroundMode = static_cast<int>(panel::BackgroundMode::Stretch);
    m_bitmapCache.LoadPanelBitmaps();

    m_title = QString::fromStdString(m_description.deviceName + ": " + titledAddress(snmp::sessionParameters()));
    setWindowTitle(m_title);
    commands::retitleAbout(menu, m_description.deviceName);
    if (!isPoeModel(m_description.deviceName))
        commands::pruneNonPoeItems(menu);
    m_panelLoaded = true;
    return true;
}

void CMainWindow::placeWindow()
{
    const QRect panelRect = m_root.Rect();
    if (!m_panelLoaded || panelRect.width() <= 0 || panelRect.height() <= 0)
        return;
    // The client area is WIDTH x HEIGHT; the frame and menu bar come on top.
    m_view->setFixedSize(panelRect.size());
    move(panelRect.topLeft());
}

void CMainWindow::startPolling()
{
    const snmp::SessionParameters& parameters = snmp::sessionParameters();
    m_pollingTarget.reset(new monitor::PollingTarget{
        .state = m_state,
        .fanSession = *m_cCommonSNMPFan,
        .poeSession = *m_cCommonSNMPPoe,
        .devStatSession = *m_cCommonSNMPDevStat,
        .poeStatSession = *m_cCommonSNMPPoeStat,
        .sink = *this,
        .poeModel = isPoeModel(m_description.deviceName),
        .snmpVersion = snmp::sessionVersion(parameters),
        .device = {m_description.portCount, m_description.allGiga},
        .hasFan = m_description.hasFan,
    });
    m_polling = std::make_unique<monitor::CPanelDeviceThread>(
        m_pollingTarget.get(), m_options.pollTimings.value_or(monitor::PollTimings::forVersion(snmp::sessionVersion(parameters))));
    m_polling->start();
}

void CMainWindow::startManagementPath()
{
    m_pathLine = new QLabel(this);
    m_pathLine->setTextFormat(Qt::PlainText);
    m_pathLine->setWordWrap(true); // a long reason takes lines, never the panel's width
    statusBar()->addWidget(m_pathLine, 1);
    m_pathReader = std::make_shared<ManagementPathReader>(m_options.transport, m_description.portCount);
    // Every read shows here, the dialogs' too; a window gone by then is skipped.
    m_pathReader->setObserver([window = QPointer<CMainWindow>(this)](const commands::ManagementPath& path) {
        if (window)
            window->showManagementPath(path);
    });
    commands::setManagementPathSource(m_pathReader);
}

void CMainWindow::showManagementPath(const commands::ManagementPath& path)
{
    m_path = path;
    m_pathLine->setText(pathLine());
    m_view->update();
}

QString CMainWindow::pathLine() const
{
    if (!m_pathLine || (!m_path.known && m_path.unknownWhy.empty()))
        return {};
    if (m_path.known)
        return QString::fromStdString("This computer reaches the switch on port " + std::to_string(m_path.port) +
                                      " (VLAN " + std::to_string(m_path.vlan) + ").");
    return QString::fromStdString("The path from this computer to the switch is unknown: " + m_path.unknownWhy + ".");
}

CPanelElement* CMainWindow::managementPortElement() const
{
    if (!m_path.known || m_path.port < 1 || m_path.port > std::min(m_description.portCount, monitor::kMaxPorts))
        return nullptr;
    const int medium = m_state.mediumTypes[static_cast<std::size_t>(m_path.port - 1)].load();
    const int element = monitor::portElement(m_path.port, medium, {m_description.portCount, m_description.allGiga});
    return m_root.FindNthChild("CPort", element);
}

QString CMainWindow::toolTipAt(QPoint point) const
{
    const CPanelElement* port = managementPortElement();
    return port && port->ScaledRect().contains(point) ? QString::fromLatin1(kManagementPortTip) : QString();
}

void CMainWindow::stopPolling()
{
    if (m_polling)
        m_polling->stop(kStopLimit);
}

void CMainWindow::closeSessions()
{
    platform::debugOutput("==================DestroyWindow===============");
    const std::pair<snmp::CCommonSnmp*, const char*> sessions[] = {
        {m_cCommonSNMP.get(), "m_cCommonSNMP"},       {m_cCommonSNMPset.get(), "m_cCommonSNMPset"},
        {m_cCommonSNMPFan.get(), "m_cCommonSNMPFan"}, {m_cCommonSNMPPoe.get(), "m_cCommonSNMPPoe"},
        {m_cCommonSNMPDevStat.get(), "m_cCommonSNMPDevStat"}, {m_cCommonSNMPPoeStat.get(), "m_cCommonSNMPPoeStat"},
    };
    for (const auto& [session, name] : sessions) {
        session->Close();
        platform::debugOutput(std::string("==================") + name + ".Close===============");
    }
}

void CMainWindow::closeEvent(QCloseEvent* event)
{
    stopPolling();
    QMainWindow::closeEvent(event);
}

void CMainWindow::beginDialog()
{
    hide();
    m_state.dialogOpen.store(true);
    showMinimized();
}

void CMainWindow::endDialog()
{
    m_state.dialogOpen.store(false);
    showNormal();
}

bool CMainWindow::runCommand(int id)
{
    return m_options.commands.run(id, *this);
}

void CMainWindow::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
}

void CMainWindow::blinkTick()
{
    m_view->repaint();
    m_blinkPhase = m_blinkPhase > 0 ? 0 : 1;
}

void CMainWindow::paintPanel(QPainter& painter)
{
    panel::EraseBackground(painter, m_view->rect(), static_cast<panel::BackgroundMode>(m_backgroundMode), m_background,
                           m_root, m_view);
}

void CMainWindow::paintIndicators(QPainter& painter)
{
    if (!m_panelLoaded)
        return;
    const monitor::PortTable ports = monitor::snapshot(m_state);
    const char fanState[] = {m_state.fanState.load(), '\0'};
    panel::DrawModelExtras(painter, m_bitmapCache, m_description.deviceName,
                           {m_state.ledMode.load() == 1, m_state.powerMax.load() != 0, fanState});
    panel::PortIndicatorState indicators;
    indicators.portCount = std::min(m_description.portCount, monitor::kMaxPorts);
    indicators.blinkPhase = m_blinkPhase;
    indicators.portStates = ports.states;
    indicators.mediumTypes = ports.mediumTypes;
    panel::DrawLinkIndicators(painter, m_root, m_bitmapCache, indicators);
    if (const CPanelElement* port = managementPortElement()) {
        painter.setPen(QPen(QColor(255, 170, 0), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(port->ScaledRect().adjusted(1, 1, -1, -1));
    }
}

void CMainWindow::onPortClicked(int)
{
    // Port Configuration runs beside the panel: no hiding, polling goes on.
    m_options.commands.runInPlace(commands::kCmdPortConfiguration, *this);
}

void CMainWindow::onSocketClicked()
{
    m_options.commands.runSocketAction(*this);
}

void CMainWindow::portElementsChanged(std::vector<monitor::ElementStatus> changes, Repaint repaint)
{
    QMetaObject::invokeMethod(
        this,
        [this, changes = std::move(changes), repaint] {
            panel::PanelWindow* portWindow = repaint == Repaint::EachPort ? m_view : nullptr;
            for (const monitor::ElementStatus& change : changes)
                if (auto* port = dynamic_cast<CPort*>(m_root.FindNthChild("CPort", change.element)))
                    port->SetStatus(change.status, portWindow);
            if (repaint == Repaint::Window)
                m_view->update();
            emit panelUpdated();
        },
        Qt::QueuedConnection);
}

void CMainWindow::portElementsLost()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            panel::ResetPortStatuses(m_root);
            m_view->update();
        },
        Qt::QueuedConnection);
}

void CMainWindow::blinkTimerWanted()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_blinkTimer.isActive())
                m_blinkTimer.start();
        },
        Qt::QueuedConnection);
}

void CMainWindow::cycleAnswered(bool answered)
{
    QMetaObject::invokeMethod(
        this,
        [this, answered] {
            // Said where the eye is: the ports only go blank.
            if (answered && m_pathReader && !m_pathAsked) {
                m_pathAsked = true;
                m_pathReader->read([](const commands::ManagementPath&) {}); // shown by the observer
            }
            if (answered)
                m_silentSince.reset();
            else if (!m_silentSince)
                m_silentSince = QTime::currentTime();
            setWindowTitle(m_silentSince ? m_title + " (not answering since " + m_silentSince->toString("HH:mm:ss") + ")"
                                         : m_title);
        },
        Qt::QueuedConnection);
}

} // namespace app
