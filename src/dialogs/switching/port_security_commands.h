#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs::switching {

// 802.1X, ARP spoofing prevention and DHCP server screening.
void registerPortSecurityDialogs(commands::CommandTable& table);

} // namespace dialogs::switching
