#include "dialogs/management/transfer_rules.h"

#include "dialogs/management/address_ends.h"
#include "snmp/common_snmp.h"

namespace dialogs::management {
namespace {

const std::string kTransfer = "1.3.6.1.4.1.32473.10.75.7.3.";

// Firmware objects are .1 to .4, configuration objects .5 to .8.
std::string transferOid(TransferKind kind, int offset)
{
    const int first = kind == TransferKind::Firmware ? 1 : 5;
    return kTransfer + std::to_string(first + offset) + ".0";
}

} // namespace

ClippedName clipFileName(std::u16string_view text)
{
    if (text.size() <= static_cast<std::size_t>(kFileNameLimit))
        return {std::u16string(text), false};
    return {std::u16string(text.substr(0, kFileNameLimit)), true};
}

std::string checkTftpServer(std::string_view addressText, bool blankField)
{
    // 0.0.0.0 falls under the first number.
    if (blankField || !isDottedAddress(addressText) || zeroOrBroadcastEnd(addressText))
        return "Invalid TFTP server IP.";
    return {};
}

std::string checkTransferFile(std::string_view fileName)
{
    return fileName.empty() ? "Invalid file." : "";
}

Bindings transferFileSet(TransferKind kind, std::string_view addressText, std::string_view fileName)
{
    return {{transferOid(kind, 0), snmp::kTypeIpAddress, std::string(addressText)},
            {transferOid(kind, 1), snmp::kTypeOctetString, std::string(fileName)}};
}

Bindings transferOperationSet(TransferKind kind, TransferOperation operation)
{
    return {{transferOid(kind, 2), snmp::kTypeInteger, std::to_string(static_cast<int>(operation))}};
}

std::string transferStatusOid(TransferKind kind)
{
    return transferOid(kind, 3);
}

std::string transferFailText(TransferKind kind)
{
    return kind == TransferKind::Firmware ? "Firmware Upgrade Fail !" : "Config Restore Fail !";
}

} // namespace dialogs::management
