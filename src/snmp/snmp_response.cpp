#include "snmp/common_snmp.h"
#include "snmp/value_text.h"

namespace snmp {

CSnmpResponse::CSnmpResponse(Pdu pdu) : m_pdu(std::move(pdu)) {}

int CSnmpResponse::getValuesCount() const
{
    return static_cast<int>(m_pdu.bindings.size());
}

bool CSnmpResponse::getOid(int index, std::string& oid) const
{
    if (index < 0 || index >= getValuesCount())
        return false;
    oid = oidToText(m_pdu.bindings[static_cast<std::size_t>(index)].oid);
    return true;
}

bool CSnmpResponse::getValue(int index, int& type, std::string& value) const
{
    if (index < 0 || index >= getValuesCount())
        return false;
    const Value& received = m_pdu.bindings[static_cast<std::size_t>(index)].value;
    type = valueTypeCode(received);
    value = valueToText(received);
    return true;
}

std::string CSnmpResponse::getValue(int index) const
{
    int type = 0;
    std::string value;
    getValue(index, type, value);
    return value;
}

} // namespace snmp
