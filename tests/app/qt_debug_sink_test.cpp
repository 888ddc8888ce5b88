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

} // namespace

TEST(QtDebugSink, LinesAreOffUnlessSwitchedOnThenArriveWholeInTheirCategory)
{
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        g_logged.push_back(std::string(context.category ? context.category : "") + "|" + std::to_string(type) + "|" + text.toStdString());
    });
    platform::installQtDebugSink();
    platform::debugOutput("==================DestroyWindow===============");
    EXPECT_TRUE(g_logged.empty() || std::getenv("QMX_DEBUG") != nullptr); // QMX_DEBUG switches them on for the run
    g_logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("qmx.debug.debug=true"));
    const std::string line = "==================m_cCommonSNMP.Close=============== 100% \"quoted\"";
    platform::debugOutput(line);
    platform::debugOutput(std::string_view("first|second").substr(0, 5));
    platform::setDebugSink(nullptr);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    const std::string debug = "qmx.debug|" + std::to_string(QtDebugMsg) + "|";
    EXPECT_EQ(g_logged, (std::vector<std::string>{debug + line, debug + "first"}));
}
