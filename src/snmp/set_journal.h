#pragma once

#include "snmp/pdu.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The snmp layer's side of the change journal: every set request it sends is
// told to a process-wide observer before it goes to the transport and again
// when its outcome is known. Nothing here touches the disk or the wire.
namespace snmp {

using WallClock = std::chrono::system_clock;

struct SetBindingRecord {
    std::string oid;   // dotted, no leading dot
    std::string type;  // "INTEGER", "OCTET STRING", "IpAddress", ...
    std::string value; // as sent (valueRecordText)
    std::optional<std::string> previous; // as the source had read it
};

struct SetRecord {
    WallClock::time_point time;
    std::string address;
    std::uint16_t port = 0;
    std::string version;  // "1", "2c" or "3"
    std::string userName; // version 3 only; never a community or pass phrase
    std::string source;   // the dialog or command; "" when unknown
    std::optional<std::string> sysName;
    std::vector<SetBindingRecord> bindings;
};

struct SetOutcome {
    enum class Kind { Answered, Error, NoAnswer };
    Kind kind = Kind::NoAnswer;
    int errorStatus = 0;
    int errorIndex = 0;
    WallClock::time_point time;
};

// Both calls run on the thread that sends; they must only hand the record
// on (no I/O, no lock held for long).
class SetObserver {
public:
    virtual ~SetObserver() = default;
    // Returns the id `completed` is later called with.
    virtual std::uint64_t sending(SetRecord record) = 0;
    virtual void completed(std::uint64_t id, SetOutcome outcome) = 0;
};

// Null turns the journal off. Sets already sent complete on the observer
// they started with.
void setSetObserver(std::shared_ptr<SetObserver> observer);
std::shared_ptr<SetObserver> setObserver();
// True while an observer is installed; cheap.
bool setJournalOn();

// What sessions of one dialog or command share: the source their sets are
// recorded under and the values their reads brought (only while the journal
// is on; the oldest dropped beyond kMemoryLimit).
class JournalContext {
public:
    static constexpr std::size_t kMemoryLimit = 50000;

    explicit JournalContext(std::string source = {});
    void setSource(std::string source);
    std::string source() const;

    void remember(const std::vector<VarBind>& answer);
    std::optional<Value> previous(const Oid& oid) const;

private:
    mutable std::mutex m_mutex;
    std::string m_source;
    struct Held {
        Value value;
        std::uint64_t serial;
    };
    std::map<Oid, Held> m_values;
    std::deque<std::pair<Oid, std::uint64_t>> m_order;
    std::uint64_t m_serial = 0;
};

// A read's answer: the sysName it may carry, and the context's memory.
void noteReadAnswer(const std::vector<VarBind>& answer, JournalContext* context);
// The sysName last seen in any answer since the journal was on.
std::optional<std::string> lastSysName();

// The type's name as the journal writes it.
std::string valueTypeName(Asn type);
// Numbers in decimal, addresses and OIDs dotted, an octet string as its text
// when every octet is printable ASCII, else "0x" and lower-case hex digits.
std::string valueRecordText(const Value& value);

} // namespace snmp
