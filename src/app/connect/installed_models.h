#pragma once

#include "snmp/identity_read.h"

#include <filesystem>
#include <string>
#include <vector>

namespace app {

// One model folder: its User.ini names the model and the sysObjectID its
// switches answer.
struct InstalledModel {
    std::string name;
    std::filesystem::path folder;
    std::string sysObjectId; // dotted, no leading dot; "" when User.ini has none
};

// The folder that holds one folder per model: beside the folder of a model
// the program was started from, else one level above the program file's
// folder (the installed layout: <root>/bin/qmx-module, <root>/<MODEL>/),
// else the build tree's model folders.
std::filesystem::path installedModelsRoot();

// Every folder under `root` whose User.ini names a DeviceName, by name.
std::vector<InstalledModel> findInstalledModels(const std::filesystem::path& root);

enum class ModelMatch { ByObjectId, ByDescription, Unknown, NotOfFamily };

struct ModelMatchResult {
    ModelMatch how = ModelMatch::Unknown;
    int index = -1; // into the models, for ByObjectId and ByDescription
};

// The sysObjectID first, then a model name standing in sysDescr as a whole
// word (letters, digits and "-" make up words), the latter only when the
// sysObjectID is missing, lies under the family's subtree or is a generic
// agent's identity. No match: Unknown when the sysObjectID lies under the
// family's subtree, else NotOfFamily.
ModelMatchResult matchModel(const std::vector<InstalledModel>& models, const snmp::SwitchIdentity& identity);

// The index of the model named `name`, -1 when none is installed.
int modelIndex(const std::vector<InstalledModel>& models, const std::string& name);

} // namespace app
