#include "app/connect/installed_models.h"

#include "platform/ini_file.h"
#include "platform/program_folder.h"

#include <algorithm>
#include <cctype>

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSection = "DeviceInfo";
// The family's private subtree, where each model's sysObjectID lies.
constexpr std::string_view kFamilyObjectId = "1.3.6.1.4.1.32473.10.75.";
// Identities a general-purpose agent answers for whatever it runs on (the
// net-snmp and ucd-snmp agents' own subtrees, zeroDotZero): they leave the
// model to sysDescr.
constexpr std::string_view kGenericAgentObjectIds[] = {"1.3.6.1.4.1.8072.", "1.3.6.1.4.1.2021.", "0.0."};

bool isWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
}

bool standsAsWord(const std::string& text, const std::string& word)
{
    if (word.empty())
        return false;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at == 0 || !isWordCharacter(text[at - 1]);
        const bool endsWord = end == text.size() || !isWordCharacter(text[end]);
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

std::string withoutLeadingDot(std::string oid)
{
    if (!oid.empty() && oid.front() == '.')
        oid.erase(0, 1);
    return oid;
}

// sysDescr may name the model only where sysObjectID does not name another
// maker's product: a foreign device that mentions a model is not that model.
bool descriptionMayTell(const std::string& objectId)
{
    if (objectId.empty() || objectId.starts_with(kFamilyObjectId))
        return true;
    const std::string dotted = objectId + ".";
    return std::any_of(std::begin(kGenericAgentObjectIds), std::end(kGenericAgentObjectIds),
                       [&](std::string_view generic) { return dotted.starts_with(generic); });
}

} // namespace

fs::path installedModelsRoot()
{
    std::error_code error;
    const fs::path started = platform::programFolder();
    if (!started.empty() && fs::exists(started / "User.ini", error))
        return started.parent_path();
    const fs::path file = platform::programFileFolder();
    if (!file.empty() && !findInstalledModels(file.parent_path()).empty())
        return file.parent_path();
    // The build tree's executable lies apart from the model folders it lays out.
    return QMX_BUILD_MODELS_DIR;
}

std::vector<InstalledModel> findInstalledModels(const fs::path& root)
{
    std::vector<InstalledModel> models;
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        const fs::path ini = it->path() / "User.ini";
        if (!fs::is_regular_file(ini, error))
            continue;
        const platform::IniFile file = platform::IniFile::load(ini.string());
        InstalledModel model{file.readString(kSection, "DeviceName"), it->path(),
                             withoutLeadingDot(file.readString(kSection, "SysObjectID"))};
        if (!model.name.empty())
            models.push_back(std::move(model));
    }
    std::sort(models.begin(), models.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return models;
}

ModelMatchResult matchModel(const std::vector<InstalledModel>& models, const snmp::SwitchIdentity& identity)
{
    const std::string objectId = withoutLeadingDot(identity.objectId);
    for (std::size_t i = 0; i < models.size(); ++i)
        if (!objectId.empty() && models[i].sysObjectId == objectId)
            return {ModelMatch::ByObjectId, static_cast<int>(i)};
    for (std::size_t i = 0; i < models.size() && descriptionMayTell(objectId); ++i)
        if (standsAsWord(identity.description, models[i].name))
            return {ModelMatch::ByDescription, static_cast<int>(i)};
    return {objectId.starts_with(kFamilyObjectId) ? ModelMatch::Unknown : ModelMatch::NotOfFamily, -1};
}

int modelIndex(const std::vector<InstalledModel>& models, const std::string& name)
{
    const auto found = std::find_if(models.begin(), models.end(), [&](const auto& m) { return m.name == name; });
    return found == models.end() ? -1 : static_cast<int>(found - models.begin());
}

} // namespace app
