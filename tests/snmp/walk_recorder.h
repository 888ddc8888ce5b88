#pragma once

#include "platform/event.h"
#include "snmp/common_snmp.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Drives an asynchronous walk the way every table dialog does: a pending id
// check first, one row per callback, re-arm, SignalGetDone at the end.
struct WalkRecorder {
    using Row = std::pair<std::string, std::string>; // OID, value text

    explicit WalkRecorder(snmp::CCommonSnmp& session) : session(session) {}

    snmp::CCommonSnmp& session;
    std::mutex mutex;
    std::vector<Row> rows;
    std::vector<std::string> suffixes;
    std::set<std::thread::id> callbackThreads;
    std::vector<int> requestIds;
    int staleResults = 0;
    int endStatus = 0;
    std::atomic<bool> inCallback{false};
    platform::Event ended;

    int start() { return session.getNextAsync(&WalkRecorder::onResult, this, 0); }

    std::vector<Row> rowsSoFar()
    {
        std::lock_guard lock(mutex);
        return rows;
    }

    static unsigned onResult(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status)
    {
        auto& self = *static_cast<WalkRecorder*>(context);
        self.inCallback = true;
        std::unique_lock lock(self.mutex);
        self.callbackThreads.insert(std::this_thread::get_id());
        self.requestIds.push_back(requestId);
        if (!self.session.FindRequestID(requestId)) {
            ++self.staleResults;
        } else if (status != snmp::kStatusOk || !response) {
            self.endStatus = status;
            lock.unlock();
            self.session.SignalGetDone();
            self.ended.set();
        } else {
            for (int i = 0; i < response->getValuesCount(); ++i) {
                std::string oid, suffix;
                response->getOid(i, oid);
                self.session.getSuffix(i, *response, suffix);
                self.rows.emplace_back(oid, response->getValue(i));
                self.suffixes.push_back(suffix);
            }
            lock.unlock();
            self.session.getNextAsync(&WalkRecorder::onResult, context, 0);
        }
        self.inCallback = false;
        return 0;
    }
};
