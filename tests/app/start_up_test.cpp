// qmx-module itself as a child process: what a start that opens no window
// says on standard error, and its exit status, with and without a display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

TEST(StartUp, RefusalsSayWhyOnStandardErrorWithTheirStatus)
{
    const QString noDisplay = "qmx-module needs a graphical session (DISPLAY or WAYLAND_DISPLAY is not set).\n";
    const QString line = "The switch address on the command line (\"%1\") is %2. Nothing was started.\n";
    const std::tuple<QStringList, QString, int, QString> cases[] = { // arguments, QT_QPA_PLATFORM, status, standard error
        {{}, "", 1, noDisplay}, {{"/Xc/I192.0.2.10"}, "", 1, noDisplay}, {{"--help"}, "", 0, ""},
        {{"--connect", "::1", "--port", "99999"}, "", 2, "qmx-module: --port: invalid value \"99999\"; accepted: a number from 1 to 65535\n"},
        {{"--connect", "127.0.0.1", "--model", "QMX-9999"}, "offscreen", 2,
         "qmx-module: --model: invalid value \"QMX-9999\"; accepted: QMX-7710-ZP, QMX-7720-ZA, QMX-7740-ZP, QMX-7752-ZA\n"},
        {{}, "offscreen", 1, "No parameter input !\nTo connect to a switch, start qmx-module --connect; qmx-module --help lists the options.\n"},
        {{"/Xc/I0:0:0:0:0:0:0:10/R"}, "offscreen", 1, line.arg("0:0:0:0:0:0:0:1...", "longer than 15 characters; no dotted IPv4 address is")},
        {{"/Xc/I10.1"}, "offscreen", 1, line.arg("10.1", "not a dotted IPv4 address such as 192.0.2.10")}};
    QTemporaryDir runtime; // keeps Qt's own warning about it off standard error
    for (const auto& [arguments, platform, status, error] : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
            environment.insert(name, name == "QT_QPA_PLATFORM" ? platform : name == "XDG_RUNTIME_DIR" ? runtime.path() : "");
        QProcess module;
        module.setProcessEnvironment(environment);
        module.start(QMX_MODULE_BINARY, arguments);
        ASSERT_TRUE(module.waitForFinished(20000));
        EXPECT_EQ(std::tuple(module.exitStatus(), module.exitCode(), QString::fromLocal8Bit(module.readAllStandardError())),
                  std::tuple(QProcess::NormalExit, status, error)) << arguments.join(' ').toStdString();
    }
}
