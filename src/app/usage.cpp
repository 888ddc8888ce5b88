#include "app/usage.h"

namespace app {
namespace {

constexpr char kUsage[] = R"(usage: qmx-module --connect [ADDRESS] [--port N] [--snmp-version 1|2c|3]
           [--user NAME] [--security-level noAuthNoPriv|authNoPriv|authPriv]
           [--auth-protocol MD5|SHA|SHA-1|SHA-224|SHA-256|SHA-384|SHA-512]
           [--privacy-protocol DES|AES|AES-128] [--model MODEL] [--no-vlan-edit]
           [--bulk-reads|--no-bulk-reads] [--no-change-log]
       qmx-module <line>
       qmx-module --change-log [--switch ADDRESS] [--since DATE] [--csv]
       qmx-module --change-log-window
       qmx-module --help | --version

--connect opens the Connect window (the application menu's entry does the
same): the switch's address (a full IPv4 or IPv6 address or a host name,
never a shorthand such as 10.1), its port (161), SNMP
version (3; 2c takes the communities as 1 does) and credentials. The module
reads the switch's sysObjectID and sysDescr and opens the front panel of the
model found. Communities and pass
phrases are never options: they come from QMX_READ_COMMUNITY,
QMX_WRITE_COMMUNITY, QMX_AUTH_PASSPHRASE and QMX_PRIV_PASSPHRASE, from the
desktop's keyring or from the window. With everything needed given, it
connects without showing the window. Defaults: authPriv, SHA-256, AES-128.
--bulk-reads and --no-bulk-reads set the window's "Read tables in bulk" (on
until turned off; version 1 has no GETBULK). The switches connected before
and that choice are kept in ~/.config/qmx-module/qmx-module.conf (never a
community or pass phrase); a console start reads the choice too.
Every set the module sends is recorded in the change journal,
~/.local/share/qmx-module/changes.sqlite (never a community or pass phrase);
--no-change-log, on either start (with <line> too), records nothing for this run.
Protocol, level and version names are taken in any case. A value the module
cannot use (a model not installed, a port outside 1-65535, an unknown
version, level or protocol) is an error that lists the accepted values, exit
status 2. One window runs per model, address and port: a second start for
that switch raises the window, keeps nothing and says so on standard error.
Without DISPLAY or WAYLAND_DISPLAY the module exits with status 1.

--change-log prints the journal of the changes the module sent (every set,
kept in ~/.local/share/qmx-module/changes.sqlite), newest first, without a
display: one block per request with its bindings indented, or with --csv
one CSV line (RFC 4180) per binding under a header line. --switch keeps the
requests to one switch address as the journal holds it; --since keeps those
from DATE on: YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], local time. Times are
printed in UTC (ISO 8601). A journal that cannot be read: exit status 1.
--change-log-window opens the Change Log window alone (it is also in the
main window's Tools menu and the Connect window).

<line>, for management consoles, is two characters, token 0, then for every further
token "/", one letter and the token ("I" before the address). Blanks inside
tokens are dropped. By position:

  0        kept, not used
  1        switch address: four dotted numbers, at most 15 characters
           (required; any other address starts nothing)
  2, 3     read and write community (qevtal, morvint)
  4        VLAN editing allowed, TRUE or true (true)
  5        SNMP version, 1 or 3 (1)
  6        agent UDP port (161)
  7, 8, 9  read and not used (version 3 only)
  10       security level: 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv (1)
  11-13    user name, authentication and privacy pass phrases
  14       authentication: 1 none, 2 MD5, 3 SHA-1, 4-7 SHA-224/256/384/512 (1)
  15       privacy: 1 none, 2 DES, 4 AES-128 (1)

A version-1 line stops after position 6. Example:
  qmx-module /Xc/I192.0.2.10/Rqevtal/Wmorvint/Vtrue/S1/P161

User.ini beside the program names the model and its panel file.
QMX_DEBUG=1 in the environment writes the diagnostic lines.
)";

} // namespace

std::optional<std::string> informationRequest(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return std::nullopt;
    if (arguments[0] == "--help")
        return kUsage;
    if (arguments[0] == "--version")
        return std::string("qmx-module ") + QMX_VERSION + "\n";
    return std::nullopt;
}

} // namespace app
