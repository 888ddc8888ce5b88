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
        auto* self = static_cast<WalkRecorder*>(context);
        self->inCallback = true;
        self->record(std::move(response), requestId, status);
        self->inCallback = false;
        return 0;
    }

private:
    void record(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, int status)
    {
        std::unique_lock lock(mutex);
        callbackThreads.insert(std::this_thread::get_id());
        requestIds.push_back(requestId);
        if (!session.FindRequestID(requestId)) {
            ++staleResults;
            return;
        }
        if (status != snmp::kStatusOk || !response) {
            endStatus = status;
            lock.unlock();
            session.SignalGetDone();
            ended.set();
            return;
        }
        for (int i = 0; i < response->getValuesCount(); ++i) {
            std::string oid;
            std::string suffix;
            response->getOid(i, oid);
            rows.emplace_back(oid, response->getValue(i));
            session.getSuffix(i, *response, suffix);
            suffixes.push_back(suffix);
        }
        lock.unlock();
        session.getNextAsync(&WalkRecorder::onResult, this, 0);
    }
};
