#pragma once

namespace kvdict {

// Each subcommand receives the whole argv; its own arguments start at argv[2].
int RunConvert(int argc, char** argv);
int RunLookup(int argc, char** argv);
int RunEntry(int argc, char** argv);
int RunBuild(int argc, char** argv);
int RunCheck(int argc, char** argv);

}  // namespace kvdict
