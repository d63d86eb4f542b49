#pragma once

#include "cli.h"
#include "dictionary/found_rows.h"

namespace kvdict {

// The subcommands, each defined beside what it runs.
extern const CCommand kConvertCommand;
extern const CCommand kLookupCommand;
extern const CCommand kEntryCommand;
extern const CCommand kBuildCommand;
extern const CCommand kCheckCommand;
extern const CCommand kImportCommand;
extern const CCommand kListCommand;
extern const CCommand kFindCommand;

// Prints found rows 0..count-1 as `lookup` and `find` list them: Devanagari, transliteration
// and entry offset, separated by tabs (with `raw`, the two list strings as hex).
void PrintFoundRows(const kv::CFoundRows& rows, int count, bool raw);

}  // namespace kvdict
