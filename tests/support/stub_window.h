#pragma once

#include "commands/command_table.h"

#include <string>
#include <vector>

// The main window as a command sees it: a QMX-7720-ZA of 28 ports whose set
// session is `session`; records "begin" and "end" of each dialog scope.
class StubWindow final : public commands::MainWindowContext {
public:
    explicit StubWindow(snmp::CCommonSnmp* session = nullptr) : m_session(session) {}

    const std::string& deviceName() const override { return m_name; }
    int portCount() const override { return 28; }
    int combinationPortCount() const override { return 4; }
    bool allGiga() const override { return false; }
    snmp::CCommonSnmp& setSession() override { return *m_session; }
    void beginDialog() override { log.push_back("begin"); }
    void endDialog() override { log.push_back("end"); }

    std::vector<std::string> log;

private:
    std::string m_name = "QMX-7720-ZA";
    snmp::CCommonSnmp* m_session;
};
