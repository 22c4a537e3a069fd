// Which flags a conversion into a code page may take.  Portable: no platform
// headers, so the rule is tested natively.
#ifndef ORVANE_LAUNCHER_CODEPAGES_H
#define ORVANE_LAUNCHER_CODEPAGES_H

// The flags that keep WideCharToMultiByte from best fit into codePage, a
// page the system has resolved (GetACP(), GetOEMCP(): never CP_ACP or
// CP_OEMCP, whose values 0 and 1 name no page).  UTF-8 and GB18030 refuse
// the flag, and some pages refuse every flag (ERROR_INVALID_FLAGS); none of
// them has a best fit to refuse.
unsigned long NoBestFitFlags(unsigned int codePage);

#endif
