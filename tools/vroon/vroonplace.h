// The conversion in place by inserting the new head at the front of the movie, where the file system can insert
// a range without moving data, guarded by a journal beside the movie; and the recovery of such a conversion
// that was interrupted.
#pragma once

#include <string>

#include "movie/qtmodern.h"

enum VROONPLACE_RESULT {
    VROONPLACE_CONVERTED,
    VROONPLACE_NOT_POSSIBLE,  // nothing was changed: the file system or the movie's layout calls for a copy
    VROONPLACE_FAILED,        // the message says what happened and in which state the movie is
};

// Converts the movie (a resolved name, not a symbolic link) in place by insertion; *pInsert is the plan carried
// out. The movie is left unchanged, or converted, or with its journal for a recovery to finish.
VROONPLACE_RESULT VROONPLACE_Convert(const std::string& movie, QTM_INSERT* pInsert, std::string* pError);

class CVroonFile;

// -o where the file system shares blocks between files (XFS with reflink): the source's blocks are cloned into
// the temporary file and the head inserted there, so no data is moved and the source is untouched. Converted,
// the temporary file waits for the caller's check and rename; otherwise it is removed.
VROONPLACE_RESULT VROONPLACE_CloneInto(CVroonFile& source,
                                       const std::string& temp,
                                       QTM_INSERT* pInsert,
                                       std::string* pError);

enum VROONRECOVERY {
    VROONRECOVERY_NONE,       // no journal
    VROONRECOVERY_COMPLETED,  // the interrupted conversion was finished
    VROONRECOVERY_UNDONE,     // it had not yet changed the movie: its journal is removed
    VROONRECOVERY_REFUSED,    // a damaged or foreign journal: the movie and the journal are left alone
    VROONRECOVERY_FAILED,     // the movie could not be finished (the journal stays for another try)
};

// Completes or undoes an interrupted conversion of the movie by its journal. *pMessage says what was done.
VROONRECOVERY VROONPLACE_Recover(const std::string& movie, std::string* pMessage);
