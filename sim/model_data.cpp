#include "sim/model_data.h"

#include "platform/decimal_text.h"

#include <pugixml.hpp>

#include <charconv>
#include <cstdlib>

namespace sim {
namespace {

// "00-00-5E-00-53-20" or "192.168.1.2": `count` numbers in `base` between separators.
bool parseOctets(std::string_view text, char separator, int base, std::size_t count, std::string& out)
{
    std::string octets;
    while (octets.size() < count) {
        const std::size_t end = text.find(separator);
        const std::string_view part = text.substr(0, end);
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), value, base);
        if (part.empty() || ec != std::errc() || ptr != part.data() + part.size() || value > 255)
            return false;
        octets.push_back(static_cast<char>(value));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    out = std::move(octets);
    return out.size() == count;
}

bool parseHex(std::string_view text, std::string& out)
{
    if (text.size() % 2 != 0)
        return false;
    std::string octets;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (ec != std::errc() || ptr != text.data() + i + 2)
            return false;
        octets.push_back(static_cast<char>(value));
    }
    out = std::move(octets);
    return true;
}

class Reader {
public:
    explicit Reader(ModelData& model) : m_model(model) {}

    bool read(const pugi::xml_node& root)
    {
        m_model.model = root.attribute("model").as_string();
        m_model.portCount = root.attribute("ports").as_int();
        m_model.comboPorts = root.attribute("combo-ports").as_int();
        m_model.fan = std::string_view(root.attribute("fan").as_string()) == "yes";
        if (m_model.portCount < 1 || m_model.portCount > 64)
            return fail("the port count must be 1 to 64");
        m_model.ports.assign(static_cast<std::size_t>(m_model.portCount), PortSeed{});
        return readSystem(root.child("system")) && readPorts(root.child("ports")) && readPoe(root.child("poe")) &&
               readScenario(root.child("scenario")) && readVlans(root.child("vlans")) &&
               readTrunks(root.child("trunks")) && readNeighbors(root.child("lldp")) && readFdb(root.child("fdb")) &&
               readSecurity(root.child("security"));
    }

    const std::string& error() const { return m_error; }

private:
    bool fail(std::string message)
    {
        m_error = std::move(message);
        return false;
    }

    bool ports(const pugi::xml_node& node, const char* attribute, PortSet& out)
    {
        if (!parsePortRanges(node.attribute(attribute).as_string(), out) ||
            (!out.empty() && *out.rbegin() > m_model.portCount))
            return fail(std::string("bad port list in <") + node.name() + " " + attribute + ">");
        return true;
    }

    PortSeed& port(int number) { return m_model.ports[static_cast<std::size_t>(number - 1)]; }

    bool readSystem(const pugi::xml_node& node)
    {
        m_model.sysDescr = node.attribute("description").as_string();
        m_model.sysObjectId = node.attribute("object-id").as_string();
        m_model.sysName = node.attribute("name").as_string();
        m_model.sysContact = node.attribute("contact").as_string();
        m_model.sysLocation = node.attribute("location").as_string();
        if (!parseOctets(node.attribute("mac").as_string(), '-', 16, 6, m_model.mac) ||
            !parseOctets(node.attribute("ip").as_string(), '.', 10, 4, m_model.ipAddress) ||
            !parseOctets(node.attribute("netmask").as_string(), '.', 10, 4, m_model.netmask) ||
            !parseHex(node.attribute("engine-id").as_string(), m_model.engineId))
            return fail("bad <system> addresses");
        return true;
    }

    bool readPorts(const pugi::xml_node& node)
    {
        for (const auto& child : node.children()) {
            PortSet range;
            if (!ports(child, "range", range))
                return false;
            for (int p : range) {
                if (std::string_view(child.name()) == "port") {
                    port(p).medium = child.attribute("medium").as_int(2);
                } else if (std::string_view(child.name()) == "priority") {
                    port(p).priority = child.attribute("value").as_int(1);
                } else if (std::string_view(child.name()) == "link") {
                    port(p).link = true;
                    port(p).speed = child.attribute("speed").as_ullong(1000000000);
                }
            }
        }
        return true;
    }

