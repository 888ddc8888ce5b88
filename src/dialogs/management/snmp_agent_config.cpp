#include "dialogs/management/snmp_agent_config.h"

#include "dialogs/management/snmp_agent_rules.h"
#include "snmp/common_snmp.h"

namespace dialogs::management {
namespace {

const std::string kGlobalState = kAgentRoot + ".1.0";
const std::string kEngineId = kAgentRoot + ".7.0";

std::string trapOid(std::size_t number)
{
    return kAgentRoot + ".8." + std::to_string(number) + ".0";
}

WalkRequest singleGet(std::vector<std::string> oids)
{
    WalkRequest request;
    request.mode = WalkRequest::Mode::Single;
    request.minimumBindings = oids.size();
    request.oids = std::move(oids);
    return request;
}

} // namespace

CSnmpAgentConfig::CSnmpAgentConfig(const SessionMaker& addSession, WalkStarter startWalk)
    : m_startWalk(std::move(startWalk)),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_cCommonSNMPGetUse(addSession("m_cCommonSNMPGetUse"))
{
}

WalkRequest CSnmpAgentConfig::globalStateRead()
{
    return singleGet({kGlobalState});
}

WalkRequest CSnmpAgentConfig::engineIdRead()
{
    return singleGet({kEngineId});
}

WalkRequest CSnmpAgentConfig::userWalk()
{
    return tableWalk(kUserEntry, {1, 2, 3, 4, 5, 6, 7, 8});
}

WalkRequest CSnmpAgentConfig::groupWalk()
{
    return tableWalk(kGroupEntry, {1, 2, 3, 4, 5, 6, 7});
}

WalkRequest CSnmpAgentConfig::viewWalk()
{
    return tableWalk(kViewEntry, {1, 3, 4, 5});
}

WalkRequest CSnmpAgentConfig::communityWalk()
{
    return tableWalk(kCommunityEntry, {1, 2, 3});
}

WalkRequest CSnmpAgentConfig::hostWalk()
{
    return tableWalk(kHostEntry, {1, 2, 3, 4});
}

void CSnmpAgentConfig::readGlobalState(std::function<void(const std::string&)> onValue, Read read)
{
    m_startWalk(m_cCommonSNMP, globalStateRead(),
                [onValue = std::move(onValue)](const WalkRow& row) { onValue(row.values.front()); }, {}, read);
}

void CSnmpAgentConfig::readEngineId(std::function<void(const std::string&)> onHex, Read read)
{
    m_startWalk(
        m_cCommonSNMPTable, engineIdRead(),
        [onHex = std::move(onHex)](const WalkRow& row) {
            if (const auto hex = decodeEngineId(row.values.front()))
                onHex(*hex);
        },
        {}, read);
}

WalkRequest CSnmpAgentConfig::trapRead(bool poe)
{
    std::vector<std::string> oids;
    for (std::size_t number = 1; number <= trapCount(poe); ++number)
        oids.push_back(trapOid(number));
    return singleGet(std::move(oids));
}

void CSnmpAgentConfig::readTraps(bool poe, std::function<void(const std::vector<std::string>&)> onValues, Read read)
{
    m_startWalk(m_cCommonSNMP, trapRead(poe),
                [onValues = std::move(onValues)](const WalkRow& row) { onValues(row.values); }, {}, read);
}

void CSnmpAgentConfig::walkUsers(RowSink onRow, EndSink onEnd, Read read)
{
    m_startWalk(m_cCommonSNMPGetUse, userWalk(), std::move(onRow), std::move(onEnd), read);
}

void CSnmpAgentConfig::walkGroups(RowSink onRow, EndSink onEnd, Read read)
{
    m_startWalk(m_cCommonSNMPTable, groupWalk(), std::move(onRow), std::move(onEnd), read);
}

void CSnmpAgentConfig::walkViews(RowSink onRow, EndSink onEnd, Read read)
{
    m_startWalk(m_cCommonSNMPTable, viewWalk(), std::move(onRow), std::move(onEnd), read);
}

void CSnmpAgentConfig::walkCommunities(RowSink onRow, EndSink onEnd, Read read)
{
    m_startWalk(m_cCommonSNMPTable, communityWalk(), std::move(onRow), std::move(onEnd), read);
}

void CSnmpAgentConfig::walkHosts(RowSink onRow, EndSink onEnd, Read read)
{
    m_startWalk(m_cCommonSNMPTable, hostWalk(), std::move(onRow), std::move(onEnd), read);
}

Bindings CSnmpAgentConfig::globalStateSet(const std::string& text)
{
    return {{kGlobalState, snmp::kTypeInteger, text == "1" ? "1" : "2"}};
}

Bindings CSnmpAgentConfig::engineIdSet(const std::string& hex, bool useDefault)
{
    return {{kEngineId, snmp::kTypeOctetString, engineIdOctets(useDefault ? std::string(kDefaultEngineId) : hex)}};
}

Bindings CSnmpAgentConfig::trapSet(const std::vector<bool>& checked, bool poe)
{
    Bindings bindings;
    for (std::size_t i = 0; i < trapCount(poe) && i < checked.size(); ++i)
        bindings.push_back({trapOid(i + 1), snmp::kTypeInteger, checked[i] ? "1" : "2"});
    return bindings;
}

WriteSequence CSnmpAgentConfig::writeGlobalState(const std::string& text, std::shared_ptr<bool> succeeded) const
{
    return [&session = m_cCommonSNMPSet, bindings = globalStateSet(text), succeeded](WriteContext& write) {
        const bool ok = write.set(session, bindings) == snmp::kStatusOk;
        if (succeeded)
            *succeeded = ok;
    };
}

WriteSequence CSnmpAgentConfig::writeEngineId(const std::string& hex, bool useDefault) const
{
    return [&session = m_cCommonSNMPSet, bindings = engineIdSet(hex, useDefault)](WriteContext& write) {
        write.set(session, bindings);
    };
}

WriteSequence CSnmpAgentConfig::writeTraps(const std::vector<bool>& checked, bool poe) const
{
    // The trap settings go on the session that read them.
    return [&session = m_cCommonSNMP, bindings = trapSet(checked, poe)](WriteContext& write) {
        write.set(session, bindings);
    };
}

WriteSequence CSnmpAgentConfig::writeRows(SetRequests sets) const
{
    return [&session = m_cCommonSNMPSet, sets = std::move(sets)](WriteContext& write) {
        for (const Bindings& bindings : sets)
            write.set(session, bindings);
    };
}

namespace {

// Each step a set of its own. A refused createAndWait sends nothing more: the
// index may hold a row that is not this dialog's. A later step that fails
// destroys the row again, so no hidden half-made row keeps its index.
bool writeCreation(WriteContext& write, CDialogSession& session, const SetRequests& sets)
{
    for (std::size_t step = 0; step < sets.size(); ++step) {
        if (write.set(session, sets[step]) == snmp::kStatusOk)
            continue;
        if (step > 0) {
            Bindings destroy = sets.front(); // the row status alone, createAndWait
            destroy.front().value = "6";
            write.set(session, destroy);
        }
        write.warn("Unsuccessful!");
        return false;
    }
    return true;
}

} // namespace

WriteSequence CSnmpAgentConfig::createRow(SetRequests sets, std::shared_ptr<bool> created) const
{
    return [&session = m_cCommonSNMPSet, sets = std::move(sets), created](WriteContext& write) {
        const bool made = writeCreation(write, session, sets);
        if (created)
            *created = made;
    };
}

WriteSequence CSnmpAgentConfig::createUser(const UserInput& user, std::shared_ptr<bool> created) const
{
    return createRow(userCreation(user), std::move(created));
}

WriteSequence CSnmpAgentConfig::createGroup(const GroupInput& group, std::shared_ptr<bool> created) const
{
    return createRow(groupCreation(group), std::move(created));
}

WriteSequence CSnmpAgentConfig::createView(const ViewInput& view, std::shared_ptr<bool> created) const
{
    return createRow(viewCreation(view), std::move(created));
}

WriteSequence CSnmpAgentConfig::createCommunity(const std::string& name, const std::string& user,
                                                std::shared_ptr<bool> created) const
{
    return createRow(communityCreation(name, user), std::move(created));
}

WriteSequence CSnmpAgentConfig::createHost(const HostInput& host, std::shared_ptr<bool> created) const
{
    return createRow(hostCreation(host), std::move(created));
}

} // namespace dialogs::management
