#include "panel_test_support.h"

#include "panel/lamp.h"
#include "panel/panel_drawing.h"
#include "panel/port.h"

#include <gtest/gtest.h>

namespace {

using panel::CursorShape;
using namespace panel_test;

// A lamp of `type` inside a port or socket, watching it.
template <typename Owner>
CLamp* AddLamp(Owner& owner, int type)
{
    CLamp* lamp = Add<CLamp>(owner, 0, 0, 6, 4);
    lamp->SetType(type);
    owner.Attach(lamp);
    return lamp;
}

TEST(PanelElements, HitTestScalesToTheClientAreaAndKeepsTwoPixelMargins)
{
    RecordingWindow window;
    CDevModule root;
    Add<CPort>(root, 10, 10, 20, 20);
    root.AttachToWindow(&window);
    window.client = QRect(0, 0, 200, 100); // resized, not yet erased again

    // x scales from 20 to 60, y likewise; two pixels each side do not hit.
    std::vector<QPoint> hits;
    for (QPoint at : {QPoint(22, 40), QPoint(23, 40), QPoint(57, 40), QPoint(58, 40), QPoint(40, 22), QPoint(40, 23), QPoint(40, 57), QPoint(40, 58)})
        if (root.OnClick(at); window.portClicks.size() > hits.size())
            hits.push_back(at);
    EXPECT_EQ(hits, (std::vector<QPoint>{{23, 40}, {57, 40}, {40, 23}, {40, 57}}));
}

TEST(PanelElements, ClicksAndCursorsReachTheWindow)
{
    RecordingWindow window;
    window.client = QRect(0, 0, 400, 100);
    CDevModule root;
    Add<CPort>(root, 0, 0, 20, 20);
    Add<CPanel>(root, 20, 0, 20, 20);
    Add<CPort>(root, 40, 0, 20, 20);
    Add<CCom>(root, 60, 0, 20, 20, "CONSOLE");
    Add<CPowerUnit>(root, 80, 0, 20, 20, "POWER");
    Add<CPort>(root, 100, 0, 20, 20);
    root.AttachToWindow(&window);

    // Places among the ports only; the power unit keeps the base class: no socket.
    for (int x : {110, 50, 90, 70})
        root.OnClick(QPoint(x, 10));
    EXPECT_EQ(std::pair(window.portClicks, window.socketClicks), std::pair(std::vector<int>{3, 2}, 1));
    EXPECT_EQ(root.FindNthChild("CCom", 1), nullptr);

    for (int x : {10, 30, 70, 90, 150})
        root.TrackCursor(QPoint(x, 10));
    EXPECT_EQ(window.cursors,
              (std::vector<CursorShape>{CursorShape::Port, CursorShape::Arrow, CursorShape::Port, CursorShape::Arrow}));
}

TEST(PanelElements, StatusReachesLampsByTheirType)
{
    CPort port;
    std::vector<CLamp*> lamps; // link, 100M, power, console
    for (int type : {CLamp::kLink, CLamp::kS100M, CLamp::kPower, CLamp::kConsole})
        lamps.push_back(AddLamp(port, type));
    port.SetStatus(panel::kPortEnabled);
    for (int status : {0, 1, 2, 3, 4, 1, 0}) {
        port.SetStatus(status);
        const int shown = status <= 1 ? status : CLamp::kLampOff;
        EXPECT_EQ((std::vector{lamps[0]->Status(), lamps[1]->Status(), lamps[2]->Status(), lamps[3]->Status()}),
                  (std::vector{shown, shown, int(CLamp::kLampOff), int(CLamp::kLampOff)})) << status;
    }
    // A socket passes its status to its lamps just the same.
    CCom socket;
    CLamp* socketLamp = AddLamp(socket, CLamp::kConsole);
    socket.SetStatus(1);
    EXPECT_TRUE(socket.LoadPicture());
    EXPECT_EQ(socketLamp->Status(), CLamp::kLamp1G);
}

TEST(PanelElements, SameStatusNeitherReloadsNorNotifiesNorRepaints)
{
    Folder folder;
    RecordingWindow window;
    CPort port;
    port.SetRect(10, 20, 30, 16);
    port.SetPortPicture(panel::kPortEnabled, folder.WriteBmp("enabled.bmp", QSize(30, 16), Qt::green));
    port.SetPortPicture(panel::kPortDisabled, folder.WriteBmp("disabled.bmp", QSize(30, 16), Qt::gray));
    CLamp* lamp = AddLamp(port, CLamp::kLink);
    port.SetStatus(panel::kPortEnabled, &window);
    ASSERT_TRUE(port.Picture().IsLoaded());
    EXPECT_EQ(window.invalidated, std::vector<QRect>{QRect(10, 20, 30, 16)});

    // A reload would now fail and drop the picture.
    QFile::remove(QString::fromStdString(folder.Path("enabled.bmp")));
    lamp->SetStatus(CLamp::kLamp1G);
    port.SetStatus(panel::kPortEnabled, &window);
    EXPECT_EQ(std::tuple(port.Picture().IsLoaded(), lamp->Status(), window.invalidated.size()), std::tuple(true, int(CLamp::kLamp1G), 1u));

    port.SetStatus(panel::kPortDisabled);
    EXPECT_EQ(std::tuple(port.Picture().Image().pixelColor(1, 1), lamp->Status(), window.invalidated.size()),
              std::tuple(QColor(Qt::gray), int(CLamp::kLampOff), 1u));
    port.SetStatus(panel::kPortEnabled);
    EXPECT_FALSE(port.Picture().IsLoaded());
}

TEST(PanelElements, LostContactResetsPortsAndModulePorts)
{
    CDevModule root;
    std::vector<CPort*> ports;
    for (int i = 0; i < 53; ++i)
        (ports.emplace_back(Add<CPort>(root, 0, 0, 1, 1)))->SetStatus(panel::kPortLink100);
    CPort* modulePort = Add<CPort>(*Add<CModule>(*Add<CModule>(root, 0, 0, 1, 1), 0, 0, 1, 1), 0, 0, 1, 1);
    modulePort->SetStatus(panel::kPortLink10);

    // The first 48 are enabled, the next four (the fibre sides) empty, the rest untouched.
    panel::ResetPortStatuses(root);
    for (const auto& [index, status] : {std::pair{0, panel::kPortEnabled}, {47, panel::kPortEnabled}, {48, panel::kPortEmpty},
                                        {51, panel::kPortEmpty}, {52, panel::kPortLink100}})
        EXPECT_EQ(ports[index]->Status(), status) << index;
    EXPECT_EQ(modulePort->Status(), panel::kPortEnabled);
}

} // namespace
