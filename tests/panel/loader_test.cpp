#include "panel_test_support.h"

#include "panel/lamp.h"
#include "panel/port.h"

#include <gtest/gtest.h>

namespace {

using panel_test::Folder;
using panel_test::Loaded;

// Property elements of one panel element.
QByteArray Props(const QString& id, int left, int top, int width = 10, int height = 8, const QString& more = {})
{
    return QStringLiteral("<ID>%1</ID><LEFT>%2</LEFT><TOP>%3</TOP><WIDTH>%4</WIDTH><HEIGHT>%5</HEIGHT>%6")
        .arg(id).arg(left).arg(top).arg(width).arg(height).arg(more).toUtf8();
}

QByteArray Panel(const QByteArray& attributes, const QByteArray& body)
{
    return "<SWITCH><DEVICEPANEL " + attributes + ">" + Props("P", 5, 6, 300, 90) + body + "</DEVICEPANEL></SWITCH>";
}

// A panel file whose one container F holds `elements`.
std::string InF(const Folder& folder, const QByteArray& elements)
{
    return folder.Write("panel.xml", Panel(R"(c="F")", "<F>" + elements + "</F>"));
}

std::vector<std::string> ChildIds(const CPanelElement& parent)
{
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < parent.ChildCount(); ++i)
        ids.push_back(parent.ChildAt(i)->ID());
    return ids;
}

TEST(PanelLoader, PortPropertiesKeywordsAndLampRegistration)
{
    Folder folder;
    const QString enable = QString::fromStdString(folder.WriteBmp("enable.bmp", QSize(10, 8), Qt::blue));
    const QString empty = QString::fromStdString(folder.WriteBmp("empty.bmp", QSize(10, 8), Qt::red));
    const Loaded loaded(InF(folder, "<PORT L=\"LAMPS\">" + Props("1", 40, 20, 10, 8, "<STATUS>PORTEMPTY</STATUS><NAME> Port 1 </NAME><BMPENABLE>" +
                                                                  enable + "</BMPENABLE><BMPEMPTY>" + empty + "</BMPEMPTY><BMPLINK10></BMPLINK10>") +
                                        "<LAMPS><LAMP>" + Props("l1", 42, 14, 6, 4, "<TYPE>POWER</TYPE><STATUS>LAMPOFF</STATUS>") + "</LAMP><LAMP>" +
                                        Props("l2", 42, 30, 6, 4, "<TYPE>BRIGHT</TYPE><STATUS>GLOWING</STATUS>") + "</LAMP></LAMPS></PORT>"));
    auto* port = dynamic_cast<CPort*>(loaded.root.FindChild("CPort", "1"));
    ASSERT_TRUE(port && port->ChildCount() == 2 && port->Picture().IsLoaded());
    EXPECT_EQ(std::tuple(port->Status(), port->Name(), port->PortPicture(panel::kPortLink10), port->Picture().Image().pixelColor(2, 2),
                         port->Observers().size()),
              std::tuple(panel::kPortEmpty, "Port 1", "", QColor(Qt::red), 2u));
    auto* power = dynamic_cast<CLamp*>(port->ChildAt(0));
    auto* unknown = dynamic_cast<CLamp*>(port->ChildAt(1));
    ASSERT_TRUE(power && unknown);
    // Unknown keywords leave the defaults.
    EXPECT_EQ((std::vector<int>{power->Type(), power->Status(), unknown->Type(), unknown->Status()}),
              (std::vector<int>{CLamp::kPower, CLamp::kLampOff, CLamp::kLink, CLamp::kLampOn}));
    EXPECT_EQ(power->Name(), "Lamp");
}

TEST(PanelLoader, ContainersInAttributeOrderEveryDevicePanelTheLaterWinsAndDeviceModuleMakesOnlyModules)
{
    Folder folder;
    // The first panel's containers, then expressions that select nothing, are empty or do not parse.
    const Loaded loaded(folder.Write("panel.xml", "<SWITCH><DEVICEPANEL B=\"SECOND\" NONE=\"MISSING\" EMPTY=\"\" BAD=\"[[(\" A=\"FIRST\" "
                                                  "NUMBER=\"1+1\">" + Props("first", 1, 2, 100, 40, "<BMP>one.bmp</BMP>") + "<FIRST><PORT>" +
                                                      Props("a1", 1, 1) + "</PORT><PORT>" + Props("a2", 2, 2) + "</PORT></FIRST><SECOND><PANEL>" +
                                                      Props("b1", 3, 3) + "</PANEL></SECOND></DEVICEPANEL><DEEP><DEVICEPANEL C=\"B\">" +
                                                      Props("second", 7, 8, 200, 60, "<BMP>two.bmp</BMP>") + "<B><PORT>" + Props("p2", 1, 1) +
                                                      "</PORT></B></DEVICEPANEL></DEEP><DEVICEMODULE C=\"PARTS\"><PARTS><PORT K=\"INNER\">" +
                                                      Props("orphan", 1, 1) + "<INNER><LAMP>" + Props("l", 1, 1) + "</LAMP></INNER></PORT>"
                                                      "<MODULE K=\"SLOTS\">" + Props("m1", 0, 0, 50, 20) + "<SLOTS><PORT>" + Props("mp", 2, 2) +
                                                      "</PORT></SLOTS></MODULE></PARTS></DEVICEMODULE></SWITCH>"));
    EXPECT_EQ(std::tuple(loaded.root.ID() + " " + loaded.root.PictureFile(), loaded.root.Rect(), ChildIds(loaded.root)),
              std::tuple("second two.bmp", QRect(7, 8, 200, 60), std::vector<std::string>{"b1", "a1", "a2", "p2"}));
    EXPECT_STREQ(loaded.root.ChildAt(0)->ClassName(), "CPanel");
    ASSERT_EQ(loaded.modules.size(), 1u);
    EXPECT_EQ(std::pair(loaded.modules[0]->ID(), ChildIds(*loaded.modules[0])), std::pair(std::string("m1"), std::vector<std::string>{"mp"}));
}

