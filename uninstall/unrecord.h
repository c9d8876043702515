// The uninstall record: what one setup log lists (the engine's log record, read back), the log's own name, and
// the rules that turn the log's entries into removals. Portable code; reading the log and removing are
// unrun_win.h.
#pragma once

#include <functional>
#include <string>

#include "setup/logfile.h"
#include "toolkit/pathname.h"

class CUnInstallRecord : public CLogFile {
public:
    PATHNAME m_LogFile = "";  // the log that was read
};

// A registry entry of the log: a root key's name, a backslash, a key path (which may hold backslashes), a
// backslash and a last part: a value's name below the path, or the sub-key below it to delete.
struct UNRECORD_REGENTRY {
    std::string root;
    std::string path;
    std::string last;
};
// False for an entry to skip: a root name that is none of the five (letter case ignored), no backslash after
// the first one, an empty key path, or (for a key, fKey) an empty last part, which would name the key itself.
bool UNRECORD_SplitRegEntry(const std::string& entry, bool fKey, UNRECORD_REGENTRY* pEntry);

// Removes the folders, each only when it is empty (fnRemove answers whether it went), in list order; the ones
// still there are tried again as long as a pass removes one, so a folder listed before the folders inside it
// goes too. The number removed.
int UNRECORD_RemoveFolders(const CTextList& folders, const std::function<bool(const char*)>& fnRemove);
