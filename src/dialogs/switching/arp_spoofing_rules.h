#pragma once

#include "dialogs/aggregated_links.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dialogs::switching {

inline constexpr int kArpSpoofingMaxEntries = 64;

const std::vector<std::string>& arpSpoofingHeaders();
// Address, MAC, ports and row status of every entry.
WalkRequest arpSpoofingRead();

struct ArpSpoofingRow {
    std::string suffix; // the row's index: its address, ".a.b.c.d"
    std::string address, mac, ports;
};
// Only active rows are listed.
std::optional<ArpSpoofingRow> decodeArpSpoofingRow(const WalkRow& row, int portCount);

std::string checkArpSpoofingAdd(int listed);
std::string checkArpSpoofingDelete(bool selected);
Bindings arpSpoofingDelete(const ArpSpoofingRow& row);

struct ArpSpoofingEntry {
    bool addressHasBlankField = false;
    std::string address; // dotted, blank fields as 0
    std::string mac;     // as typed
    std::vector<bool> ports; // port 1 first
};

inline constexpr const char* kArpAddressFormat = "Please enter correct IP format(ex:192.168.0.10)";
inline constexpr const char* kArpConfirmation = "Make sure the host IP and MAC exists or you will lose the connection.";

// The first failing check's message, or "" (the question comes after).
std::string checkArpSpoofingEntry(const ArpSpoofingEntry& entry, const AggregatedLinks& links);

// The three requests that create a checked entry: create and wait, MAC and
// ports, active.
std::vector<Bindings> arpSpoofingCreate(const ArpSpoofingEntry& entry, int portCount);

} // namespace dialogs::switching
