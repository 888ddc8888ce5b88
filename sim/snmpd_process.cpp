#include "sim/snmpd_process.h"

#include "sim/loopback_probe.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/prctl.h>
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

std::string daemonPath()
{
    std::string directories = "/usr/sbin:/usr/local/sbin";
    if (const char* path = std::getenv("PATH"))
        directories += std::string(":") + path;
    std::size_t start = 0;
    while (start <= directories.size()) {
        const std::size_t end = std::min(directories.find(':', start), directories.size());
        const std::string candidate = directories.substr(start, end - start) + "/snmpd";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
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
        const std::string& address = options.listenAddress;
        const bool v6 = isIpv6Text(address);
        const std::string community = v6 ? "community6 " : "community ";
        std::ofstream conf(path("snmpd.conf"));
        conf << "[snmp] persistentDir " << path("persist") << "\n"
             << "agentaddress " << (v6 ? "udp6:" : "udp:") << hostAndPort(address, port) << "\n"
             << "ro" << community << "qevtal " << address << "\n"
             << "rw" << community << "morvint " << address << "\n";
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
        // -C skips the persistent file too; naming it keeps the engine id
        // and counts its boots across a restart, as a real agent does.
        const std::string persistent = path("persist") + "/snmpd.conf";
        std::vector<std::string> args = {"snmpd", "-f", "-C", "-c", conf + "," + persistent, "-Lf", log, "-p", pidFile};
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

        const std::string output = path("snmpd.out");
        const std::string program = daemonPath();
        if (program.empty()) {
            if (error)
                *error = "snmpd is not installed";
            return false;
        }
        const pid_t parent = getpid();
        const pid_t child = fork();
        if (child == 0) {
            // Only async-signal-safe calls from here to exec.
            // The daemon ends with the thread that started it, even after a
            // crash, and sees SIGTERM even when our caller blocks it.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent)
                _exit(127);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            for (int sig : {SIGTERM, SIGINT, SIGHUP})
                signal(sig, SIG_DFL);
            const int in = open("/dev/null", O_RDONLY);
            const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
            if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0)
                _exit(127);
            execve(program.c_str(), argv.data(), envp.data());
            _exit(127);
        }
        pid = child;
        if (child < 0) {
            pid = -1;
            if (error)
                *error = "cannot start snmpd";
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
            if (loopbackAnswers(port, 200ms, options.listenAddress))
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

    bool relaunch(bool forgetState, std::string* error)
    {
        terminate();
        if (forgetState) {
            std::error_code ignored;
            std::filesystem::remove(path("persist") + "/snmpd.conf", ignored);
        }
        if (launch(error))
            return true;
        terminate();
        return false;
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
        d.port = options.port ? options.port : freeLoopbackPort(options.listenAddress);
        if (d.port == 0) {
            if (error)
                *error = "no free port on " + options.listenAddress;
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
    return m_impl->relaunch(false, error);
}

bool SnmpdProcess::restartAsNewEngine(std::string* error)
{
    return m_impl->relaunch(true, error);
}

} // namespace sim
