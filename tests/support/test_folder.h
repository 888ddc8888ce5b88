#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <string>

// Files of one test in a temporary folder of their own.
class TestFolder {
public:
    std::string Path(const QString& name) const { return m_dir.filePath(name).toStdString(); }
    // Writes `content` and returns the file's path.
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
