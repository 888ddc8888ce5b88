#pragma once

#include "dialogs/dialog_session.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialogs::mib {

// What distinguishes the five standard table views; the dialog shows any of them.
struct TableView {
    std::string title;
    std::string groupCaption;
    std::vector<std::string> headers; // blanks included: they widen the columns
    WalkRequest walk;
    bool showsEntries = false;
    std::string initialEntries = "0";
    // The first walk starts once the window shows (else at once).
    bool walkWhenShown = false;
    // Turns an answered row into the texts of the list columns.
    std::vector<std::string> (*rowTexts)(const WalkRow& row) = nullptr;
};

TableView interfaceTableView();
TableView ipTableView(const std::string& agentAddress);
TableView forwardingTableView();
TableView tcpServiceView();
TableView udpServiceView();

std::string linkStatusText(std::string_view ifOperStatus);
std::string speedText(std::string_view ifSpeed);
std::string fdbStatusText(std::string_view dot1qTpFdbStatus);
std::string tcpStateText(std::string_view tcpConnState);

// The MAC text of a forwarding row's index suffix ".vlan.o1.o2.o3.o4.o5.o6";
// "" when the suffix does not hold six octets after the VLAN.
std::string fdbMacText(std::string_view suffix);
// A forwarding row is listed when the filter is empty or is exactly its port text.
bool fdbRowPasses(const WalkRow& row, std::string_view portFilter);

// What a list says under its rows once its walk has ended: nothing when the
// table was read whole (kStatusEnded), else that the rows shown are not all.
inline constexpr const char* kIncompleteList = "The list is incomplete: the switch did not answer the whole table.";
std::string listEndNote(int walkEndStatus);

// dot1dTpAgingTime, read with a plain get.
inline constexpr const char* kAgingTimeOid = "1.3.6.1.2.1.17.4.2.0";

} // namespace dialogs::mib
