#include "movie/qtfast.h"

#include <cstdio>
#include <cstring>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("QTFAST");

const char QTFAST_STATUS_ALREADYSUITABLE[] = "This movie is already suitable for Internet streaming.";
const char QTFAST_STATUS_MOVING[] = "Moving big data around in this QuickTime movie!";
const char QTFAST_STATUS_INPROGRESS[] = "Vrooning in progress...";
const char QTFAST_STATUS_COMPLETE[] = "Vrooning complete.";

namespace {

// The C library's rename replaces an existing target on some systems and refuses on others; a commit must
// never replace a file, so the target is tested first everywhere.
bool RenameWithoutOverwrite(const char* szFrom, const char* szTo) {
    return !PATHNAME_Exists(szTo) && rename(szFrom, szTo) == 0;
}

bool CopyName(char* szTo, const char* szFrom) {
    if (strlen(szFrom) > MAX_PATHNAME)
        return false;
    strcpy(szTo, szFrom);
    return true;
}

void RemoveOutput(const char* szPath) {
    bool fOk;
    MFX_VERIFY(fOk = (0 == remove(szPath)));
}

// The first chunk offset table of a track: "stco", else "co64". A track without one, or whose table is empty,
// has nothing to shift.
bool FindChunkOffsets(CQTFile* file, const CQTAtom& trak, CQTChunkOffsetAtom* table) {
    CQTAtom mdia, minf, stbl;
    return trak.FindChild(file, &mdia, QTATOM_MDIA) && mdia.FindChild(file, &minf, QTATOM_MINF) &&
           minf.FindChild(file, &stbl, QTATOM_STBL) &&
           (stbl.FindChild(file, table, QTATOM_STCO) || stbl.FindChild(file, table, QTATOM_CO64));
}

}  // namespace

CQTFast::CQTFast() {
    m_outmovie[0] = '\0';
    m_inmovie[0] = '\0';
}

void CQTFast::ReportAlreadySuitable() {
    UI_SetRange(100);
    UI_SetPosition(100);
    UI_Status(QTFAST_STATUS_ALREADYSUITABLE);
}

bool CQTFast::IsAlreadyFastStart(const char* szMovie) {
    if (!OpenRead(szMovie))
        return false;
    CQTAtom moov;
    if (FindAtom(&moov, QTATOM_MOOV, this) && moov.m_dwAtomStart == 0) {
        ReportAlreadySuitable();
        return true;
    }
    return false;
}

// A source that cannot be converted (no "moov", no "mdat", or "mdat" not at the start) is refused before the
// destination is opened, so an existing file of that name is never truncated for nothing.
bool CQTFast::VroonSourceMovieToDestination(const char* szSource, const char* szDestination) {
    bool fOk;
    // Opening the destination for writing would truncate the source under it.
    if (!MFX_VERIFY(fOk = !PATHNAME_IsSameName(szSource, szDestination)))
        return false;
    if (!OpenRead(szSource))
        return false;
    CQTAtom moov, mdat;
    if (!MFX_VERIFY(fOk = FindAtom(&moov, QTATOM_MOOV, this)))
        return false;
    if (moov.m_dwAtomStart == 0) {
        ReportAlreadySuitable();
        return true;
    }
    if (!MFX_VERIFY(fOk = FindAtom(&mdat, QTATOM_MDAT, this)) || !MFX_VERIFY(fOk = mdat.m_dwAtomStart == 0))
        return false;

    CQTFast outfile;
    if (!outfile.OpenWrite(szDestination))
        return false;
    UI_Status(QTFAST_STATUS_MOVING);
    fOk = CopyRange(&outfile, moov.m_dwAtomStart, moov.m_dwAtomSize) &&
          CopyRange(&outfile, mdat.m_dwAtomStart, mdat.m_dwAtomSize);
    outfile.Close();
    if (!fOk) {
        RemoveOutput(szDestination);
        return false;
    }
    Close();
    UI_Status(QTFAST_STATUS_INPROGRESS);
    if (!outfile.OpenUpdate(szDestination)) {
        RemoveOutput(szDestination);
        return false;
    }
    // The report quotes the check as written here, spacing included.
    // clang-format off
    MFX_VERIFY(fOk = outfile.RewriteChunkSampleTablesToNewMDATOffset(moov.m_dwAtomSize,mdat.m_dwAtomStart));
    // clang-format on
    outfile.Close();
    if (!fOk) {
        RemoveOutput(szDestination);
        return false;
    }
    UI_Status(QTFAST_STATUS_COMPLETE);
    return true;
}

// Every track's table must be shifted or the movie is broken: a damaged track (an atom that does not fit
// where it stands, a table whose count exceeds its atom) or a shift that an entry cannot hold fails the whole
// rewrite rather than leaving a track with offsets into the wrong place.
bool CQTFast::RewriteChunkSampleTablesToNewMDATOffset(uint64_t dwMoovSize, uint64_t dwMdatStart) {
    bool fOk;
    if (!MFX_VERIFY(fOk = dwMdatStart == 0))
        return false;
    CQTAtom moov, trak;
    if (!FindAtom(&moov, QTATOM_MOOV, this) || !MFX_VERIFY(fOk = moov.m_dwAtomStart == 0))
        return false;
    bool fWritten = false, fFailed = false;
    for (bool fTrak = moov.FindChild(this, &trak, QTATOM_TRAK); fTrak && !fFailed;
         fTrak = moov.FindNextSibling(this, &trak, QTATOM_TRAK)) {
        CQTChunkOffsetAtom stco;
        if (!FindChunkOffsets(this, trak, &stco))
            continue;
        if (!MFX_VERIFY(fOk = stco.AdjustOffsets(dwMoovSize, dwMdatStart)))
            fFailed = true;
        else if (!MFX_VERIFY(fOk = stco.Write(this)))
            fFailed = true;
        else
            fWritten = true;
    }
    if (!MFX_VERIFY(fOk = !IsDamaged()))
        fFailed = true;
    fOk = fWritten && !fFailed;
    if (!fOk)
        MFX_VERIFY(fOk);
    return fOk;
}

bool CQTFast::VroonMovieInPlace(const char* szMovie) {
    if (IsAlreadyFastStart(szMovie))
        return true;
    if (!CopyName(m_outmovie, szMovie) || !PATHNAME_ReplaceExtension(m_outmovie, ".FS"))
        return false;
    if (!VroonSourceMovieToDestination(szMovie, m_outmovie))
        return false;
    return CopyName(m_inmovie, szMovie);
}

bool CQTFast::VroonCommitReplace() {
    PATHNAME bak;
    if (!CopyName(bak, m_inmovie) || !PATHNAME_ReplaceExtension(bak, ".BAK"))
        return false;
    if (!RenameWithoutOverwrite(m_inmovie, bak))
        return false;
    if (!RenameWithoutOverwrite(m_outmovie, m_inmovie))
        return false;
    bool fOk;
    // The report quotes the check as written here, spacing included.
    // clang-format off
    return MFX_VERIFY(fOk = (0==remove(bak)));
    // clang-format on
}

bool CQTFast::VroonRollbackReplace() {
    if (!PATHNAME_Exists(m_outmovie))
        return false;
    bool fOk;
    // The report quotes the check as written here, spacing included.
    // clang-format off
    return MFX_VERIFY(fOk = (0==remove(m_outmovie)));
    // clang-format on
}

bool IsQuickTimeMovieFile(const char* szPath) {
    CQTFile file;
    CQTAtom moov;
    return file.OpenRead(szPath) && FindAtom(&moov, QTATOM_MOOV, &file);
}
