#include "panel_test_support.h"

#include "panel/bitmap_cache.h"
#include "panel/lamp.h"
#include "panel/panel_drawing.h"
#include "panel/panel_elements.h"
#include "panel/port.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using panel::PortIndicatorState;
using panel_test::Folder;
using panel_test::RecordingWindow;

enum class Shown { Nothing, Off, Green, Amber, Red };

Shown Classify(QColor c)
{
    if (c == QColor(Qt::white)) return Shown::Nothing;
    if (c.lightness() < 40) return Shown::Off;
    if (c.green() > 150 && c.red() < 100) return Shown::Green;
    if (c.red() > 200 && c.green() > 100 && c.green() < 200) return Shown::Amber;
    if (c.red() > 180 && c.green() < 80) return Shown::Red;
    return Shown::Nothing;
}

// A panel of `ports` port elements, each with its indicator lamp at (10 * i + 10, 5),
// the last four standing for the fibre side.
class IndicatorPanel : public ::testing::Test {
protected:
    static constexpr int kPorts = 8;

    void SetUp() override
    {
        ASSERT_TRUE(cache.LoadPanelBitmaps());
        for (int i = 0; i < kPorts + 4; ++i) {
            auto* port = static_cast<CPort*>(root.AddChild(std::make_unique<CPort>()));
            port->SetRect(10 * i + 10, 10, 8, 8);
            port->AddChild(std::make_unique<CLamp>())->SetRect(10 * i + 10, 5, 6, 4);
        }
        states.assign(kPorts, 3);
        media.assign(kPorts, 2);
    }

    // What the indicator of element `element` shows after one paint.
    Shown Paint(int element, int phase, int offsetX = 2)
    {
        QImage image(200, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PortIndicatorState state{kPorts, phase, states, media};
            panel::DrawLinkIndicators(painter, root, cache, state);
        }
        return Classify(image.pixelColor(10 * element + 10 + offsetX, 6));
    }

    CDevModule root;
    CMyBitmapApp cache;
    std::vector<unsigned char> states;
    std::vector<int> media;
};

TEST_F(IndicatorPanel, EachStateInEachBlinkPhase)
{
    struct Case { unsigned char state; Shown phase0; Shown phase1; };
    const std::vector<Case> cases = {
        {1, Shown::Green, Shown::Off}, {0, Shown::Off, Shown::Amber},
        {2, Shown::Off, Shown::Off}, {3, Shown::Off, Shown::Off},
    };
    for (const Case& c : cases) {
        states[2] = c.state;
        EXPECT_EQ(Paint(2, 0), c.phase0) << int(c.state);
        EXPECT_EQ(Paint(2, 1), c.phase1) << int(c.state);
        EXPECT_EQ(Paint(3, 0), Shown::Off);
    }
}

TEST_F(IndicatorPanel, OddPortsUseTheNarrowOffAndEvenPortsTheirOwnPictures)
{
    // Port 1 (index 0): the "off" picture is 5 wide, green 6 wide.
    EXPECT_EQ(Paint(0, 0, 5), Shown::Nothing);
    states[0] = 1;
    EXPECT_EQ(Paint(0, 0, 5), Shown::Green);
}

TEST_F(IndicatorPanel, CombinationPortInFibreModeShowsAtItsFibreElement)
{
    const int index = kPorts - 3; // a combination port
    states[index] = 1;
    media[index] = 4;
    EXPECT_EQ(Paint(index + 4, 0), Shown::Green);
    EXPECT_EQ(Paint(index, 0), Shown::Off);
    media[index] = 3;
    states[index] = 0;
    EXPECT_EQ(Paint(index + 4, 1), Shown::Amber);
    media[index] = 2;
    EXPECT_EQ(Paint(index + 4, 1), Shown::Nothing);
    EXPECT_EQ(Paint(index, 1), Shown::Amber);
}

TEST_F(IndicatorPanel, IndicatorAtLeftZeroIsNotDrawnOff)
{
    root.ChildAt(1)->ChildAt(0)->SetRect(0, 5, 6, 4);
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        panel::DrawLinkIndicators(painter, root, cache, PortIndicatorState{kPorts, 0, states, media});
    }
    EXPECT_EQ(Classify(image.pixelColor(2, 6)), Shown::Nothing);
}

