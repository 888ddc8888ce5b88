#include "panel_test_support.h"

#include "panel/bitmap_cache.h"
#include "panel/dib.h"

#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using panel_test::DebugLines;
using panel_test::Folder;

QByteArray ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

TEST(Picture, QtBitmapsCarryTheFortyByteHeaderAndLoad)
{
    Folder folder;
    const std::string path = folder.WriteBmp("ok.bmp", QSize(7, 3), QColor(10, 200, 30));
    const QByteArray bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 18);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 14), 40u);

    CDib picture;
    ASSERT_TRUE(picture.Load(path));
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_EQ(picture.Image().pixelColor(6, 2), QColor(10, 200, 30));
}

TEST(Picture, RejectsWhatIsNotAWindowsBitmap)
{
    Folder folder;
    QByteArray os2 = ReadAll(folder.WriteBmp("os2.bmp", QSize(4, 4), Qt::red));
    qToLittleEndian<quint32>(12, os2.data() + 14);
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    png.save(QString::fromStdString(folder.Path("picture.bmp")), "PNG"); // misnamed
    QByteArray garbled = ReadAll(folder.Path("os2.bmp")).left(18);
    qToLittleEndian<quint32>(40, garbled.data() + 14);

    struct Case {
        std::string path;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {folder.Write("os2.bmp", os2), {"Error:OS2 PM BMP Format not supported"}},
        {folder.Path("picture.bmp"), {"Error:Unexpected file type, not a DIB"}},
        {folder.Write("short.bmp", "BM"), {"Error:OS2 PM BMP Format not supported"}},
        {folder.Write("garbled.bmp", garbled + QByteArray(3, '\xff')), {}},
        {folder.Path("missing.bmp"), {}},
        {std::string(), {}},
    };
    for (const Case& c : cases) {
        DebugLines debug;
        CDib picture;
        EXPECT_FALSE(picture.Load(c.path)) << c.path;
        EXPECT_FALSE(picture.IsLoaded()) << c.path;
        EXPECT_EQ(debug.lines(), c.lines) << c.path;
    }
}

QImage White(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The box of non-white pixels.
QRect Painted(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(BitmapCache, IndicatorPicturesHaveTheirSizesAndColours)
{
    CMyBitmapApp cache;
    ASSERT_TRUE(cache.LoadPanelBitmaps());
    EXPECT_EQ(cache.RecordCount(), 13u);
    struct Expect { int id; QSize size; bool (*colour)(QColor); };
    const auto black = [](QColor c) { return c.lightness() < 40; };
    const auto green = [](QColor c) { return c.green() > 150 && c.red() < 100 && c.blue() < 100; };
    const auto amber = [](QColor c) { return c.red() > 200 && c.green() > 100 && c.green() < 200 && c.blue() < 60; };
    const auto red = [](QColor c) { return c.red() > 180 && c.green() < 80; };
    const std::vector<Expect> expected = {
        {159, {5, 4}, black}, {160, {5, 4}, black}, {161, {6, 4}, green}, {162, {6, 4}, green},
        {163, {6, 4}, amber}, {164, {6, 4}, amber}, {215, {6, 5}, green}, {216, {6, 5}, red},
        {219, {6, 5}, red}, {225, {6, 5}, black},
    };
    for (const Expect& e : expected) {
        QImage target = White(QSize(20, 20));
        {
            QPainter painter(&target);
            cache.DrawBitmap(painter, e.id, 3, 4);
        }
        EXPECT_EQ(Painted(target), QRect(QPoint(3, 4), e.size)) << e.id;
        EXPECT_TRUE(e.colour(target.pixelColor(5, 6))) << e.id;
    }
}

TEST(BitmapCache, UnknownIdsDrawTheFirstPictureAndPositionsComeFromTheTable)
{
    CMyBitmapApp cache;
    QImage target = White(QSize(40, 40));
    {
        QPainter painter(&target);
        cache.DrawBitmap(painter, 161, 0, 0); // nothing loaded yet: nothing to draw
    }
    EXPECT_TRUE(Painted(target).isNull());

    ASSERT_TRUE(cache.LoadBitmap(161));
    ASSERT_TRUE(cache.LoadBitmap(159));
    EXPECT_FALSE(cache.LoadBitmap(4242));
    cache.Positions().Add(20, 30);
    {
        QPainter painter(&target);
        cache.DrawBitmap(painter, 999, 1, 1);
        cache.DrawAtPosition(painter, CMyBitmapApp::kFirstPosition | 0, 159);
        cache.DrawAtPosition(painter, CMyBitmapApp::kFirstPosition | 0x7F, 159); // past the table
    }
    EXPECT_GT(target.pixelColor(3, 2).green(), 150); // the first picture: green
    EXPECT_EQ(Painted(target.copy(0, 0, 10, 10)), QRect(1, 1, 6, 4));
    EXPECT_EQ(Painted(target.copy(15, 25, 25, 15)), QRect(5, 5, 5, 4));
}

} // namespace
