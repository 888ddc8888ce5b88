#include "panel_test_support.h"

#include "panel/bitmap_cache.h"
#include "panel/lamp.h"
#include "panel/panel_elements.h"
#include "panel/panel_loader.h"
#include "panel/port.h"

#include <gtest/gtest.h>

namespace {

using panel_test::DebugLines;
using panel_test::Folder;

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

struct Loaded {
    CDevModule root;
    ModuleList modules;
    CPositionTable positions;
    bool result = false;
};

void Load(Loaded& loaded, const std::string& path)
{
    loaded.result = LoadPanelDescription(path, loaded.root, loaded.modules, loaded.positions);
}

std::vector<std::string> ChildIds(const CPanelElement& parent)
{
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < parent.ChildCount(); ++i)
        ids.push_back(parent.ChildAt(i)->ID());
    return ids;
}

TEST(PanelLoader, ContainersFollowAttributesInOrderAndSkipWhatSelectsNothing)
{
    Folder folder;
    // Two containers, then expressions that select nothing, are empty or do not parse.
    const QByteArray xml = Panel(R"(B="SECOND" NONE="MISSING" EMPTY="" BAD="[[(" A="FIRST" NUMBER="1+1")",
                                 "<FIRST><PORT>" + Props("a1", 1, 1) + "</PORT><PORT>" + Props("a2", 2, 2) + "</PORT></FIRST>"
                                 "<SECOND><PANEL>" + Props("b1", 3, 3) + "</PANEL></SECOND>");
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", xml));
    EXPECT_TRUE(loaded.result);
    EXPECT_EQ(ChildIds(loaded.root), (std::vector<std::string>{"b1", "a1", "a2"}));
    EXPECT_STREQ(loaded.root.ChildAt(0)->ClassName(), "CPanel");
    EXPECT_EQ(loaded.root.Rect(), QRect(5, 6, 300, 90));
}

TEST(PanelLoader, PortPropertiesKeywordsAndLampRegistration)
{
    Folder folder;
    folder.WriteBmp("empty.bmp", QSize(10, 8), Qt::red);
    folder.WriteBmp("enable.bmp", QSize(10, 8), Qt::blue);
    const QByteArray port =
        "<PORT L=\"LAMPS\">" + Props("1", 40, 20, 10, 8,
            "<STATUS>PORTEMPTY</STATUS><NAME> Port 1 </NAME>"
            "<BMPENABLE>" + QString::fromStdString(folder.Path("enable.bmp")) + "</BMPENABLE>"
            "<BMPEMPTY>" + QString::fromStdString(folder.Path("empty.bmp")) + "</BMPEMPTY><BMPLINK10></BMPLINK10>")
        + "<LAMPS><LAMP>" + Props("l1", 42, 14, 6, 4, "<TYPE>POWER</TYPE><STATUS>LAMPOFF</STATUS>") + "</LAMP>"
          "<LAMP>" + Props("l2", 42, 30, 6, 4, "<TYPE>BRIGHT</TYPE><STATUS>GLOWING</STATUS>") + "</LAMP></LAMPS></PORT>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", Panel(R"(C="FRONT")", "<FRONT>" + port + "</FRONT>")));

    auto* loadedPort = dynamic_cast<CPort*>(loaded.root.FindChild("CPort", "1"));
    ASSERT_NE(loadedPort, nullptr);
    EXPECT_EQ(loadedPort->Status(), panel::kPortEmpty);
    EXPECT_EQ(loadedPort->Name(), "Port 1");
    EXPECT_EQ(loadedPort->PortPicture(panel::kPortLink10), "");
    ASSERT_TRUE(loadedPort->Picture().IsLoaded());
    EXPECT_EQ(loadedPort->Picture().Image().pixelColor(2, 2), QColor(Qt::red));

    ASSERT_EQ(loadedPort->ChildCount(), 2u);
    auto* power = dynamic_cast<CLamp*>(loadedPort->ChildAt(0));
    auto* unknown = dynamic_cast<CLamp*>(loadedPort->ChildAt(1));
    ASSERT_NE(power, nullptr);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(power->Type(), CLamp::kPower);
    EXPECT_EQ(power->Status(), CLamp::kLampOff);
    EXPECT_EQ(power->Name(), "Lamp");
    // Unknown keywords leave the defaults.
    EXPECT_EQ(unknown->Type(), CLamp::kLink);
    EXPECT_EQ(unknown->Status(), CLamp::kLampOn);
    EXPECT_EQ(loadedPort->Observers().size(), 2u);
}

TEST(PanelLoader, PropertyTextsParseLikeTheOldIntegerReader)
{
    Folder folder;
    const QString longName(120, QLatin1Char('x'));
    const QByteArray body = "<F><SLOT><ID>s</ID><LEFT>  -5px</LEFT><TOP>abc</TOP><WIDTH>99999999999</WIDTH>"
                            "<HEIGHT>\n 12 \n</HEIGHT><BMP>" + longName.toUtf8() + "</BMP></SLOT></F>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", Panel(R"(c="F")", body)));
    ASSERT_EQ(loaded.root.ChildCount(), 1u);
    const CPanelElement* slot = loaded.root.ChildAt(0);
    EXPECT_EQ(slot->Rect().left(), -5);
    EXPECT_EQ(slot->Rect().top(), 0);
    EXPECT_EQ(slot->Rect().width(), INT_MAX);
    EXPECT_EQ(slot->Rect().height(), 12);
    EXPECT_EQ(slot->PictureFile().size(), 99u);
}

