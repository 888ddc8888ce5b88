#include "platform/debug_output.h"
#include "platform/qt_debug_sink.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Logged {
    std::string category;
    QtMsgType type;
    std::string text;
};
std::vector<Logged> g_logged;

void recordMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    g_logged.push_back({context.category ? context.category : "", type, text.toStdString()});
}

class QtDebugSinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_logged.clear();
        m_previous = qInstallMessageHandler(recordMessage);
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

TEST_F(QtDebugSinkTest, LinesAreOffUnlessSwitchedOn)
{
    if (std::getenv("QMX_DEBUG") != nullptr)
        GTEST_SKIP() << "QMX_DEBUG is set for this run";
    platform::debugOutput("==================DestroyWindow===============");
    EXPECT_TRUE(g_logged.empty());
}

TEST_F(QtDebugSinkTest, SwitchedOnLinesArriveWholeInTheirCategory)
{
    QLoggingCategory::setFilterRules(QStringLiteral("qmx.debug.debug=true"));
    const std::string line = "==================m_cCommonSNMP.Close=============== 100% \"quoted\"";
    platform::debugOutput(line);
    platform::debugOutput(std::string_view("first|second").substr(0, 5));
    ASSERT_EQ(g_logged.size(), 2u);
    EXPECT_EQ(g_logged[0].category, "qmx.debug");
    EXPECT_EQ(g_logged[0].type, QtDebugMsg);
    EXPECT_EQ(g_logged[0].text, line);
    EXPECT_EQ(g_logged[1].text, "first");
}
