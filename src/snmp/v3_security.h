#pragma once

#include <string_view>

// The version-3 settings an Open applies, from the session parameters'
// codes. The codes are the last arc of the USM protocol identifiers:
// auth "2" MD5, "3" SHA-1, "4".."7" SHA-224/256/384/512; priv "2" DES,
// "4" AES-128. Security level "1" none, "2" authentication, "3" both.
namespace snmp {

struct V3SecuritySettings {
    int msgFlags = 0;    // 0 none, 1 authentication, 3 authentication and privacy
    int authArith = -1;  // library algorithm: 0 MD5, 1 SHA-1, 2..5 SHA-224..512; -1 none
    int privArith = -1;  // 0 DES, 1 AES-128; -1 none
};

V3SecuritySettings v3SecuritySettings(std::string_view securityLevel, std::string_view authProtocol,
                                      std::string_view privProtocol);

} // namespace snmp
