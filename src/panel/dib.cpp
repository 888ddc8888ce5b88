#include "panel/dib.h"

#include "platform/debug_output.h"
#include "platform/program_folder.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>

namespace panel {

BitmapCheck CheckBitmapFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return BitmapCheck::Unreadable;
    // File header (14 bytes) followed by the information header's size field.
    const QByteArray head = file.read(18);
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        platform::debugOutput("Error:Unexpected file type, not a DIB");
        return BitmapCheck::NotDib;
    }
    if (head.size() < 18 || qFromLittleEndian<quint32>(head.constData() + 14) != 40) {
        platform::debugOutput("Error:OS2 PM BMP Format not supported");
        return BitmapCheck::Os2Header;
    }
    return BitmapCheck::Ok;
}

} // namespace panel

bool CDib::Load(const std::string& name)
{
    m_image = QImage();
    // Picture names are relative to the current directory, or else to the program's folder.
    const std::string path = platform::locateBesideProgram(name);
    if (path.empty() || panel::CheckBitmapFile(path) != panel::BitmapCheck::Ok)
        return false;
    QImage image;
    if (!image.load(QString::fromStdString(path), "BMP"))
        return false;
    m_image = std::move(image);
    return true;
}

void CDib::DrawStretched(QPainter& painter, int x, int y, int width, int height) const
{
    if (IsLoaded())
        painter.drawImage(QRect(x, y, width, height), m_image);
}

void CDib::DrawSource(QPainter& painter, QPoint destination, const QRect& source) const
{
    if (IsLoaded())
        painter.drawImage(destination, m_image, source);
}