TEST(PanelLoader, DeviceModuleMakesOnlyModulesAndTheirChildren)
{
    Folder folder;
    const QByteArray xml =
        "<SWITCH><DEVICEMODULE C=\"PARTS\"><PARTS>"
        "<PORT K=\"INNER\">" + Props("orphan", 1, 1) + "<INNER><LAMP>" + Props("l", 1, 1) + "</LAMP></INNER></PORT>"
        "<MODULE K=\"SLOTS\">" + Props("m1", 0, 0, 50, 20) +
        "<SLOTS><PORT>" + Props("mp", 2, 2) + "</PORT></SLOTS></MODULE>"
        "</PARTS></DEVICEMODULE></SWITCH>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", xml));
    EXPECT_EQ(loaded.root.ChildCount(), 0u);
    ASSERT_EQ(loaded.modules.size(), 1u);
    EXPECT_EQ(loaded.modules[0]->ID(), "m1");
    EXPECT_EQ(ChildIds(*loaded.modules[0]), std::vector<std::string>{"mp"});
}

TEST(PanelLoader, EveryDevicePanelAppliesToTheRootAndTheLaterWins)
{
    Folder folder;
    const QByteArray xml =
        "<SWITCH><DEVICEPANEL C=\"A\">" + Props("first", 1, 2, 100, 40, "<BMP>one.bmp</BMP>") +
        "<A><PORT>" + Props("p1", 1, 1) + "</PORT></A></DEVICEPANEL>"
        "<DEEP><DEVICEPANEL C=\"B\">" + Props("second", 7, 8, 200, 60, "<BMP>two.bmp</BMP>") +
        "<B><PORT>" + Props("p2", 1, 1) + "</PORT></B></DEVICEPANEL></DEEP></SWITCH>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", xml));
    EXPECT_EQ(loaded.root.ID(), "second");
    EXPECT_EQ(loaded.root.Rect(), QRect(7, 8, 200, 60));
    EXPECT_EQ(loaded.root.PictureFile(), "two.bmp");
    EXPECT_EQ(ChildIds(loaded.root), (std::vector<std::string>{"p1", "p2"}));
}

TEST(PanelLoader, PositionTableTakesTheFirstHundredZeroIds)
{
    Folder folder;
    QByteArray body = "<F>";
    for (int i = 0; i < 101; ++i)
        body += "<LED>" + Props("0", i, 1000 + i) + "</LED>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", Panel(R"(c="F")", body + "</F>")));
    ASSERT_EQ(loaded.root.ChildCount(), 101u);
    EXPECT_EQ(loaded.root.ChildAt(100)->ID(), "");
    EXPECT_EQ(loaded.positions.Count(), CPositionTable::kSize);
    EXPECT_EQ(loaded.positions.At(0)->first, QPoint(0, 1000));
    EXPECT_EQ(loaded.positions.At(99)->first, QPoint(99, 1099));
    EXPECT_EQ(loaded.positions.At(100), nullptr);
}

TEST(PanelLoader, MissingWidthDropsTheElementWithItsContainers)
{
    Folder folder;
    const QByteArray body = "<F><PORT K=\"IN\"><ID>broken</ID><LEFT>1</LEFT><TOP>1</TOP><HEIGHT>5</HEIGHT>"
                            "<IN><LAMP>" + Props("lost", 1, 1) + "</LAMP></IN></PORT>"
                            "<PORT>" + Props("kept", 3, 3) + "</PORT></F>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", Panel(R"(c="F")", body)));
    EXPECT_EQ(ChildIds(loaded.root), std::vector<std::string>{"kept"});
}

TEST(PanelLoader, MissingOrMalformedFilesLeaveAnEmptyPanel)
{
    Folder folder;
    // Well-formed up to the second port: nothing of it may be used.
    const QByteArray broken = Panel(R"(c="F")", "<F><PORT>" + Props("p1", 1, 1) + "</PORT><PORT><ID>p2</F>");
    for (const std::string& path : {folder.Write("broken.xml", broken.left(broken.size() - 20)),
                                    folder.Write("text.xml", "not xml at all"), folder.Path("missing.xml")}) {
        Loaded loaded;
        Load(loaded, path);
        EXPECT_EQ(loaded.root.ChildCount(), 0u) << path;
        EXPECT_TRUE(loaded.modules.empty());
        EXPECT_EQ(loaded.root.Rect(), QRect()) << path;
    }
}

TEST(PanelLoader, ContainersNamingTheirOwnAncestorsEnd)
{
    Folder folder;
    const QByteArray body = "<F><PANEL UP=\"/\" SELF=\".\" PARENT=\"..\" ANCESTOR=\"//F\">" + Props("loop", 1, 1) + "</PANEL></F>";
    Loaded loaded;
    Load(loaded, folder.Write("panel.xml", Panel(R"(c="F")", body)));
    EXPECT_TRUE(loaded.result);
    EXPECT_EQ(loaded.root.ChildCount(), 1u);
    EXPECT_EQ(loaded.root.ChildAt(0)->ID(), "loop");
    EXPECT_EQ(loaded.root.ChildAt(0)->ChildCount(), 0u); // no copy of itself inside
}

TEST(PanelLoader, WritesTheCountsOfItsLists)
{
    Folder folder;
    const std::string path = folder.Write("panel.xml", Panel(R"(c="F")", "<F><PORT>" + Props("p", 1, 1) + "</PORT></F>"));
    DebugLines debug;
    Loaded loaded;
    Load(loaded, path);
    const std::string frame = "stroooooooooooooooo";
    const std::vector<std::string> expected = {
        std::string(32, 'o'), "node num = 1", std::string(35, 'o'),
        frame, "node num = 1", frame,  // the DEVICEPANEL list
        frame, "node num = 1", frame,  // its container
        frame, "node num = 0", frame,  // the DEVICEMODULE list
    };
    EXPECT_EQ(debug.lines(), expected);
}

} // namespace
