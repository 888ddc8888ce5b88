#pragma once

#include "test_folder.h"

#include <QPoint>

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
        const QString panelBmp = QString::fromStdString(m_files.WriteBmp("panel.bmp", {kPanelWidth, kPanelHeight}, QColor(60, 60, 70)));
        const QString portBmp = QString::fromStdString(m_files.WriteBmp("port.bmp", {kPortWidth, kPortWidth}, QColor(20, 20, 20)));
        QString ports;
        for (int i = 0; i < portCount + 4; ++i)
            ports += QStringLiteral("<PORT lamps=\"LAMPS\"><ID>port%1</ID><LEFT>%2</LEFT><TOP>20</TOP><WIDTH>%3</WIDTH><HEIGHT>%3</HEIGHT>"
                                    "<STATUS>PORTENABLE</STATUS><BMPENABLE>%4</BMPENABLE><LAMPS><LAMP><ID>lamp%1</ID><LEFT>%5</LEFT>"
                                    "<TOP>%6</TOP><WIDTH>6</WIDTH><HEIGHT>4</HEIGHT><TYPE>LINK</TYPE></LAMP></LAMPS></PORT>")
                         .arg(QString::number(i + 1), QString::number(8 + i * kPortPitch), QString::number(kPortWidth), portBmp,
                              QString::number(lampPosition(i).x()), QString::number(lampPosition(i).y()));
        const std::string panelXml = m_files.Write("panel.xml", QStringLiteral("<PANELFILE><DEVICEPANEL front=\"FRONT\"><ID>panel</ID><LEFT>5</LEFT>"
                                                                               "<TOP>5</TOP><WIDTH>%1</WIDTH><HEIGHT>%2</HEIGHT><BMP>%3</BMP><FRONT>%4"
                                                                               "</FRONT></DEVICEPANEL></PANELFILE>")
                                                                    .arg(QString::number(kPanelWidth), QString::number(kPanelHeight), panelBmp, ports)
                                                                    .toUtf8());
        const std::string name = deviceName.empty() ? "" : "DeviceName=" + deviceName + "\n";
        m_userIni = m_files.Write("User.ini", QByteArray::fromStdString("[DeviceInfo]\n" + name + "DevicePortNum=" + std::to_string(portCount) +
                                                                        "\n" + (withXmlName ? "XMLName=" + panelXml + "\n" : "")));
    }

    const std::string& userIni() const { return m_userIni; }

    // Where the lamp of port element `element` (0-based) lies.
    static QPoint lampPosition(int element) { return {10 + element * kPortPitch, 60}; }
    // The middle of port element `element`.
    static QPoint portCentre(int element) { return {8 + element * kPortPitch + kPortWidth / 2, 20 + kPortWidth / 2}; }

private:
    TestFolder m_files;
    std::string m_userIni;
};
