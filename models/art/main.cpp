// Renders the pictures of one model's front panel from its panel file:
//   qmx_panel_art <panel file> <output folder>
// The panel is laid out by the file; the pictures follow it.
#include "chassis_art.h"
#include "port_art.h"

#include "panel/bitmap_cache.h"
#include "panel/panel_elements.h"
#include "panel/panel_loader.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool Save(const QImage& image, const QDir& folder, const std::string& file)
{
    const QString path = folder.filePath(QString::fromStdString(file));
    if (image.save(path, "BMP"))
        return true;
    std::fprintf(stderr, "qmx_panel_art: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qmx_panel_art <panel file> <output folder>\n");
        return 2;
    }
    const std::string panelFile = argv[1];
    const QDir folder(QString::fromLocal8Bit(argv[2]));

    CDevModule panel;
    ModuleList modules;
    CPositionTable positions;
    LoadPanelDescription(panelFile, panel, modules, positions);
    if (panel.ChildCount() == 0 || panel.Rect().isEmpty()) {
        std::fprintf(stderr, "qmx_panel_art: %s describes no panel\n", panelFile.c_str());
        return 1;
    }

    bool ok = Save(art::DrawChassis(panel, panel.Name()), folder, panel.PictureFile());
    using art::PortKind;
    using art::PortLook;
    for (PortKind kind : {PortKind::CopperUpper, PortKind::CopperLower, PortKind::FibreUpper, PortKind::FibreLower}) {
        for (PortLook look : {PortLook::Link100, PortLook::Link10, PortLook::Disabled, PortLook::Enabled, PortLook::Empty}) {
            const std::string file = art::PortKindStem(kind) + "_" + art::PortLookSuffix(look) + ".bmp";
            ok = Save(art::DrawPort(kind, look), folder, file) && ok;
        }
    }
    ok = Save(art::DrawGreenLed(), folder, "led_green.bmp") && ok;
    return ok ? 0 : 1;
}
