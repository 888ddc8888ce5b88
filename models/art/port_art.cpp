#include "port_art.h"

#include <QLinearGradient>
#include <QPainter>

namespace art {
namespace {

constexpr QSize kCopperSize(22, 18);
constexpr QSize kFibreSize(26, 16);

QImage Blank(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x2f, 0x33, 0x39));
    return image;
}

// Metal shield around an opening, lit from above.
void Shield(QPainter& p, const QRectF& r)
{
    QLinearGradient metal(r.topLeft(), r.bottomLeft());
    metal.setColorAt(0, QColor(0xe4, 0xe7, 0xea));
    metal.setColorAt(1, QColor(0x8d, 0x93, 0x9a));
    p.setPen(QPen(QColor(0x5a, 0x5f, 0x66), 1));
    p.setBrush(metal);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

// Drawn with the latch at the bottom; the lower row is the mirror image.
void DrawCopper(QPainter& p, PortLook look)
{
    Shield(p, QRectF(0, 0, 22, 18));
    const QRectF cavity(3, 3, 16, 12);
    const QRectF notch(8, 14, 6, 3);
    QColor hole(0x0e, 0x10, 0x12);
    if (look == PortLook::Disabled)
        hole = QColor(0x3c, 0x12, 0x12);
    p.setPen(Qt::NoPen);
    p.setBrush(hole);
    p.drawRect(cavity);
    p.drawRect(notch);

    const bool plugged = look == PortLook::Link100 || look == PortLook::Link10;
    if (!plugged) {
        // Eight gold contacts along the top of the opening.
        p.setBrush(QColor(0xd8, 0xb0, 0x3c));
        for (int i = 0; i < 8; ++i)
            p.drawRect(QRectF(4.5 + i * 1.75, 4, 1, 3));
        return;
    }
    // A clear plug with its coloured wires, the boot's colour tells the cable apart.
    p.setBrush(QColor(0xc9, 0xd3, 0xdb));
    p.drawRect(QRectF(3.5, 3.5, 15, 11));
    static const QColor wires[8] = {QColor(0xf0, 0xa0, 0x50), QColor(0xe0, 0x70, 0x10), QColor(0x9c, 0xd8, 0x8c),
                                    QColor(0x30, 0x60, 0xd0), QColor(0xa0, 0xb8, 0xf0), QColor(0x30, 0x9c, 0x30),
                                    QColor(0xc8, 0xa0, 0x80), QColor(0x7a, 0x4a, 0x20)};
    for (int i = 0; i < 8; ++i) {
        p.setBrush(wires[i]);
        p.drawRect(QRectF(4.5 + i * 1.75, 5, 1.2, 5));
    }
    p.setBrush(look == PortLook::Link100 ? QColor(0x2a, 0x6f, 0xd6) : QColor(0x8a, 0x90, 0x98));
    p.drawRect(QRectF(8, 12, 6, 5));
}

void DrawFibre(QPainter& p, PortLook look)
{
    Shield(p, QRectF(0, 0, 26, 16));
    const QRectF opening(2, 2, 22, 12);
    p.setPen(Qt::NoPen);
    switch (look) {
    case PortLook::Empty:
        p.setBrush(QColor(0x0c, 0x0d, 0x0f));
        p.drawRect(opening);
        // Spring fingers of the empty cage.
        p.setBrush(QColor(0x70, 0x76, 0x7e));
        for (int i = 0; i < 6; ++i)
            p.drawRect(QRectF(4 + i * 3.5, 2, 1.5, 2));
        break;
    case PortLook::Enabled:
        // Rubber dust plug.
        p.setBrush(QColor(0x1a, 0x1b, 0x1d));
        p.drawRoundedRect(opening, 2, 2);
        p.setBrush(QColor(0x34, 0x36, 0x3a));
        p.drawRect(QRectF(10, 4, 6, 8));
        break;
    default: {
        // A module: its face with the two fibre receptacles.
        p.setBrush(look == PortLook::Disabled ? QColor(0x8a, 0x60, 0x60) : QColor(0xa8, 0xae, 0xb4));
        p.drawRect(opening);
        const bool connected = look != PortLook::Disabled;
        p.setBrush(connected ? QColor(0x26, 0x5c, 0xc8) : QColor(0x14, 0x14, 0x16));
        p.drawRect(QRectF(5, 4, 6, 7));
        p.setBrush(connected ? QColor(0xe8, 0xde, 0xc4) : QColor(0x14, 0x14, 0x16));
        p.drawRect(QRectF(15, 4, 6, 7));
        if (connected) {
            p.setBrush(look == PortLook::Link100 ? QColor(0xf2, 0xc4, 0x1a) : QColor(0xf0, 0x88, 0x20));
            p.drawRect(QRectF(9, 11.5, 8, 2));
        }
        break;
    }
    }
}

} // namespace

std::string PortKindStem(PortKind kind)
{
    switch (kind) {
    case PortKind::CopperUpper: return "rj45u";
    case PortKind::CopperLower: return "rj45l";
    case PortKind::FibreUpper: return "sfpu";
    case PortKind::FibreLower: return "sfpl";
    }
    return {};
}

std::string PortLookSuffix(PortLook look)
{
    switch (look) {
    case PortLook::Link100: return "link100";
    case PortLook::Link10: return "link10";
    case PortLook::Disabled: return "disable";
    case PortLook::Enabled: return "enable";
    case PortLook::Empty: return "empty";
    }
    return {};
}

QImage DrawPort(PortKind kind, PortLook look)
{
    const bool copper = kind == PortKind::CopperUpper || kind == PortKind::CopperLower;
    QImage image = Blank(copper ? kCopperSize : kFibreSize);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        copper ? DrawCopper(p, look) : DrawFibre(p, look);
    }
    const bool lower = kind == PortKind::CopperLower || kind == PortKind::FibreLower;
    return lower ? image.mirrored(false, true) : image;
}

QImage DrawGreenLed()
{
    QImage image = Blank(QSize(8, 6));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(3.5, 2.5), 4);
    glow.setColorAt(0, QColor(0xd8, 0xff, 0xd8));
    glow.setColorAt(0.5, QColor(0x30, 0xe0, 0x30));
    glow.setColorAt(1, QColor(0x10, 0x80, 0x10));
    p.setPen(QPen(QColor(0x14, 0x16, 0x18), 1));
    p.setBrush(glow);
    p.drawRoundedRect(QRectF(0.5, 0.5, 7, 5), 2, 2);
    return image;
}

} // namespace art
