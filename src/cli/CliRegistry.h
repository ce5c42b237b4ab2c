#pragma once
// The registry commands of tallyscan6-cli, for a maintainer checking a build machine: the installed
// COM objects with their versions, and a key written as an export file.

#include "cli/CliApp.h"
#include "cli/CliArguments.h"
#include "core/registry/RegistryStore.h"

namespace tally {

// objects: one row per installed object (name, CLSID, version, server file, the file's version).
int runObjects(CliEnvironment& env, const CliArguments& args, const RegistryStore& store);
// export-key: the key named by args.input ("HKEY_CURRENT_USER\Software\...") to args.reportPath.
int runExportKey(CliEnvironment& env, const CliArguments& args, const RegistryStore& store);

}  // namespace tally
