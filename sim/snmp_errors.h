#pragma once

// Error-status values of RFC 3416 (and RFC 1157 for version 1).
namespace sim {

enum SnmpError : int {
    kNoError = 0,
    kNoSuchName = 2,
    kBadValue = 3,
    kGenErr = 5,
    kNoAccess = 6,
    kWrongType = 7,
    kWrongLength = 8,
    kWrongEncoding = 9,
    kWrongValue = 10,
    kNoCreation = 11,
    kInconsistentValue = 12,
    kResourceUnavailable = 13,
    kAuthorizationError = 16,
    kNotWritable = 17,
    kInconsistentName = 18,
};

} // namespace sim
