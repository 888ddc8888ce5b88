#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <string>

// A model installation in a temporary folder: User.ini, a panel description
// with `portCount + 4` ports (each with a link lamp) and one-colour bitmaps.
class ModelFolder {
public:
    static constexpr int kPanelWidth = 320;
    static constexpr int kPanelHeight = 90;
    static constexpr int kPortWidth = 18;
    static constexpr int kPortPitch = 24;

    ModelFolder(const std::string& deviceName, int portCount, bool withXmlName = true)
    {
        writeBmp("panel.bmp", QColor(60, 60, 70), {kPanelWidth, kPanelHeight});
        writeBmp("port.bmp", QColor(20, 20, 20), {kPortWidth, kPortWidth});
        QString ports;
        for (int i = 0; i < portCount + 4; ++i)
            ports += QStringLiteral("<PORT lamps=\"LAMPS\"><ID>port%1</ID><LEFT>%2</LEFT><TOP>20</TOP><WIDTH>%3</WIDTH><HEIGHT>%3</HEIGHT>"
                                    "<STATUS>PORTENABLE</STATUS><BMPENABLE>%4</BMPENABLE><LAMPS><LAMP><ID>lamp%1</ID><LEFT>%5</LEFT>"
                                    "<TOP>%6</TOP><WIDTH>6</WIDTH><HEIGHT>4</HEIGHT><TYPE>LINK</TYPE></LAMP></LAMPS></PORT>")
                         .arg(QString::number(i + 1), QString::number(8 + i * kPortPitch), QString::number(kPortWidth),
                              path("port.bmp"), QString::number(lampPosition(i).x()), QString::number(lampPosition(i).y()));
        write("panel.xml", QStringLiteral("<PANELFILE><DEVICEPANEL front=\"FRONT\"><ID>panel</ID><LEFT>5</LEFT><TOP>5</TOP><WIDTH>%1"
                                          "</WIDTH><HEIGHT>%2</HEIGHT><BMP>%3</BMP><FRONT>%4</FRONT></DEVICEPANEL></PANELFILE>")
                               .arg(QString::number(kPanelWidth), QString::number(kPanelHeight), path("panel.bmp"), ports));
        const QString name = deviceName.empty() ? QString() : "DeviceName=" + QString::fromStdString(deviceName) + "\n";
        write("User.ini", QStringLiteral("[DeviceInfo]\n%1DevicePortNum=%2\n%3")
                              .arg(name, QString::number(portCount), withXmlName ? "XMLName=" + path("panel.xml") + "\n" : QString()));
    }

    std::string userIni() const { return path("User.ini").toStdString(); }

    // Where the lamp of port element `element` (0-based) lies.
    static QPoint lampPosition(int element) { return {10 + element * kPortPitch, 60}; }
    // The middle of port element `element`.
    static QPoint portCentre(int element) { return {8 + element * kPortPitch + kPortWidth / 2, 20 + kPortWidth / 2}; }

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QString& text) const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
    }
    void writeBmp(const QString& name, QColor colour, QSize size) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path(name), "BMP");
    }

    QTemporaryDir m_dir;
};
