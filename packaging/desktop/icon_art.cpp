// Writes the desktop icons from the program's own icon:
//   qmx_icon_art <icon.xpm> <out-dir>
// gives <out-dir>/48x48/qmx-module.png and <out-dir>/256x256/qmx-module.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qmx_icon_art <icon.xpm> <out-dir>\n");
        return 2;
    }
    // Averaging needs true colours with alpha, not the picture's palette.
    const QImage icon = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (icon.isNull() || icon.width() != icon.height()) {
        std::fprintf(stderr, "qmx_icon_art: %s is no square picture\n", argv[1]);
        return 1;
    }
    // The large one keeps the pixel art's edges; the small one is averaged
    // down from it, as no whole multiple of the original fits 48.
    const QImage large = icon.scaled(256, 256, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage small = large.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (const QImage& image : {large, small}) {
        const QString size = QStringLiteral("%1x%1").arg(image.width());
        if (!out.mkpath(size) || !image.save(out.filePath(size + QStringLiteral("/qmx-module.png")), "PNG")) {
            std::fprintf(stderr, "qmx_icon_art: cannot write the %s icon\n", qPrintable(size));
            return 1;
        }
    }
    return 0;
}
