#pragma once

#include "sim/port_list.h"

#include <map>
#include <string>
#include <vector>

// What a model file says about one switch model: the seed of its MIB state.
namespace sim {

struct PortSeed {
    int medium = 2;                 // 1 copper 10/100, 2 gigabit copper, 3/4 fibre with a 100/1000 SFP
    int priority = 1;               // default priority: 1 low .. 4 highest
    bool link = false;
    std::uint64_t speed = 1000000000; // bit/s while the link is up
    bool poe = false;
    double poeMaxWatts = 0;
    bool poweredDevice = false;      // a powered device is attached
    int poeClass = 0;
    double poeWatts = 0;
};

struct VlanSeed {
    int id = 0;
    std::string name;
    PortSet tagged;
    bool multicastEntry = true; // false: the multicast filtering table lacks its row
};

struct TrunkSeed {
    int id = 0;
    int mode = 3;
    PortSet members;
};

// An ACL rule's port list and a static forwarding entry's destination port.
struct AclSeed {
    int id = 0;
    PortSet ports;
};

struct StaticFdbSeed {
    int vlan = 1;
    std::string mac; // 6 octets
    int port = 0;
};

struct NeighborSeed {
    int port = 0;
    int index = 0;
    std::string chassisId; // octets
    std::string portId;
    std::string portDescription;
    std::string systemName;
    std::string systemDescription;
};

struct ModelData {
    std::string model;
    int portCount = 0;
    int comboPorts = 0;
    bool fan = false;
    bool poe = false;
    double poeBudgetWatts = 0;

    std::string sysDescr;
    std::string sysObjectId;
    std::string sysName;
    std::string sysContact;
    std::string sysLocation;
    std::string mac;       // 6 octets
    std::string ipAddress; // 4 octets
    std::string netmask;   // 4 octets
    std::string engineId;  // octets

    std::vector<PortSeed> ports; // index port - 1
    std::vector<int> scenarioPorts;
    std::vector<VlanSeed> vlans;
    std::vector<TrunkSeed> trunks;
    std::vector<NeighborSeed> neighbors;
    std::vector<AclSeed> acls;
    std::vector<StaticFdbSeed> staticFdb;
    int fdbEntries = 50;
};

// Reads <directory>/<model>.xml. False with `error` set when the file is
// missing or malformed.
bool loadModel(const std::string& directory, const std::string& model, ModelData& out, std::string* error = nullptr);

// Where the model files of this build live.
std::string defaultModelDirectory();

} // namespace sim
