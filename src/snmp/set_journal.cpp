#include "snmp/set_journal.h"

#include "snmp/value_text.h"

#include <algorithm>
#include <atomic>

namespace snmp {
namespace {

std::mutex g_observerMutex;
std::shared_ptr<SetObserver> g_observer;
std::atomic<bool> g_on{false};

std::mutex g_sysNameMutex;
std::optional<std::string> g_sysName;

const Oid kSysNameInstance = {1, 3, 6, 1, 2, 1, 1, 5, 0};

bool isException(Asn type)
{
    return type == Asn::NoSuchObject || type == Asn::NoSuchInstance || type == Asn::EndOfMibView;
}

} // namespace

void setSetObserver(std::shared_ptr<SetObserver> observer)
{
    std::lock_guard lock(g_observerMutex);
    g_on = observer != nullptr;
    g_observer = std::move(observer);
    if (!g_on) {
        std::lock_guard names(g_sysNameMutex);
        g_sysName.reset();
    }
}

std::shared_ptr<SetObserver> setObserver()
{
    if (!g_on)
        return nullptr;
    std::lock_guard lock(g_observerMutex);
    return g_observer;
}

bool setJournalOn()
{
    return g_on;
}

JournalContext::JournalContext(std::string source) : m_source(std::move(source)) {}

void JournalContext::setSource(std::string source)
{
    std::lock_guard lock(m_mutex);
    m_source = std::move(source);
}

std::string JournalContext::source() const
{
    std::lock_guard lock(m_mutex);
    return m_source;
}

void JournalContext::remember(const std::vector<VarBind>& answer)
{
    std::lock_guard lock(m_mutex);
    for (const VarBind& binding : answer) {
        if (isException(binding.value.type))
            continue;
        const std::uint64_t serial = ++m_serial;
        m_values.insert_or_assign(binding.oid, Held{binding.value, serial});
        m_order.emplace_back(binding.oid, serial);
    }
    // An entry read again is dropped by its last reading's place.
    while (m_values.size() > kMemoryLimit || m_order.size() > 2 * kMemoryLimit) {
        const auto [oid, serial] = m_order.front();
        m_order.pop_front();
        const auto held = m_values.find(oid);
        if (held != m_values.end() && held->second.serial == serial)
            m_values.erase(held);
    }
}

std::optional<Value> JournalContext::previous(const Oid& oid) const
{
    std::lock_guard lock(m_mutex);
    const auto held = m_values.find(oid);
    if (held == m_values.end())
        return std::nullopt;
    return held->second.value;
}

void noteReadAnswer(const std::vector<VarBind>& answer, JournalContext* context)
{
    if (!g_on)
        return;
    for (const VarBind& binding : answer)
        if (binding.value.type == Asn::OctetString && binding.oid == kSysNameInstance) {
            std::lock_guard lock(g_sysNameMutex);
            g_sysName = binding.value.octets;
        }
    if (context)
        context->remember(answer);
}

std::optional<std::string> lastSysName()
{
    std::lock_guard lock(g_sysNameMutex);
    return g_sysName;
}

std::string valueTypeName(Asn type)
{
    switch (type) {
    case Asn::Integer: return "INTEGER";
    case Asn::OctetString: return "OCTET STRING";
    case Asn::Null: return "NULL";
    case Asn::ObjectId: return "OBJECT IDENTIFIER";
    case Asn::IpAddress: return "IpAddress";
    case Asn::Counter32: return "Counter32";
    case Asn::Gauge32: return "Gauge32";
    case Asn::TimeTicks: return "TimeTicks";
    case Asn::Opaque: return "Opaque";
    case Asn::Counter64: return "Counter64";
    case Asn::NoSuchObject: return "noSuchObject";
    case Asn::NoSuchInstance: return "noSuchInstance";
    case Asn::EndOfMibView: return "endOfMibView";
    }
    return "?";
}

std::string valueRecordText(const Value& value)
{
    if (value.type != Asn::OctetString && value.type != Asn::Opaque)
        return valueToText(value);
    const bool printable = std::all_of(value.octets.begin(), value.octets.end(),
                                       [](unsigned char c) { return c >= 0x20 && c < 0x7f; });
    // Text that reads as hex is written as hex, so every value reads back one way.
    if (printable && !value.octets.starts_with("0x"))
        return value.octets;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "0x";
    for (unsigned char c : value.octets) {
        text += kHex[c >> 4];
        text += kHex[c & 15];
    }
    return text;
}

} // namespace snmp
