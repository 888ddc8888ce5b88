#include "commands/management_path.h"

#include <mutex>

namespace commands {

namespace {
std::mutex g_mutex;
std::shared_ptr<ManagementPathSource> g_source;
} // namespace

void setManagementPathSource(std::shared_ptr<ManagementPathSource> source)
{
    const std::lock_guard lock(g_mutex);
    g_source = std::move(source);
}

std::shared_ptr<ManagementPathSource> managementPathSource()
{
    const std::lock_guard lock(g_mutex);
    return g_source;
}

} // namespace commands
