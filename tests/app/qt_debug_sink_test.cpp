#include "platform/debug_output.h"
#include "platform/qt_debug_sink.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Qt's messages as "<category>|<type>|<text>".
std::vector<std::string> g_logged;

// Qt's messages recorded while the debug lines go to the Qt sink.
class QtDebugSinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_logged.clear();
        m_previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            g_logged.push_back(std::string(context.category ? context.category : "") + "|" + std::to_string(type) + "|" +
                               text.toStdString());
        });
        platform::installQtDebugSink();
    }
    void TearDown() override
    {
        platform::setDebugSink(nullptr);
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    QtMessageHandler m_previous = nullptr;
};

} // namespace

TEST_F(QtDebugSinkTest, LinesAreOffUnlessSwitchedOnThenArriveWholeInTheirCategory)
{
    platform::debugOutput("==================DestroyWindow===============");
    EXPECT_TRUE(g_logged.empty() || std::getenv("QMX_DEBUG") != nullptr); // QMX_DEBUG switches them on for the run
    g_logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("qmx.debug.debug=true"));
    const std::string line = "==================m_cCommonSNMP.Close=============== 100% \"quoted\"";
    platform::debugOutput(line);
    platform::debugOutput(std::string_view("first|second").substr(0, 5));
    const std::string debug = "qmx.debug|" + std::to_string(QtDebugMsg) + "|";
    EXPECT_EQ(g_logged, (std::vector<std::string>{debug + line, debug + "first"}));
}