TEST_F(IndicatorPanel, ShortArraysAndMissingElementsAreSkipped)
{
    CDevModule few;
    few.AddChild(std::make_unique<CPort>()); // no lamp
    states.assign(3, 1);
    media.assign(2, 4);
    QImage image(200, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    panel::DrawLinkIndicators(painter, few, cache, PortIndicatorState{52, 0, states, media});
    panel::DrawLinkIndicators(painter, root, cache, PortIndicatorState{52, 0, states, media});
    painter.end();
    EXPECT_EQ(Classify(image.pixelColor(22, 6)), Shown::Off);   // index 1, copper side
    EXPECT_EQ(Classify(image.pixelColor(62, 6)), Shown::Green); // its fibre element
    EXPECT_EQ(Classify(image.pixelColor(32, 6)), Shown::Nothing); // past the arrays
}

TEST(ModelExtras, OnlyTheNamedModelShowsModeBudgetAndFan)
{
    CMyBitmapApp cache;
    ASSERT_TRUE(cache.LoadPanelBitmaps());
    const auto paint = [&](std::string_view model, panel::ModelExtrasState state) {
        QImage image(140, 70, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        panel::DrawModelExtras(painter, cache, model, state);
        return image;
    };
    const auto at = [](const QImage& image, int x, int y) { return Classify(image.pixelColor(x + 2, y + 2)); };

    QImage link = paint("QMX-7740-ZP", {true, false, "1"});
    EXPECT_EQ(at(link, 107, 40), Shown::Green);
    EXPECT_EQ(at(link, 107, 51), Shown::Off);
    EXPECT_NE(at(link, 63, 40), Shown::Red);
    EXPECT_NE(at(link, 63, 28), Shown::Red);
    EXPECT_NE(link.pixelColor(30, 30), QColor(Qt::white)); // the legend

    QImage poe = paint("QMX-7740-ZP", {false, true, "2"});
    EXPECT_EQ(at(poe, 107, 40), Shown::Off);
    EXPECT_EQ(at(poe, 107, 51), Shown::Green);
    EXPECT_EQ(at(poe, 63, 40), Shown::Red);
    EXPECT_EQ(at(poe, 63, 28), Shown::Red);

    QImage other = paint("QMX-7720-ZA", {false, true, "2"});
    QImage white(other.size(), other.format());
    white.fill(Qt::white);
    EXPECT_EQ(other, white);
}

TEST(Background, StretchesThePictureAndDrawsTheRootsChildrenOnly)
{
    Folder folder;
    CDib background;
    ASSERT_TRUE(background.Load(folder.WriteBmp("bg.bmp", QSize(50, 20), Qt::darkGray)));
    CDevModule root;
    auto* port = static_cast<CPort*>(root.AddChild(std::make_unique<CPort>()));
    port->SetRect(10, 4, 8, 8);
    port->SetPortPicture(panel::kPortEnabled, folder.WriteBmp("port.bmp", QSize(4, 4), Qt::blue));
    port->SetPortPicture(panel::kPortLink100, folder.WriteBmp("link.bmp", QSize(4, 4), Qt::cyan));
    port->SetStatus(panel::kPortEnabled);
    auto* lamp = static_cast<CLamp*>(port->AddChild(std::make_unique<CLamp>()));
    lamp->SetRect(30, 2, 6, 4);
    lamp->SetPictureText(CLamp::kLampOn, folder.WriteBmp("lamp.bmp", QSize(6, 4), Qt::yellow));
    port->Attach(lamp);

    RecordingWindow window;
    window.client = QRect(0, 0, 100, 40);
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ASSERT_TRUE(panel::EraseBackground(painter, window.client, panel::BackgroundMode::Stretch, background,
                                           root, &window));
    }
    EXPECT_EQ(image.pixelColor(99, 39), QColor(Qt::darkGray));
    EXPECT_EQ(image.pixelColor(14, 8), QColor(Qt::blue)); // unscaled element rectangle
    EXPECT_EQ(image.pixelColor(32, 3), QColor(Qt::darkGray)); // the lamp is not the root's child
    EXPECT_FALSE(port->IsDirty());
    // The painter is gone: a later status change must not draw with it.
    port->SetStatus(panel::kPortLink100);
    EXPECT_EQ(lamp->Status(), CLamp::kLampOn);
    QPainter painter(&image);
    EXPECT_FALSE(panel::EraseBackground(painter, window.client, panel::BackgroundMode::Stretch, CDib(), root, &window));
}

} // namespace
