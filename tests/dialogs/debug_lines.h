#pragma once

#include "../support/debug_lines.h"

#include <initializer_list>

// The banners of a window closing its sessions in the given order.
inline std::vector<std::string> closeBanners(std::initializer_list<const char*> sessions)
{
    std::vector<std::string> banners{"==================DestroyWindow==============="};
    for (const char* session : sessions)
        banners.push_back(std::string("==================") + session + ".Close===============");
    return banners;
}
