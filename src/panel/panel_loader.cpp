#include "panel/panel_loader.h"

#include "panel/bitmap_cache.h"
#include "panel/lamp.h"
#include "panel/panel_elements.h"
#include "panel/port.h"
#include "platform/debug_output.h"

#include <pugixml.hpp>

#include <array>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <exception>
#include <span>
#include <string_view>

namespace {

constexpr std::string_view kWalkFrame = "stroooooooooooooooo";
// Containers may name any node, their own ancestors too; these bound the walk.
constexpr int kMaxDepth = 32;
constexpr int kMaxVisits = 100000;

constexpr std::array<std::string_view, panel::kPortPictureCount> kPortPictureTags = {
    "BMPLINK100", "BMPLINK10", "BMPDISABLE", "BMPENABLE", "BMPEMPTY"};

struct Keyword {
    std::string_view text;
    int value;
};

constexpr Keyword kLampStatuses[] = {
    {"LAMPON", CLamp::kLampOn}, {"LAMP1G", CLamp::kLamp1G}, {"LAMPOFF", CLamp::kLampOff}};
constexpr Keyword kPortStatuses[] = {
    {"PORTLINK100", panel::kPortLink100}, {"PORTLINK10", panel::kPortLink10}, {"PORTDISABLED", panel::kPortDisabled},
    {"PORTENABLE", panel::kPortEnabled}, {"PORTEMPTY", panel::kPortEmpty}};
constexpr Keyword kLampTypes[] = {
    {"LINK", CLamp::kLink}, {"S100M", CLamp::kS100M}, {"POWER", CLamp::kPower}, {"CONSOLE", CLamp::kConsole}};

// -1 for a keyword the table does not know.
int Lookup(std::span<const Keyword> table, std::string_view keyword)
{
    for (const Keyword& entry : table) {
        if (entry.text == keyword)
            return entry.value;
    }
    return -1;
}

// Leading blanks, optional sign, digits; anything else ends the number.
int ParseInt(const std::string& text)
{
    const char* p = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const long long value = std::strtoll(p, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::unique_ptr<CPanelElement> MakeElement(std::string_view tag)
{
    if (tag == "PANEL") return std::make_unique<CPanel>();
    if (tag == "PORT") return std::make_unique<CPort>();
    if (tag == "LAMP") return std::make_unique<CLamp>();
    if (tag == "SLOT") return std::make_unique<CSlot>();
    if (tag == "CONSOLE" || tag == "MASTER" || tag == "RPS" || tag == "FAN") return std::make_unique<CCom>();
    if (tag == "POWER") return std::make_unique<CPowerUnit>();
    if (tag == "LED") return std::make_unique<CLed>();
    return nullptr;
}

class Loader {
public:
    Loader(ModuleList& modules, CPositionTable& positions) : m_modules(modules), m_positions(positions) {}

    void WalkList(const std::vector<pugi::xml_node>& nodes, CPanelElement* parent);

private:
    void WalkNode(pugi::xml_node node, CPanelElement* parent);
    void FollowContainers(pugi::xml_node node, CPanelElement* object);
    bool ApplyProperties(pugi::xml_node node, CPanelElement& object);

    ModuleList& m_modules;
    CPositionTable& m_positions;
    std::vector<pugi::xml_node> m_openContainers;
    int m_nVisits = 0;
};

void AppendText(pugi::xml_node node, std::string& text, int depth = 0)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
        else if (child.type() == pugi::node_element && depth < kMaxDepth)
            AppendText(child, text, depth + 1);
    }
}

// The trimmed text of a property element; false when it is absent.
bool Property(pugi::xml_node node, const char* name, std::string& text)
{
    const pugi::xml_node property = node.child(name);
    if (!property)
        return false;
    std::string value;
    AppendText(property, value);
    const auto first = value.find_first_not_of(" \t\r\n");
    const auto last = value.find_last_not_of(" \t\r\n");
    text = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    return true;
}

void Loader::WalkList(const std::vector<pugi::xml_node>& nodes, CPanelElement* parent)
{
    const std::string count = "node num = " + std::to_string(nodes.size());
    platform::debugOutput(kWalkFrame);
    platform::debugOutput(count);
    platform::debugOutput(kWalkFrame);
    for (pugi::xml_node node : nodes) {
        if (++m_nVisits > kMaxVisits)
            return;
        WalkNode(node, parent);
    }
}

void Loader::WalkNode(pugi::xml_node node, CPanelElement* parent)
{
    const std::string_view tag = node.type() == pugi::node_element ? node.name() : "";
    CPanelElement* object = nullptr;

    if (tag == "DEVICEPANEL") {
        if (parent != nullptr && !ApplyProperties(node, *parent))
            return;
        object = parent;
    } else if (tag == "MODULE") {
        auto module = std::make_unique<CModule>();
        if (!ApplyProperties(node, *module))
            return;
        module->LoadPicture();
        object = module.get();
        m_modules.push_back(std::move(module));
    } else if (auto made = MakeElement(tag); made != nullptr && parent != nullptr) {
        if (!ApplyProperties(node, *made))
            return;
        const bool watchesParent = tag == "LAMP"
            && (std::string_view(parent->ClassName()) == "CPort" || std::string_view(parent->ClassName()) == "CCom");
        object = parent->AddChild(std::move(made));
        if (watchesParent) {
            if (auto* subject = dynamic_cast<CSubject*>(parent))
                subject->Attach(dynamic_cast<CLamp*>(object));
        }
        object->LoadPicture();
    }
    FollowContainers(node, object);
}

void Loader::FollowContainers(pugi::xml_node node, CPanelElement* object)
{
    if (m_openContainers.size() >= kMaxDepth)
        return;
    for (pugi::xml_attribute attribute : node.attributes()) {
        pugi::xml_node container;
        try {
            container = node.select_node(attribute.value()).node();
        } catch (const std::exception&) {
            // An empty or malformed expression names no container.
            continue;
        }
        if (!container)
            continue;
        bool open = false;
        for (pugi::xml_node seen : m_openContainers)
            open = open || seen == container;
        if (open)
            continue;
        m_openContainers.push_back(container);
        std::vector<pugi::xml_node> children(container.begin(), container.end());
        WalkList(children, object);
        m_openContainers.pop_back();
    }
}

bool Loader::ApplyProperties(pugi::xml_node node, CPanelElement& object)
{
    const std::string_view tag = node.name();
    std::string text;

    Property(node, "ID", text);
    const bool positioned = text == "0";
    if (!positioned)
        object.SetID(text);

    const int left = Property(node, "LEFT", text) ? ParseInt(text) : 0;
    const int top = Property(node, "TOP", text) ? ParseInt(text) : 0;
    if (positioned)
        m_positions.Add(left, top);

    if (!Property(node, "WIDTH", text))
        return false;
    const int width = ParseInt(text);
    const int height = Property(node, "HEIGHT", text) ? ParseInt(text) : 0;
    object.SetRect(left, top, width, height);

    if (Property(node, "BMP", text))
        object.SetPictureFile(text);

    if (Property(node, "STATUS", text)) {
        const int status = tag == "LAMP" ? Lookup(kLampStatuses, text) : tag == "PORT" ? Lookup(kPortStatuses, text) : -1;
        if (status >= 0)
            object.SetStatus(status);
    }
    if (tag == "LAMP" && Property(node, "TYPE", text)) {
        if (const int type = Lookup(kLampTypes, text); type >= 0)
            object.SetType(type);
    }
    if (Property(node, "NAME", text))
        object.SetName(text);

    if (auto* port = dynamic_cast<CPort*>(&object); port != nullptr && tag == "PORT") {
        for (int i = 0; i < panel::kPortPictureCount; ++i) {
            if (Property(node, kPortPictureTags[static_cast<std::size_t>(i)].data(), text) && !text.empty())
                port->SetPortPicture(i, text);
        }
    }
    if (auto* led = dynamic_cast<CLed*>(&object); led != nullptr && tag == "LED") {
        for (int i = 0; i < CLed::kPictureCount; ++i) {
            const std::string name = "BMP" + std::to_string(i);
            if (Property(node, name.c_str(), text) && !text.empty())
                led->SetLedPicture(i, text);
        }
    }
    return true;
}

std::vector<pugi::xml_node> ElementsByTagName(pugi::xml_document& document, std::string_view tag)
{
    std::vector<pugi::xml_node> found;
    struct Collector : pugi::xml_tree_walker {
        std::string_view tag;
        std::vector<pugi::xml_node>* found;
        bool for_each(pugi::xml_node& node) override
        {
            if (node.type() == pugi::node_element && tag == node.name())
                found->push_back(node);
            return true;
        }
    } collector;
    collector.tag = tag;
    collector.found = &found;
    document.traverse(collector);
    return found;
}

void WriteListCount(std::size_t count)
{
    platform::debugOutput(std::string(32, 'o'));
    platform::debugOutput("node num = " + std::to_string(count));
    platform::debugOutput(std::string(35, 'o'));
}

} // namespace

bool LoadPanelDescription(const std::string& path, CDevModule& root, ModuleList& modules,
                          CPositionTable& positions)
{
    pugi::xml_document document;
    // A file that does not parse gives an empty document, as a failed load does.
    if (!document.load_file(path.c_str()))
        document.reset();

    Loader loader(modules, positions);
    const auto panels = ElementsByTagName(document, "DEVICEPANEL");
    WriteListCount(panels.size());
    loader.WalkList(panels, &root);

    const auto deviceModules = ElementsByTagName(document, "DEVICEMODULE");
    loader.WalkList(deviceModules, nullptr);
    return true;
}
