#include "panel_test_support.h"

#include "panel/lamp.h"
#include "panel/panel_drawing.h"
#include "panel/port.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace panel_test;
using panel::PortIndicatorState;

TEST(Indicators, EachStateAndMediumInEachBlinkPhaseShortArraysAndMissingElementsSkipped)
{
    // kPorts port elements and four more for the fibre sides, each with its indicator lamp at (10 * i + 10, 5).
    constexpr int kPorts = 8;
    CDevModule root;
    for (int i = 0; i < kPorts + 4; ++i)
        Add<CLamp>(*Add<CPort>(root, 10 * i + 10, 10, 8, 8), 10 * i + 10, 5, 6, 4);
    CMyBitmapApp cache;
    ASSERT_TRUE(cache.LoadPanelBitmaps());
    std::vector<unsigned char> states;
    std::vector<int> media;
    const auto render = [&](const std::vector<const CDevModule*>& roots, int portCount, int phase) {
        QImage image = White(QSize(200, 30));
        QPainter painter(&image);
        for (const CDevModule* r : roots)
            panel::DrawLinkIndicators(painter, *r, cache, PortIndicatorState{portCount, phase, states, media});
        return image;
    };
    // What the indicator of element `element` shows after one paint.
    const auto paint = [&](int element, int phase, int offsetX = 2) {
        return Classify(render({&root}, kPorts, phase).pixelColor(10 * element + 10 + offsetX, 6));
    };

    // Port index, state, medium, element and where to look, phase 0, phase 1. Odd ports (index 0, 2, ...)
    // draw a five-pixel "off" and a six-pixel green. Index 5 is a combination port: element 9 its fibre side.
    for (const auto& [index, state, medium, element, offsetX, phase0, phase1] :
         {std::tuple{2, 1, 2, 2, 2, Shown::Green, Shown::Off}, {2, 0, 2, 2, 2, Shown::Off, Shown::Amber},
          {2, 2, 2, 2, 2, Shown::Off, Shown::Off}, {2, 3, 2, 2, 2, Shown::Off, Shown::Off},
          {0, 3, 2, 0, 5, Shown::Nothing, Shown::Nothing}, {0, 1, 2, 0, 5, Shown::Green, Shown::Nothing},
          {5, 1, 4, 9, 2, Shown::Green, Shown::Off}, {5, 1, 4, 5, 2, Shown::Off, Shown::Off},
          {5, 0, 3, 9, 2, Shown::Off, Shown::Amber}, {5, 0, 3, 5, 2, Shown::Off, Shown::Off},
          {5, 0, 2, 9, 2, Shown::Nothing, Shown::Nothing}, {5, 0, 2, 5, 2, Shown::Off, Shown::Amber}}) {
        states.assign(kPorts, 3);
        media.assign(kPorts, 2);
        states[index] = static_cast<unsigned char>(state);
        media[index] = medium;
        EXPECT_EQ((std::vector{paint(element, 0, offsetX), paint(element, 1, offsetX), paint(3, 0)}),
                  (std::vector{phase0, phase1, Shown::Off})) << index << " " << state << " " << medium << " " << element;
    }
    // Short arrays and missing elements are skipped: index 1's copper side, its fibre element, past the arrays.
    CDevModule few;
    few.AddChild(std::make_unique<CPort>()); // no lamp
    states.assign(3, 1);
    media.assign(2, 4);
    const QImage image = render({&few, &root}, 52, 0);
    EXPECT_EQ((std::vector{Classify(image.pixelColor(22, 6)), Classify(image.pixelColor(62, 6)), Classify(image.pixelColor(32, 6))}),
              (std::vector{Shown::Off, Shown::Green, Shown::Nothing}));
    // An indicator at left zero is not drawn off.
    root.ChildAt(1)->ChildAt(0)->SetRect(0, 5, 6, 4);
    EXPECT_EQ(Classify(render({&root}, kPorts, 0).pixelColor(2, 6)), Shown::Nothing);
}

TEST(ModelExtras, OnlyTheNamedModelShowsModeBudgetAndFan)
{
    CMyBitmapApp cache;
    ASSERT_TRUE(cache.LoadPanelBitmaps());
    const auto paint = [&](std::string_view model, panel::ModelExtrasState state) {
        QImage image = White(QSize(140, 70));
        QPainter painter(&image);
        panel::DrawModelExtras(painter, cache, model, state);
        return image;
    };
    // The LED mode lamps at (107, 40) and (107, 51), budget and fan at (63, 40) and (63, 28).
    const auto at = [](const QImage& image, int x, int y) { return Classify(image.pixelColor(x + 2, y + 2)); };
    const QImage link = paint("QMX-7740-ZP", {true, false, "1"});
    EXPECT_EQ(std::pair(at(link, 107, 40), at(link, 107, 51)), std::pair(Shown::Green, Shown::Off));
    EXPECT_TRUE(at(link, 63, 40) != Shown::Red && at(link, 63, 28) != Shown::Red);
    EXPECT_NE(link.pixelColor(30, 30), QColor(Qt::white)); // the legend
    const QImage poe = paint("QMX-7740-ZP", {false, true, "2"});
    EXPECT_EQ((std::vector{at(poe, 107, 40), at(poe, 107, 51), at(poe, 63, 40), at(poe, 63, 28)}),
              (std::vector{Shown::Off, Shown::Green, Shown::Red, Shown::Red}));
    EXPECT_EQ(paint("QMX-7720-ZA", {false, true, "2"}), White(QSize(140, 70)));
}

TEST(Background, StretchesThePictureAndDrawsTheRootsChildrenOnly)
{
    Folder folder;
    CDib background;
    ASSERT_TRUE(background.Load(folder.WriteBmp("bg.bmp", QSize(50, 20), Qt::darkGray)));
    CDevModule root;
    auto* port = Add<CPort>(root, 10, 4, 8, 8);
    port->SetPortPicture(panel::kPortEnabled, folder.WriteBmp("port.bmp", QSize(4, 4), Qt::blue));
    port->SetPortPicture(panel::kPortLink100, folder.WriteBmp("link.bmp", QSize(4, 4), Qt::cyan));
    port->SetStatus(panel::kPortEnabled);
    auto* lamp = Add<CLamp>(*port, 30, 2, 6, 4);
    lamp->SetPictureText(CLamp::kLampOn, folder.WriteBmp("lamp.bmp", QSize(6, 4), Qt::yellow));
    port->Attach(lamp);

    RecordingWindow window;
    window.client = QRect(0, 0, 100, 40);
    QImage image = White(window.client.size());
    QPainter painter(&image);
    ASSERT_TRUE(panel::EraseBackground(painter, window.client, panel::BackgroundMode::Stretch, background, root, &window));
    painter.end();
    // The element rectangle is unscaled; the lamp is not the root's child.
    EXPECT_EQ((std::vector{image.pixelColor(99, 39), image.pixelColor(14, 8), image.pixelColor(32, 3)}),
              (std::vector<QColor>{Qt::darkGray, Qt::blue, Qt::darkGray}));
    EXPECT_FALSE(port->IsDirty());
    // The painter is gone: a later status change must not draw with it.
    port->SetStatus(panel::kPortLink100);
    EXPECT_EQ(lamp->Status(), CLamp::kLampOn);
    painter.begin(&image);
    EXPECT_FALSE(panel::EraseBackground(painter, window.client, panel::BackgroundMode::Stretch, CDib(), root, &window));
}

} // namespace
