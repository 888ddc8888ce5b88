#include "sim/snmpd_process.h"

#include "sim/loopback_probe.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sim {
namespace {

using namespace std::chrono_literals;

constexpr auto kAnswerDeadline = 15s;
constexpr auto kStopGrace = 3s;
constexpr int kPortAttempts = 5;

struct UserLine {
    const char* name;
    const char* create; // after "createUser <name> "
    const char* level;  // rwuser minimum level
};

constexpr UserLine kUsers[] = {
    {"simnoauth", "", "noauth"},
    {"simmd5", "MD5 authpass123", "auth"},
    {"simsha", "SHA authpass123", "auth"},
    {"simshades", "SHA authpass123 DES privpass123", "priv"},
    {"simshaaes", "SHA authpass123 AES privpass123", "priv"},
    {"simsha256", "SHA-256 authpass123 AES privpass123", "priv"},
};

std::string makePrivateDirectory()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qmx-snmpd-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}

std::string joined(const std::vector<std::string>& items, char separator)
{
    std::string text;
    for (const auto& item : items) {
        if (!text.empty())
            text += separator;
        text += item;
    }
    return text;
}

} // namespace

struct SnmpdProcess::Impl {
    SnmpdOptions options;
    std::string directory;
    std::uint16_t port = 0;
    pid_t pid = -1;
    bool paused = false;

    std::string path(const char* name) const { return directory + "/" + name; }
    std::string logPath() const { return options.logFile.empty() ? path("snmpd.log") : options.logFile; }

    bool writeConfig() const
    {
        std::ofstream conf(path("snmpd.conf"));
        conf << "[snmp] persistentDir " << path("persist") << "\n"
             << "agentaddress udp:127.0.0.1:" << port << "\n"
             << "rocommunity qevtal 127.0.0.1\n"
             << "rwcommunity morvint 127.0.0.1\n";
        for (const auto& user : kUsers) {
            conf << "createUser " << user.name << (*user.create ? " " : "") << user.create << "\n"
                 << "rwuser " << user.name << " " << user.level << "\n";
        }
        for (const auto& line : options.passPersist)
            conf << "pass_persist " << line << "\n";
        for (const auto& line : options.extraConfig)
            conf << line << "\n";
        return static_cast<bool>(conf.flush());
    }

    bool spawn(std::string* error)
    {
        const std::string conf = path("snmpd.conf");
        const std::string log = logPath();
        const std::string pidFile = path("snmpd.pid");
        std::vector<std::string> args = {"snmpd", "-f", "-C", "-c", conf, "-Lf", log, "-p", pidFile};
        if (!options.modules.empty()) {
            args.push_back("-I");
            args.push_back(joined(options.modules, ','));
        }
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);

        // Persistent state and MIB loading stay out of the host's files.
        std::vector<std::string> env = {"SNMP_PERSISTENT_DIR=" + path("persist"), "SNMPCONFPATH=" + directory,
                                        "MIBS=", "MIBDIRS=" + directory};
        for (char** entry = environ; *entry; ++entry) {
            const std::string_view text(*entry);
            if (!text.starts_with("SNMP_PERSISTENT_DIR=") && !text.starts_with("SNMPCONFPATH=") &&
                !text.starts_with("MIBS=") && !text.starts_with("MIBDIRS="))
                env.emplace_back(text);
        }
        std::vector<char*> envp;
        for (auto& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        // The daemon must see SIGTERM even when our caller blocks it.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        sigaddset(&signals, SIGTERM);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGHUP);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        const std::string output = path("snmpd.out");
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const char* program = std::filesystem::exists("/usr/sbin/snmpd") ? "/usr/sbin/snmpd" : "snmpd";
        const int rc = posix_spawnp(&pid, program, &actions, &attributes, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        if (rc != 0) {
            pid = -1;
            if (error)
                *error = "cannot run snmpd";
            return false;
        }
        return true;
    }

    bool exited()
    {
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return true;
        }
        return pid <= 0;
    }

    // Returns when the agent answers, the process dies or the deadline passes.
    bool awaitAnswer(std::string* error)
    {
        const auto deadline = std::chrono::steady_clock::now() + kAnswerDeadline;
        while (std::chrono::steady_clock::now() < deadline) {
            if (exited()) {
                if (error)
                    *error = "snmpd exited during start-up (see " + logPath() + ")";
                return false;
            }
            if (loopbackAnswers(port, 200ms))
                return true;
            std::this_thread::sleep_for(20ms);
        }
        if (error)
            *error = "snmpd did not answer on port " + std::to_string(port);
        return false;
    }

    bool launch(std::string* error)
    {
        return writeConfig() && spawn(error) && awaitAnswer(error);
    }

    bool terminate()
    {
        if (pid <= 0)
            return true;
        kill(pid, SIGTERM);
        kill(pid, SIGCONT); // a paused daemon only sees SIGTERM once it runs
        const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
        while (std::chrono::steady_clock::now() < deadline) {
            if (exited()) {
                paused = false;
                return true;
            }
            std::this_thread::sleep_for(20ms);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
        paused = false;
        return true;
    }
};

SnmpdProcess::SnmpdProcess(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

SnmpdProcess::~SnmpdProcess()
{
    m_impl->terminate();
    std::error_code ignored;
    std::filesystem::remove_all(m_impl->directory, ignored);
}

std::unique_ptr<SnmpdProcess> SnmpdProcess::start(const SnmpdOptions& options, std::string* error)
{
    auto impl = std::make_unique<Impl>();
    impl->options = options;
    impl->directory = makePrivateDirectory();
    if (impl->directory.empty()) {
        if (error)
            *error = "cannot create a private directory";
        return nullptr;
    }
    std::error_code ignored;
    std::filesystem::create_directory(impl->path("persist"), ignored);
    std::unique_ptr<SnmpdProcess> process(new SnmpdProcess(std::move(impl)));
    Impl& d = *process->m_impl;

    // A free port may be taken between probing and snmpd's bind: try again.
    const int attempts = options.port ? 1 : kPortAttempts;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        d.port = options.port ? options.port : freeLoopbackPort();
        if (d.port == 0) {
            if (error)
                *error = "no free loopback port";
            return nullptr;
        }
        if (d.launch(error))
            return process;
        d.terminate();
    }
    return nullptr;
}

std::uint16_t SnmpdProcess::port() const { return m_impl->port; }
pid_t SnmpdProcess::pid() const { return m_impl->pid; }
const std::string& SnmpdProcess::directory() const { return m_impl->directory; }

bool SnmpdProcess::stop() { return m_impl->terminate(); }

// Both wait for the state change, so the caller knows the agent is silent
// (or running) when they return.
bool SnmpdProcess::pause()
{
    Impl& d = *m_impl;
    if (d.pid <= 0 || d.paused || kill(d.pid, SIGSTOP) != 0)
        return d.paused;
    int status = 0;
    d.paused = waitpid(d.pid, &status, WUNTRACED) == d.pid && WIFSTOPPED(status);
    return d.paused;
}

bool SnmpdProcess::resume()
{
    Impl& d = *m_impl;
    if (d.pid <= 0 || !d.paused || kill(d.pid, SIGCONT) != 0)
        return !d.paused;
    int status = 0;
    d.paused = !(waitpid(d.pid, &status, WCONTINUED) == d.pid && WIFCONTINUED(status));
    return !d.paused;
}

bool SnmpdProcess::restart(std::string* error)
{
    m_impl->terminate();
    if (m_impl->launch(error))
        return true;
    m_impl->terminate();
    return false;
}

} // namespace sim
