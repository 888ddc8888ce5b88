#pragma once

#include "panel/panel_window.h"
#include "platform/debug_output.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace panel_test {

// Files of one test in a folder of their own.
class Folder {
public:
    std::string Path(const QString& name) const { return m_dir.filePath(name).toStdString(); }
    std::string Write(const QString& name, const QByteArray& content) const
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return Path(name);
    }
    // A one-colour bitmap as Qt writes it.
    std::string WriteBmp(const QString& name, QSize size, QColor colour) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(m_dir.filePath(name), "BMP");
        return Path(name);
    }

private:
    QTemporaryDir m_dir;
};

// Collects the debug lines while it lives.
class DebugLines {
public:
    DebugLines() { Lines().clear(); platform::setDebugSink(&Collect); }
    ~DebugLines() { platform::setDebugSink(nullptr); }
    const std::vector<std::string>& lines() const { return Lines(); }

private:
    static std::vector<std::string>& Lines()
    {
        static std::vector<std::string> lines;
        return lines;
    }
    static void Collect(std::string_view line) { Lines().emplace_back(line); }
};

// Stands where the main window does; records what the panel asks of it.
class RecordingWindow : public panel::PanelWindow {
public:
    QRect client{0, 0, 100, 50};
    std::vector<panel::CursorShape> cursors;
    std::vector<QRect> invalidated;
    std::vector<int> portClicks;
    int socketClicks = 0;

    QRect PanelClientRect() const override { return client; }
    void SetPanelCursor(panel::CursorShape shape) override { cursors.push_back(shape); }
    void InvalidatePanelRect(const QRect& rect) override { invalidated.push_back(rect); }
    void OnPortClicked(int place) override { portClicks.push_back(place); }
    void OnSocketClicked() override { ++socketClicks; }
};

} // namespace panel_test
