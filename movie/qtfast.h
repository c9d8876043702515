// Fast-start conversion: rewrites a flattened movie (media data first, movie atom last) so that the movie atom
// comes first, shifting every chunk offset by the distance the media data moved.
//
// The output is exactly two atoms, the source's "moov" then its first top-level "mdat", copied byte for byte
// except the chunk offset entries. Only sources whose "mdat" starts at offset 0 are converted. The source is
// never modified; a failed or cancelled conversion leaves no output behind.
#pragma once

#include <cstdint>

#include "movie/qtfile.h"
#include "toolkit/pathname.h"

// The texts of UI_Status.
extern const char QTFAST_STATUS_ALREADYSUITABLE[];  // "This movie is already suitable for Internet streaming."
extern const char QTFAST_STATUS_MOVING[];           // "Moving big data around in this QuickTime movie!"
extern const char QTFAST_STATUS_INPROGRESS[];       // "Vrooning in progress..."
extern const char QTFAST_STATUS_COMPLETE[];         // "Vrooning complete."

// One conversion job. This object's own file is always the source movie; all progress and cancellation go
// through its hooks. In place: VroonMovieInPlace, then, when m_inmovie is not empty, exactly one of
// VroonCommitReplace or VroonRollbackReplace.
class CQTFast : public CQTFile {
public:
    CQTFast();

    // True when the movie's first "moov" starts at offset 0; then the gauge is set full and the status says so.
    bool IsAlreadyFastStart(const char* szMovie);
    // Writes the fast-start form of szSource to szDestination (nothing is written when the source is already
    // in fast-start form).
    bool VroonSourceMovieToDestination(const char* szSource, const char* szDestination);
    // Converts to the movie's name with the extension ".FS" and remembers both names for commit or rollback.
    bool VroonMovieInPlace(const char* szMovie);
    // Movie to ".BAK", temporary file to the movie's name, backup removed. Never overwrites a file.
    bool VroonCommitReplace();
    // Removes the temporary file.
    bool VroonRollbackReplace();
    // On the output, reopened for update: shifts every track's chunk offsets by dwMoovSize - dwMdatStart.
    bool RewriteChunkSampleTablesToNewMDATOffset(uint64_t dwMoovSize, uint64_t dwMdatStart);

    PATHNAME m_outmovie;  // temporary output of an in-place conversion; empty until one starts
    PATHNAME m_inmovie;   // the movie, once an in-place conversion has finished: a commit or rollback is pending

private:
    void ReportAlreadySuitable();
};

// True when the file opens and has a top-level "moov" anywhere.
bool IsQuickTimeMovieFile(const char* szPath);
