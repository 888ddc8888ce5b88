#pragma once

#include "dialogs/binding.h"

#include <string>
#include <string_view>

namespace dialogs::management {

// "FileType:": what the switch moves.
enum class TransferKind { Firmware = 1, Configuration = 2 };
// "Operation Type:": Upgrade makes the switch fetch the file, Backup send it.
enum class TransferOperation { Upgrade = 1, Backup = 2 };

inline constexpr int kFileNameLimit = 64;
inline constexpr const char* kFileNameTooLong = "The maximum length of file name is 64!";
inline constexpr const char* kUpgradeQuestion =
    "The connection will be disconnected.\nPlease do not apply other changes when uploading.\n"
    "Reconnect to the device later when uploading completes.";

// Up to kFileNameLimit characters are kept; `cut` tells whether any went.
struct ClippedName {
    std::u16string text;
    bool cut = false;
};
ClippedName clipFileName(std::u16string_view text);

// addressText: the address control's dotted text (blank fields read as 0).
// The first failing check's message, or "".
std::string checkTftpServer(std::string_view addressText, bool blankField);
std::string checkTransferFile(std::string_view fileName);

// The server address and file name, one request.
Bindings transferFileSet(TransferKind kind, std::string_view addressText, std::string_view fileName);
Bindings transferOperationSet(TransferKind kind, TransferOperation operation);
std::string transferStatusOid(TransferKind kind);

// What a failed transfer of this kind reports.
std::string transferFailText(TransferKind kind);

} // namespace dialogs::management