    bool readPoe(const pugi::xml_node& node)
    {
        if (!node)
            return true;
        m_model.poe = true;
        m_model.poeBudgetWatts = platform::leadingDecimal(node.attribute("budget").as_string());
        for (const auto& child : node.children("port")) {
            PortSet range;
            if (!ports(child, "range", range))
                return false;
            for (int p : range) {
                port(p).poe = true;
                port(p).poeMaxWatts = platform::leadingDecimal(child.attribute("max").as_string());
            }
        }
        for (const auto& child : node.children("device")) {
            const int p = child.attribute("port").as_int();
            if (p < 1 || p > m_model.portCount || !port(p).poe)
                return fail("a powered device on a port without PoE");
            port(p).poweredDevice = true;
            port(p).poeClass = child.attribute("class").as_int();
            port(p).poeWatts = platform::leadingDecimal(child.attribute("watts").as_string());
        }
        return true;
    }

    bool readScenario(const pugi::xml_node& node)
    {
        PortSet flapping;
        if (node && !ports(node, "ports", flapping))
            return false;
        m_model.scenarioPorts.assign(flapping.begin(), flapping.end());
        return true;
    }

    bool readVlans(const pugi::xml_node& node)
    {
        for (const auto& child : node.children("vlan")) {
            VlanSeed vlan;
            vlan.id = child.attribute("id").as_int();
            vlan.name = child.attribute("name").as_string();
            vlan.multicastEntry = std::string_view(child.attribute("multicast-entry").as_string("yes")) != "no";
            if (vlan.id < 2 || vlan.id > 4094 || !ports(child, "tagged", vlan.tagged))
                return fail("bad <vlan>");
            m_model.vlans.push_back(std::move(vlan));
        }
        return true;
    }

    bool readTrunks(const pugi::xml_node& node)
    {
        for (const auto& child : node.children("trunk")) {
            TrunkSeed trunk;
            trunk.id = child.attribute("id").as_int();
            trunk.mode = child.attribute("mode").as_int(3);
            if (trunk.id < 1 || trunk.id > 8 || !ports(child, "members", trunk.members))
                return fail("bad <trunk>");
            m_model.trunks.push_back(std::move(trunk));
        }
        return true;
    }

    bool readNeighbors(const pugi::xml_node& node)
    {
        for (const auto& child : node.children("neighbor")) {
            NeighborSeed neighbor;
            neighbor.port = child.attribute("port").as_int();
            neighbor.index = child.attribute("index").as_int();
            neighbor.portId = child.attribute("port-id").as_string();
            neighbor.portDescription = child.attribute("port-description").as_string();
            neighbor.systemName = child.attribute("system-name").as_string();
            neighbor.systemDescription = child.attribute("system-description").as_string();
            if (neighbor.port < 1 || neighbor.port > m_model.portCount ||
                !parseOctets(child.attribute("chassis").as_string(), '-', 16, 6, neighbor.chassisId))
                return fail("bad <neighbor>");
            m_model.neighbors.push_back(std::move(neighbor));
        }
        return true;
    }

    bool readFdb(const pugi::xml_node& node)
    {
        m_model.fdbEntries = node.attribute("entries").as_int(50);
        return true;
    }

    bool readSecurity(const pugi::xml_node& node)
    {
        for (const auto& child : node.children("acl")) {
            AclSeed acl;
            acl.id = child.attribute("id").as_int();
            if (acl.id < 1 || !ports(child, "ports", acl.ports))
                return fail("bad <acl>");
            m_model.acls.push_back(std::move(acl));
        }
        for (const auto& child : node.children("static-fdb")) {
            StaticFdbSeed entry;
            entry.vlan = child.attribute("vlan").as_int(1);
            entry.port = child.attribute("port").as_int();
            if (entry.vlan < 1 || entry.vlan > 4094 || entry.port < 1 || entry.port > m_model.portCount ||
                !parseOctets(child.attribute("mac").as_string(), '-', 16, 6, entry.mac))
                return fail("bad <static-fdb>");
            m_model.staticFdb.push_back(std::move(entry));
        }
        return true;
    }

    ModelData& m_model;
    std::string m_error;
};

} // namespace

bool loadModel(const std::string& directory, const std::string& model, ModelData& out, std::string* error)
{
    const std::string path = directory + "/" + model + ".xml";
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(path.c_str());
    if (!parsed) {
        if (error)
            *error = path + ": " + parsed.description();
        return false;
    }
    ModelData data;
    Reader reader(data);
    if (!reader.read(document.child("switch"))) {
        if (error)
            *error = path + ": " + reader.error();
        return false;
    }
    out = std::move(data);
    return true;
}

std::string defaultModelDirectory()
{
    if (const char* directory = std::getenv("QMX_SIM_MODELS"); directory && *directory)
        return directory;
    return QMX_SIM_MODELS_DIR;
}

} // namespace sim
