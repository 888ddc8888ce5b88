#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Runs the real Net-SNMP daemon on a free local port with a private
// configuration and persistent directory (nothing under /etc or /var), for
// the simulated switch and for agent tests. The process is ended by its id,
// and also when the thread that started it ends (so a crashed test leaves no
// daemon behind): start it from a thread that outlives it.
namespace sim {

struct SnmpdOptions {
    // snmpd's -I list; empty runs snmpd's stock modules (MIB-II of this host).
    std::vector<std::string> modules;
    // "<oid> <program> [args]" lines handed to pass_persist.
    std::vector<std::string> passPersist;
    // Further snmpd.conf lines.
    std::vector<std::string> extraConfig;
    // Where snmpd logs (-Lf); empty: inside the private directory.
    std::string logFile;
    // 0: pick a free port.
    std::uint16_t port = 0;
    // The numeric IPv4 or IPv6 address snmpd serves on; the communities
    // are accepted from that address only.
    std::string listenAddress = "127.0.0.1";
};

class SnmpdProcess {
public:
    // Starts snmpd with read community "qevtal", write community "morvint"
    // (both from the listening address) and the read-write version-3 users
    //   simnoauth  noAuthNoPriv
    //   simmd5     MD5
    //   simsha     SHA
    //   simshades  SHA + DES
    //   simshaaes  SHA + AES-128
    //   simsha256  SHA-256 + AES-128
    // (authentication pass phrase "authpass123", privacy "privpass123"),
    // and returns once it answers. nullptr and `error` set on failure.
    static std::unique_ptr<SnmpdProcess> start(const SnmpdOptions& options, std::string* error = nullptr);

    ~SnmpdProcess(); // stops the daemon and removes the private directory

    SnmpdProcess(const SnmpdProcess&) = delete;
    SnmpdProcess& operator=(const SnmpdProcess&) = delete;

    std::uint16_t port() const;
    pid_t pid() const;
    const std::string& directory() const;

    bool stop();   // SIGTERM, then SIGKILL after 3 s; waits for the exit
    bool pause();  // SIGSTOP: the agent stops answering
    bool resume(); // SIGCONT
    // Starts the daemon again on the same port and configuration (new engine
    // boots for version-3 sessions). Returns once it answers.
    bool restart(std::string* error = nullptr);
    // The same with the persistent state forgotten: the agent comes back as
    // a new engine (new engine id, boots from 1), as a replaced switch does.
    bool restartAsNewEngine(std::string* error = nullptr);

private:
    struct Impl;
    explicit SnmpdProcess(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace sim
