#include "run_command.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Reads both pipes until each is closed, so neither fills up and blocks the tool.
void drain(int outFd, int errFd, CommandResult& result)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&result.output, &result.errors};
    char buffer[4096];
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (poll(fds, 2, -1) < 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
            if (count > 0)
                sinks[i]->append(buffer, static_cast<std::size_t>(count));
            else
                fds[i].fd = -1; // poll skips negative descriptors
        }
    }
}

} // namespace

CommandResult runCommand(const std::vector<std::string>& args)
{
    CommandResult result;
    int outFds[2], errFds[2];
    if (pipe2(outFds, O_CLOEXEC) != 0)
        return result;
    if (pipe2(errFds, O_CLOEXEC) != 0) {
        close(outFds[0]);
        close(outFds[1]);
        return result;
    }
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str())); // posix_spawnp does not write them
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errFds[1], 2);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outFds[1]);
    close(errFds[1]);
    if (rc == 0)
        drain(outFds[0], errFds[0], result);
    int status = 0;
    if (rc == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    close(outFds[0]);
    close(errFds[0]);
    return result;
}

std::vector<std::string> netSnmpTool(const std::string& directory, std::vector<std::string> command)
{
    command.insert(command.begin(), {"env", "SNMP_PERSISTENT_DIR=" + directory, "SNMPCONFPATH=" + directory, "MIBS="});
    return command;
}
