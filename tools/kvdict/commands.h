#pragma once

#include "cli.h"

namespace kvdict {

// The subcommands, each defined beside what it runs.
extern const CCommand kConvertCommand;
extern const CCommand kLookupCommand;
extern const CCommand kEntryCommand;
extern const CCommand kBuildCommand;
extern const CCommand kCheckCommand;
extern const CCommand kImportCommand;
extern const CCommand kListCommand;

}  // namespace kvdict
