// The time-range editor's combos as the desktop's accessibility bus shows them.
#include "dialogs/management/time_range_editor_dialog.h"
#include "qt_wait.h"

#include <QGuiApplication>
#include <QProcess>

#include <gtest/gtest.h>

TEST(AccessibilityBus, TimeRangeCombosAreLabelledByTheirCaptionAndUnit)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs a display and an accessibility bus";
    dialogs::management::CTimeBasedPoeConfigDialog editor({}, std::nullopt);
    editor.show();
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(ATSPI_LABELS_SCRIPT)});
    ASSERT_TRUE(waitUntil([&] { return reader.state() == QProcess::NotRunning; }, 60000));
    std::string expected; // each also labelled by its group
    for (const char* labels : {"From Day |year", "month", "day", "To Day |year", "month", "day", "Start Time|hour",
                               "minute", "End Time|hour", "minute"})
        expected += std::string(labels) + "|Time Range Setting\n";
    EXPECT_EQ(reader.readAllStandardOutput().toStdString(), expected) << reader.readAllStandardError().toStdString();
}