TEST(PanelLoader, PropertyTextsParseLikeTheOldIntegerReaderAMissingWidthDropsTheElementLoopsEndAndZeroIdsFillThePositions)
{
    Folder folder;
    // Huge values stay within int; the element without WIDTH goes with its containers; a container
    // naming its own ancestors holds no copy of itself; the first hundred elements with ID 0 are positions.
    QByteArray leds;
    for (int i = 0; i < 101; ++i)
        leds += "<LED>" + Props("0", i, 1000 + i) + "</LED>";
    const Loaded loaded(InF(folder, "<SLOT><ID>s</ID><LEFT>  -5px</LEFT><TOP>abc</TOP><WIDTH>99999999999</WIDTH><HEIGHT>\n 12 \n</HEIGHT><BMP>" +
                                        QByteArray(120, 'x') + "</BMP></SLOT><PORT K=\"IN\"><ID>broken</ID><LEFT>1</LEFT><TOP>1</TOP><HEIGHT>5"
                                        "</HEIGHT><IN><LAMP>" + Props("lost", 1, 1) + "</LAMP></IN></PORT><PANEL UP=\"/\" SELF=\".\" "
                                        "PARENT=\"..\" ANCESTOR=\"//F\">" + Props("loop", 1, 1) + "</PANEL>" + leds));
    EXPECT_TRUE(loaded.result);
    ASSERT_EQ(loaded.root.ChildCount(), 103u);
    EXPECT_EQ(std::tuple(loaded.root.ChildAt(0)->ID(), loaded.root.ChildAt(1)->ID(), loaded.root.ChildAt(102)->ID()), std::tuple("s", "loop", ""));
    EXPECT_EQ(std::tuple(loaded.root.ChildAt(0)->Rect(), loaded.root.ChildAt(0)->PictureFile(), loaded.root.ChildAt(1)->ChildCount()),
              std::tuple(QRect(-5, 0, INT_MAX, 12), std::string(99, 'x'), 0u));
    ASSERT_EQ(loaded.positions.Count(), CPositionTable::kSize);
    EXPECT_EQ(std::pair(loaded.positions.At(0)->first, loaded.positions.At(99)->first), std::pair(QPoint(0, 1000), QPoint(99, 1099)));
    EXPECT_EQ(loaded.positions.At(100), nullptr);
}

TEST(PanelLoader, MissingOrMalformedFilesLeaveAnEmptyPanel)
{
    Folder folder;
    // Well-formed up to the second port: nothing of it may be used.
    const QByteArray broken = Panel(R"(c="F")", "<F><PORT>" + Props("p1", 1, 1) + "</PORT><PORT><ID>p2</F>");
    for (const std::string& path : {folder.Write("broken.xml", broken.left(broken.size() - 20)),
                                    folder.Write("text.xml", "not xml at all"), folder.Path("missing.xml")}) {
        const Loaded loaded(path);
        EXPECT_EQ(std::tuple(loaded.root.ChildCount(), loaded.modules.size(), loaded.root.Rect()), std::tuple(0u, 0u, QRect())) << path;
    }
}

TEST(PanelLoader, WritesTheCountsOfItsLists)
{
    Folder folder;
    const std::string path = InF(folder, "<PORT>" + Props("p", 1, 1) + "</PORT>");
    DebugLines debug;
    const Loaded loaded(path);
    const std::string frame = "stroooooooooooooooo";
    // The DEVICEPANEL list, its container, the DEVICEMODULE list.
    EXPECT_EQ(debug.lines(), (std::vector<std::string>{std::string(32, 'o'), "node num = 1", std::string(35, 'o'), frame, "node num = 1", frame,
                                                       frame, "node num = 1", frame, frame, "node num = 0", frame}));
}

} // namespace
