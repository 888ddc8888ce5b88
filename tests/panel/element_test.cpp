#include "panel_test_support.h"

#include "panel/lamp.h"
#include "panel/panel_drawing.h"
#include "panel/panel_elements.h"
#include "panel/port.h"

#include <gtest/gtest.h>

namespace {

using panel::CursorShape;
using panel_test::Folder;
using panel_test::RecordingWindow;

template <typename T>
T* Add(CPanelElement& parent, int left, int top, int width, int height, std::string id = {})
{
    auto* element = static_cast<T*>(parent.AddChild(std::make_unique<T>()));
    element->SetRect(left, top, width, height);
    element->SetID(std::move(id));
    return element;
}

CLamp* AddLamp(CPort& port, int type)
{
    CLamp* lamp = Add<CLamp>(port, 0, 0, 6, 4);
    lamp->SetType(type);
    port.Attach(lamp);
    return lamp;
}

TEST(PanelElements, HitTestScalesToTheClientAreaAndKeepsTwoPixelMargins)
{
    RecordingWindow window;
    CDevModule root;
    Add<CPort>(root, 10, 10, 20, 20);
    root.AttachToWindow(&window);
    window.client = QRect(0, 0, 200, 100); // resized, not yet erased again

    std::vector<int> hitXs;
    for (int x = 20; x <= 60; ++x) {
        window.portClicks.clear();
        root.OnClick(QPoint(x, 40));
        if (!window.portClicks.empty())
            hitXs.push_back(x);
    }
    ASSERT_FALSE(hitXs.empty());
    EXPECT_EQ(hitXs.front(), 23);
    EXPECT_EQ(hitXs.back(), 57);
    EXPECT_EQ(hitXs.size(), 35u);

    window.portClicks.clear();
    root.OnClick(QPoint(40, 22)); // y: scaled 20 to 60 as well
    root.OnClick(QPoint(40, 58));
    EXPECT_TRUE(window.portClicks.empty());
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

    root.OnClick(QPoint(110, 10));
    root.OnClick(QPoint(50, 10));
    EXPECT_EQ(window.portClicks, (std::vector<int>{3, 2})); // places among the ports only
    root.OnClick(QPoint(90, 10));
    EXPECT_EQ(window.socketClicks, 0);
    root.OnClick(QPoint(70, 10));
    EXPECT_EQ(window.socketClicks, 1);

    // The power unit keeps the base class name: it is no socket.
    EXPECT_STREQ(root.ChildAt(4)->ClassName(), "CPanelElement");
    EXPECT_EQ(root.FindNthChild("CCom", 1), nullptr);

    for (int x : {10, 30, 70, 90, 150})
        root.TrackCursor(QPoint(x, 10));
    EXPECT_EQ(window.cursors,
              (std::vector<CursorShape>{CursorShape::Port, CursorShape::Arrow, CursorShape::Port, CursorShape::Arrow}));
}

TEST(PanelElements, PortStatusReachesLampsByTheirType)
{
    CPort port;
    CLamp* link = AddLamp(port, CLamp::kLink);
    CLamp* s100 = AddLamp(port, CLamp::kS100M);
    CLamp* power = AddLamp(port, CLamp::kPower);
    CLamp* console = AddLamp(port, CLamp::kConsole);
    port.SetStatus(panel::kPortEnabled);
    for (int status : {0, 1, 2, 3, 4, 1, 0}) {
        port.SetStatus(status);
        const int shown = status <= 1 ? status : CLamp::kLampOff;
        EXPECT_EQ(link->Status(), shown) << status;
        EXPECT_EQ(s100->Status(), shown) << status;
        EXPECT_EQ(power->Status(), CLamp::kLampOff) << status;
        EXPECT_EQ(console->Status(), CLamp::kLampOff) << status;
    }
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
    EXPECT_TRUE(port.Picture().IsLoaded());
    EXPECT_EQ(lamp->Status(), CLamp::kLamp1G);
    EXPECT_EQ(window.invalidated.size(), 1u);

    port.SetStatus(panel::kPortDisabled);
    EXPECT_EQ(port.Picture().Image().pixelColor(1, 1), QColor(Qt::gray));
    EXPECT_EQ(lamp->Status(), CLamp::kLampOff);
    EXPECT_EQ(window.invalidated.size(), 1u);
    port.SetStatus(panel::kPortEnabled);
    EXPECT_FALSE(port.Picture().IsLoaded());
}

TEST(PanelElements, SocketsPassTheirStatusToTheirLamps)
{
    CCom console;
    auto* lamp = static_cast<CLamp*>(console.AddChild(std::make_unique<CLamp>()));
    lamp->SetType(CLamp::kConsole);
    console.Attach(lamp);
    console.SetStatus(1);
    EXPECT_TRUE(console.LoadPicture());
    EXPECT_EQ(lamp->Status(), CLamp::kLamp1G);
}

TEST(PanelElements, LostContactResetsPortsAndModulePorts)
{
    CDevModule root;
    std::vector<CPort*> ports;
    for (int i = 0; i < 53; ++i) {
        ports.push_back(Add<CPort>(root, 0, 0, 1, 1));
        ports.back()->SetStatus(panel::kPortLink100);
    }
    CModule* module = Add<CModule>(root, 0, 0, 1, 1);
    CModule* inner = Add<CModule>(*module, 0, 0, 1, 1);
    CPort* modulePort = Add<CPort>(*inner, 0, 0, 1, 1);
    modulePort->SetStatus(panel::kPortLink10);

    panel::ResetPortStatuses(root);
    EXPECT_EQ(ports[0]->Status(), panel::kPortEnabled);
    EXPECT_EQ(ports[47]->Status(), panel::kPortEnabled);
    EXPECT_EQ(ports[48]->Status(), panel::kPortEmpty);
    EXPECT_EQ(ports[51]->Status(), panel::kPortEmpty);
    EXPECT_EQ(ports[52]->Status(), panel::kPortLink100);
    EXPECT_EQ(modulePort->Status(), panel::kPortEnabled);
}

} // namespace
