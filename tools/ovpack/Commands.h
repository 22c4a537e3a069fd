// The packer's commands.  Each returns the process's exit status: 0 when
// everything held, 1 otherwise, with every problem on stderr as "ovpack:
// <file or entry>: <what>".  Usage errors (status 2) are main's.
#ifndef ORVANE_TOOLS_OVPACK_COMMANDS_H
#define ORVANE_TOOLS_OVPACK_COMMANDS_H

#include <string>
#include <vector>

// Packs the files below dir into out (see Scan.h for what is refused and
// Pack.h for the bytes); orderFile may be "".
int CreateCommand(const std::string& out, const std::string& dir, const std::string& orderFile, unsigned jobs);

// One line per entry on stdout: inflated and stored size, stored size as a
// share of inflated, the three times (UTC), name; then a total.
int ListCommand(const std::string& archive);

// Every defect of the archive (Inspect.h); prints "<archive>: ok" when none.
int VerifyCommand(const std::string& archive);

// Writes every entry below dir ('/' for '\'), creating folders, and gives
// each file the record's write and access time.  An archive that verify
// would refuse is refused whole, before anything is written.
int ExtractCommand(const std::string& archive, const std::string& dir);

// For a launcher's build, given the archives it extracts: refuses names
// that clash across or within them (Names.h: same ignoring case, or a file
// where a folder is needed), archives whose directory cannot be walked,
// and the lack of Bootlace.exe at the top level of all of them.  It does
// not inflate anything: verify does.
int CheckExtractedCommand(const std::vector<std::string>& archives);

// Packs a launcher's payload folder into work (Payload.h), for the
// resource script of make launcher.
int PackPayloadCommand(const std::string& payload, const std::string& work, unsigned jobs);

// Writes out: a copy of the bare launcher stub with the payload's archives
// (Payload.h) and the manifest asking for level (Manifest.h) as its
// resources (Stamp.h), and with wait the mark of a launcher that waits for
// the next stage, whole or not at all.
int LauncherCommand(const std::string& stub, const std::string& payload, const std::string& out,
                    const std::string& level, bool wait, unsigned jobs);

#endif
