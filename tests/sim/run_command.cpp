#include "run_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

void readAll(int fd, std::string& text)
{
    char buffer[4096];
    for (ssize_t count; (count = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(count));
}

} // namespace

CommandResult runCommand(const std::vector<std::string>& args)
{
    CommandResult result;
    // Standard error goes to a nameless file, read once the tool has ended.
    char errorsPath[] = "/tmp/qmx-command-errors-XXXXXX";
    const int errorsFd = mkostemp(errorsPath, O_CLOEXEC);
    if (errorsFd < 0)
        return result;
    unlink(errorsPath);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        close(errorsFd);
        return result;
    }
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str())); // posix_spawnp does not write them
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errorsFd, 2);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc == 0)
        readAll(pipeFds[0], result.output);
    int status = 0;
    if (rc == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (rc == 0 && lseek(errorsFd, 0, SEEK_SET) == 0)
        readAll(errorsFd, result.errors);
    close(pipeFds[0]);
    close(errorsFd);
    return result;
}

std::vector<std::string> netSnmpTool(const std::string& directory, std::vector<std::string> command)
{
    command.insert(command.begin(), {"env", "SNMP_PERSISTENT_DIR=" + directory, "SNMPCONFPATH=" + directory, "MIBS="});
    return command;
}
