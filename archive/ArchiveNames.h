// The archive resources a launcher carries, by name: the five it extracts,
// in the order it extracts them, and the four it keeps in itself for the
// next stage.  The one list: the launcher, the packer and the benchmark's
// payload generator read it here, and the scripts ask the packer
// ("ovpack archive-names").  Portable.
#ifndef ORVANE_ARCHIVE_ARCHIVENAMES_H
#define ORVANE_ARCHIVE_ARCHIVENAMES_H

const char* const ExtractedArchives[] = {"BASE", "SETUPBASE", "SETUPWEB", "OVIMAGE", "OVVERSION"};
const char* const KeptArchives[] = {"APPBASE", "WEBBASE", "WEBIMPORTS", "WEBUPDATE"};

#endif
