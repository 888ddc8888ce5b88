#pragma once

namespace app {
class CommandTable;
}

namespace dialogs::switching {

// 802.1X, ARP spoofing prevention and DHCP server screening.
void registerPortSecurityDialogs(app::CommandTable& table);

} // namespace dialogs::switching
