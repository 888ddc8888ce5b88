#include "chassis_art.h"

#include "panel/panel_elements.h"
#include "panel/port.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace art {
namespace {

constexpr int kEar = 20;
const QColor kLabel(0xc8, 0xcc, 0xd2);

void DrawPlate(QPainter& p, const QRect& r)
{
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, QColor(0x4a, 0x50, 0x58));
    metal.setColorAt(0.08, QColor(0x3a, 0x3f, 0x46));
    metal.setColorAt(0.92, QColor(0x2c, 0x30, 0x36));
    metal.setColorAt(1, QColor(0x1c, 0x1f, 0x23));
    p.fillRect(r, metal);
    // Fine brushed lines; a fixed seed keeps every build's picture the same.
    QRandomGenerator noise(7720);
    for (int y = r.top() + 2; y < r.bottom() - 1; ++y) {
        const int shade = noise.bounded(-6, 7);
        p.setPen(QColor(0x80 + shade * 4, 0x88 + shade * 4, 0x90 + shade * 4, 10));
        p.drawLine(r.left(), y, r.right(), y);
    }
}

void DrawEar(QPainter& p, int x, int height)
{
    QLinearGradient metal(x, 0, x + kEar, 0);
    metal.setColorAt(0, QColor(0x5a, 0x60, 0x68));
    metal.setColorAt(1, QColor(0x44, 0x49, 0x50));
    p.fillRect(QRect(x, 0, kEar, height), metal);
    p.setPen(QColor(0x22, 0x25, 0x29));
    p.drawLine(x == 0 ? kEar - 1 : x, 0, x == 0 ? kEar - 1 : x, height);
    p.setRenderHint(QPainter::Antialiasing);
    for (int y : {height / 4, height * 3 / 4}) {
        p.setPen(QPen(QColor(0x2a, 0x2d, 0x31), 1));
        p.setBrush(QColor(0x0e, 0x0f, 0x11));
        p.drawRoundedRect(QRectF(x + 5.5, y - 4.5, 9, 9), 4.5, 4.5);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawVents(QPainter& p, const QRect& area)
{
    for (int y = area.top(); y + 3 <= area.bottom(); y += 6) {
        for (int x = area.left(); x + 10 <= area.right(); x += 14) {
            p.fillRect(QRect(x, y, 10, 3), QColor(0x12, 0x14, 0x16));
            p.fillRect(QRect(x, y + 3, 10, 1), QColor(0x50, 0x56, 0x5e));
        }
    }
}

void DrawRecess(QPainter& p, const QRect& r)
{
    p.fillRect(r, QColor(0x24, 0x27, 0x2c));
    p.setPen(QColor(0x16, 0x18, 0x1b));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(0x58, 0x5e, 0x66));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void Label(QPainter& p, const QRect& r, const QString& text, int flags = Qt::AlignCenter)
{
    p.setPen(kLabel);
    p.drawText(r, flags, text);
}

} // namespace

QImage DrawChassis(const CDevModule& panel, const std::string& model)
{
    const QRect bounds = panel.Rect();
    QImage image(bounds.width(), bounds.height(), QImage::Format_RGB32);
    QPainter p(&image);
    const int height = bounds.height();
    DrawPlate(p, QRect(0, 0, bounds.width(), height));
    DrawEar(p, 0, height);
    DrawEar(p, bounds.width() - kEar, height);

    QFont brand(QStringLiteral("DejaVu Sans"));
    brand.setPixelSize(10);
    brand.setBold(true);
    p.setFont(brand);
    Label(p, QRect(kEar + 6, 6, 140, 12), QString::fromStdString(model), Qt::AlignLeft | Qt::AlignVCenter);
    // The PoE model shows its mode legend here; the others have a vent.
    DrawVents(p, QRect(kEar + 8, 26, 92, 34));

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(7);
    p.setFont(small);

    const int portCount = static_cast<int>(panel.ChildCount());
    for (int i = 0; i < portCount; ++i) {
        const CPanelElement* element = panel.ChildAt(static_cast<std::size_t>(i));
        const QRect r = element->Rect();
        if (r.width() <= 0 || r.height() <= 0)
            continue;
        const std::string_view kind = element->ClassName();
        if (kind == "CPort") {
            DrawRecess(p, r.adjusted(-1, -1, 1, 1));
            const bool upper = r.top() < height / 2;
            const QRect number = upper ? QRect(r.left() - 4, r.top() - 17, r.width() + 8, 9)
                                       : QRect(r.left() - 4, r.bottom() + 8, r.width() + 8, 9);
            // Fibre positions carry the port's number with an "F".
            QString id = QString::fromStdString(element->ID());
            if (id.endsWith(QLatin1Char('F')))
                id.chop(1);
            Label(p, number, id);
        } else if (kind == "CCom") {
            DrawRecess(p, r.adjusted(-1, -1, 1, 1));
            const QString name = QString::fromStdString(element->Name()).toUpper();
            if (name == QLatin1String("CONSOLE")) {
                // A blue-framed serial jack.
                p.fillRect(r, QColor(0x4a, 0x7c, 0xb8));
                p.fillRect(r.adjusted(3, 3, -3, -4), QColor(0x0e, 0x10, 0x12));
                p.fillRect(QRect(r.center().x() - 2, r.bottom() - 4, 6, 3), QColor(0x0e, 0x10, 0x12));
                for (int i = 0; i < 8; ++i)
                    p.fillRect(QRect(r.left() + 4 + i * 2, r.top() + 4, 1, 3), QColor(0xd8, 0xb0, 0x3c));
            } else {
                DrawVents(p, r.adjusted(3, 2, -1, -1));
            }
            Label(p, QRect(r.left() - 10, r.bottom() + 3, r.width() + 20, 9), name);
        } else if (kind == "CLed") {
            Label(p, QRect(r.right() + 4, r.top() - 2, 24, 10), QString::fromStdString(element->Name()),
                  Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return image;
}

} // namespace art
