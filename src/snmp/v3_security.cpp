#include "snmp/v3_security.h"

namespace snmp {
namespace {

int authArithOf(std::string_view code)
{
    if (code.size() == 1 && code[0] >= '2' && code[0] <= '7')
        return code[0] - '2';
    return -1;
}

int privArithOf(std::string_view code)
{
    if (code == "2")
        return 0;
    if (code == "4")
        return 1;
    return -1;
}

} // namespace

V3SecuritySettings v3SecuritySettings(std::string_view securityLevel, std::string_view authProtocol,
                                      std::string_view privProtocol)
{
    V3SecuritySettings settings;
    if (securityLevel != "2" && securityLevel != "3")
        return settings;
    settings.authArith = authArithOf(authProtocol);
    if (settings.authArith < 0) {
        // Without an authentication algorithm nothing can be authenticated
        // or encrypted, whatever the privacy code says: no flag is claimed.
        return settings;
    }
    settings.msgFlags = 1;
    if (securityLevel == "3") {
        settings.privArith = privArithOf(privProtocol);
        if (settings.privArith >= 0)
            settings.msgFlags = 3;
    }
    return settings;
}

} // namespace snmp
