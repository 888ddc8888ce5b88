#pragma once

#include "dialogs/dialog_session.h"
#include "dialogs/management/snmp_view_rules.h"
#include "dialogs/write_sequence.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Access to the switch's own SNMP agent for the eight agent dialogs. Reads
// and walks deliver on the dialog's thread through the dialog's walk
// starter, each tracked as the dialog's declared read `read`; writes are
// sequences for the dialog's write path.
namespace dialogs::management {

class CSnmpAgentConfig {
public:
    // Adds a session to the dialog (closed by its destroy path in the order added).
    using SessionMaker = std::function<CDialogSession&(std::string memberName)>;
    // The dialog's read id (a ReadId of the dialog base).
    using Read = std::size_t;
    using WalkStarter = std::function<void(CDialogSession&, const WalkRequest&, std::function<void(const WalkRow&)>,
                                           std::function<void()>, Read)>;
    using RowSink = std::function<void(const WalkRow&)>;
    using EndSink = std::function<void()>;

    CSnmpAgentConfig(const SessionMaker& addSession, WalkStarter startWalk);

    // ---- reads: each answer reaches its sink on the dialog's thread ----
    void readGlobalState(std::function<void(const std::string& value)> onValue, Read read);
    void readEngineId(std::function<void(const std::string& hex)> onHex, Read read);
    void readTraps(bool poe, std::function<void(const std::vector<std::string>& values)> onValues, Read read);
    void walkUsers(RowSink onRow, EndSink onEnd, Read read);
    void walkGroups(RowSink onRow, EndSink onEnd, Read read);
    void walkViews(RowSink onRow, EndSink onEnd, Read read);
    void walkCommunities(RowSink onRow, EndSink onEnd, Read read);
    void walkHosts(RowSink onRow, EndSink onEnd, Read read);

    // ---- writes: sequences to run on the dialog's write path ----
    // "1" writes 1, anything else 2; `succeeded` tells whether the set was answered.
    WriteSequence writeGlobalState(const std::string& text, std::shared_ptr<bool> succeeded = {}) const;
    // The hex text, or the default engine ID when `useDefault`.
    WriteSequence writeEngineId(const std::string& hex, bool useDefault) const;
    WriteSequence writeTraps(const std::vector<bool>& checked, bool poe) const;
    // Each element one set request of its own, in order.
    WriteSequence writeRows(SetRequests sets) const;
    // Row creations: createAndWait, the columns, active. The first step that
    // fails ends it with "Unsuccessful!", after the half-made row is
    // destroyed; `created` tells whether the row was made.
    WriteSequence createUser(const UserInput& user, std::shared_ptr<bool> created = {}) const;
    WriteSequence createGroup(const GroupInput& group, std::shared_ptr<bool> created = {}) const;
    WriteSequence createView(const ViewInput& view, std::shared_ptr<bool> created = {}) const;
    WriteSequence createCommunity(const std::string& name, const std::string& user,
                                  std::shared_ptr<bool> created = {}) const;
    WriteSequence createHost(const HostInput& host, std::shared_ptr<bool> created = {}) const;

    // The request bindings of the scalars.
    static Bindings globalStateSet(const std::string& text);
    static Bindings engineIdSet(const std::string& hex, bool useDefault);
    static Bindings trapSet(const std::vector<bool>& checked, bool poe);
    static WalkRequest trapRead(bool poe);
    // What each read and walk asks for, for the dialogs' declarations.
    static WalkRequest globalStateRead();
    static WalkRequest engineIdRead();
    static WalkRequest userWalk();
    static WalkRequest groupWalk();
    static WalkRequest viewWalk();
    static WalkRequest communityWalk();
    static WalkRequest hostWalk();

private:
    WriteSequence createRow(SetRequests sets, std::shared_ptr<bool> created) const;

    WalkStarter m_startWalk;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPTable;
    CDialogSession& m_cCommonSNMPGetUse;
};

} // namespace dialogs::management
