#include "panel_test_support.h"

#include "app/connect/device_description.h"
#include "panel/dib.h"
#include "panel/port.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct Model {
    const char* name;
    int ports;
    bool fan;
};

class ShippedModel : public ::testing::TestWithParam<Model> {
protected:
    // Picture names in the panel file are relative to the working folder.
    void SetUp() override { ASSERT_TRUE(QDir::setCurrent(folder.path())) << folder.path().toStdString(); }
    void TearDown() override { QDir::setCurrent(m_previous); }

    const QString m_previous = QDir::currentPath();
    const QDir folder{QStringLiteral(QMX_MODELS_DIR "/") + QLatin1String(GetParam().name)};
};

TEST_P(ShippedModel, UserIniNamesTheModelAndItsPanelFileLoadsWithItsPortsAndPictures)
{
    const int ports = GetParam().ports;
    // Read as the module reads it: only "Y"/"y" switches a flag on. Every model of the family is gigabit throughout.
    const app::DeviceDescription device = app::readDeviceDescription(folder.filePath("User.ini").toStdString());
    EXPECT_EQ(std::tuple(device.deviceName, device.portCount, device.hasFan, device.allGiga, device.xmlName),
              std::tuple(GetParam().name, ports, GetParam().fan, true, GetParam().name + std::string(".xml")));
    panel_test::Loaded loaded(device.xmlName);
    CDevModule& root = loaded.root;
    ASSERT_TRUE(loaded.result);
    EXPECT_EQ(root.Name(), GetParam().name);

    CDib background;
    ASSERT_TRUE(background.Load(root.PictureFile()));
    EXPECT_EQ(QSize(background.Width(), background.Height()), root.Rect().size());
    const QRect panel(QPoint(0, 0), root.Rect().size());

    // The ports, then the fibre sides of the combination ports.
    ASSERT_TRUE(root.FindNthChild("CPort", ports + 3) && !root.FindNthChild("CPort", ports + 4));
    for (int n = 0; n < ports + 4; ++n) {
        auto* port = static_cast<CPort*>(root.FindNthChild("CPort", n));
        ASSERT_GE(port->ChildCount(), 1u) << n;
        EXPECT_STREQ(port->ChildAt(0)->ClassName(), "CLamp");
        const bool physical = !port->Rect().isEmpty();
        EXPECT_TRUE(n >= ports || (physical && port->ID() == std::to_string(n + 1))) << n << " " << port->ID();
        if (!physical)
            continue; // the fibre side of a port that has none
        EXPECT_TRUE(panel.contains(port->Rect()) && panel.contains(port->ChildAt(0)->Rect())) << n;
        for (int status = panel::kPortPictureCount - 1; status >= 0; --status) {
            port->SetStatus(status);
            ASSERT_TRUE(port->Picture().IsLoaded()) << n << " " << status;
            EXPECT_EQ(QSize(port->Picture().Width(), port->Picture().Height()), port->Rect().size());
        }
    }
    // The fibre sides of the combination ports are real positions.
    const int combos = ports == 10 ? 2 : 4;
    for (int n = ports + 4 - combos; n < ports + 4; ++n)
        EXPECT_FALSE(root.FindNthChild("CPort", n)->Rect().isEmpty()) << n;

    EXPECT_NE(root.FindChild("CCom", "CONSOLE"), nullptr);
    EXPECT_EQ(root.FindChild("CCom", "FAN") != nullptr, GetParam().fan);
    for (int n = 0; CPanelElement* led = root.FindNthChild("CLed", n); ++n)
        EXPECT_TRUE(led->Picture().IsLoaded()) << led->ID();
    // The mode legend of the PoE model is drawn over this corner.
    const QRect legend(25, 23, 96, 38);
    for (std::size_t i = 0; i < root.ChildCount(); ++i) {
        const std::string_view kind = root.ChildAt(i)->ClassName();
        EXPECT_FALSE((kind == "CPort" || kind == "CLed") && legend.intersects(root.ChildAt(i)->Rect())) << root.ChildAt(i)->ID();
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ShippedModel,
                         ::testing::Values(Model{"QMX-7720-ZA", 28, true}, Model{"QMX-7740-ZP", 28, true},
                                           Model{"QMX-7752-ZA", 52, true}, Model{"QMX-7710-ZP", 10, false}),
                         [](const auto& info) { return QString(info.param.name).replace('-', '_').toStdString(); });

} // namespace
