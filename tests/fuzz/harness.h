#pragma once

#include "dialogs/dialog_session.h"
#include "sim/answering_transport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What every fuzz entry shares. The libFuzzer targets and the corpus replay
// test call the same entries; a broken invariant aborts with a message.
namespace fuzz {

// One entry per input surface; panel_description and picture read through Qt Gui.
using Entry = int(const std::uint8_t* data, std::size_t size);
Entry command_line, user_ini, encodings, agent_answer, netsnmp_answer, poll_results, table_rows, trunk_snapshot;
Entry panel_description, picture;

// Hands out the input as small decisions; once it is used up every read
// gives zeros, so an entry never checks the size.
class FuzzReader {
public:
    FuzzReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    bool flag() { return (byte() & 1) != 0; }
    // A number in [0, max], from as many bytes as max needs.
    std::uint32_t upTo(std::uint32_t max);
    // At most maxLength bytes, the length first; length 0xff, a count and a
    // filler byte make a long run of one byte.
    std::string text(std::size_t maxLength);

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A broken invariant is a finding: the process ends with `what`.
void require(bool condition, std::string_view what);

// The loaders read paths: one private directory, gone when the process ends,
// whose files each input rewrites.
std::string scratchDirectory();
std::string writeScratchFile(std::string_view name, std::string_view content);

// Sessions made from now on talk to a loopback agent of this version.
void useLoopbackAgent(const char* version = "1");

// An agent answering from the input on the transport's thread: time-outs,
// errors, wrong request ids, error statuses, bindings of any OID, type and
// length (OIDs mostly from the request, so walks get somewhere). With the
// input used up every request times out. `targets`, when given, collects
// where each request went; read it once the transport is gone.
class AnswerTransport final : public sim::AnsweringTransport {
public:
    explicit AnswerTransport(FuzzReader& input, std::vector<snmp::Target>* targets = nullptr)
        : AnsweringTransport(false), m_input(input), m_targets(targets) { startServing(); }
    ~AnswerTransport() override { stopServing(); }

private:
    snmp::TransportStatus answer(const snmp::Target& target, const snmp::Pdu& request, snmp::Pdu& response) override;
    snmp::VarBind binding(const snmp::Pdu& request, std::size_t index);

    FuzzReader& m_input; // the serving thread's only
    std::vector<snmp::Target>* m_targets;
};

// One walk of a dialog session, driven on this thread to its single end;
// every row holds the bindings the walk asks for at least.
void walkToTheEnd(const char* sessionName, const dialogs::WalkRequest& walk, const std::function<void(const dialogs::WalkRow&)>& onRow);

// A row no agent would send: any suffix text and up to seven values of any bytes.
dialogs::WalkRow arbitraryRow(FuzzReader& in);

} // namespace fuzz
