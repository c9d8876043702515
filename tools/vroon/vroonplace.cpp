#include "tools/vroon/vroonplace.h"

#include <vector>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "tools/vroon/vroonfile.h"
#include "tools/vroon/vroonjournal.h"
#include "tools/vroon/vroonrun.h"
#include "tools/vroon/vroonstop.h"

MFX_SOURCE_MODULE("VROONPLACE");

// The steps of a conversion by insertion, each of which a crash may follow:
//   1. the journal is written to MOVIE.vroon-tmp, flushed, and renamed to MOVIE.vroon-journal (the folder
//      flushed): a journal under its own name is always whole;
//   2. the head's blocks are inserted at the front of the movie;
//   3. the head is written into them, the leading atoms behind it become one free atom, the old moov another
//      (or it is cut off), and the movie is flushed;
//   4. the journal is removed.
// Until step 2 the movie is untouched and the file size is the original one; from step 2 on it is larger, and
// step 3 can be repeated from its start as often as needed. So a recovery tells the two states apart by the
// size alone, removes the journal in the first, and repeats step 3 in the second.

namespace {

// Beyond the journal's head and moov, a few hundred bytes; a larger file is not one of ours.
const uint64_t MAX_JOURNAL = QTM_MAX_HEAD + (1u << 20);

std::string FileName(const std::string& path) {
    const size_t iSlash = path.find_last_of("/\\");
    return iSlash == std::string::npos ? path : path.substr(iSlash + 1);
}

std::string Failure(CVroonFile& file, const std::string& what) {
    return std::string(VROONFILE_Describe(file.Error())) + " " + what;
}

bool ProbeCrc(CVroonFile& movie, uint64_t qwAt, uint32_t cb, uint32_t* pdwCrc) {
    std::vector<uint8_t> probe(cb);
    if (qwAt > movie.Size() || cb > movie.Size() - qwAt || (cb > 0 && !movie.ReadAt(qwAt, probe.data(), cb)))
        return false;
    *pdwCrc = VROONJOURNAL_Crc32(probe.data(), probe.size());
    return true;
}

// Step 3 of the conversion, from its start. *pfTouched tells whether a byte of the original movie had been
// written over when it failed: until then, taking the inserted blocks out again restores the movie.
bool ApplyPatches(CVroonFile& movie, const QTM_INSERT& insert, bool* pfTouched, std::string* pError) {
    *pfTouched = false;
    for (size_t i = 0; i < insert.patches.size(); ++i) {
        const QTM_PATCH& patch = insert.patches[i];
        *pfTouched = i > 0;
        // The head goes in two writes, so that a test can stop the process with half of it written.
        const size_t cbFirst = i == 0 ? patch.bytes.size() / 2 : patch.bytes.size();
        bool fOk = movie.WriteAt(patch.qwAt, patch.bytes.data(), cbFirst);
        if (fOk && i == 0)
            VROONSTOP_At("head-half");
        const bool fFailed = VROONSTOP_Fails(i == 0 ? "head" : "patch");
        fOk = fOk && !fFailed &&
              movie.WriteAt(patch.qwAt + cbFirst, patch.bytes.data() + cbFirst, patch.bytes.size() - cbFirst);
        if (!fOk) {
            *pError = fFailed ? std::string(VROONFILE_Describe(VROONFILE_WRITE)) + " writing the movie"
                              : Failure(movie, "writing the movie");
            return false;
        }
        VROONSTOP_At(i == 0 ? "head-written" : ("patch-" + std::to_string(i)).c_str());
    }
    *pfTouched = true;
    if (!movie.Truncate(insert.qwResultSize)) {
        *pError = Failure(movie, "cutting the old moov off the movie");
        return false;
    }
    VROONSTOP_At("cut");
    if (!movie.Sync()) {
        *pError = Failure(movie, "flushing the movie");
        return false;
    }
    VROONSTOP_At("flushed");
    return true;
}

// Steps 3 and 4.
bool Finish(CVroonFile& movie,
            const QTM_INSERT& insert,
            const std::string& journal,
            bool* pfTouched,
            std::string* pError) {
    if (!ApplyPatches(movie, insert, pfTouched, pError))
        return false;
    if (!VROONFILE_Remove(journal.c_str())) {
        *pError = "cannot remove " + journal;
        return false;
    }
    VROONSTOP_At("journal-removed");
    VROONFILE_SyncFolder(journal.c_str());
    return true;
}

// Step 1: the journal, whole under its own name, or nothing (and the temporary file removed).
bool PlaceJournal(const VROON_JOURNAL& record, const std::string& journal, const std::string& temp) {
    const std::vector<uint8_t> bytes = VROONJOURNAL_Encode(record);
    VROONFILE_GuardTemporary(temp.c_str());
    CVroonFile file;
    // In two writes, so that a test can stop the process with half of the journal written.
    const size_t cbFirst = bytes.size() / 2;
    bool fOk = file.Create(temp.c_str()) && file.Write(bytes.data(), cbFirst);
    if (fOk)
        VROONSTOP_At("journal-half");
    fOk = fOk && file.Write(bytes.data() + cbFirst, bytes.size() - cbFirst) && file.Sync();
    fOk = file.Close() && fOk;
    if (fOk)
        VROONSTOP_At("journal-written");
    VROONFILE_ERROR error = VROONFILE_OK;
    fOk = fOk && VROONFILE_Replace(temp.c_str(), journal.c_str(), &error);
    if (!fOk)
        VROONFILE_Remove(temp.c_str());
    VROONFILE_GuardTemporary(nullptr);
    return fOk;
}

}  // namespace

VROONPLACE_RESULT VROONPLACE_Convert(const std::string& path, QTM_INSERT* pInsert, std::string* pError) {
    CVroonFile movie;
    if (!movie.OpenUpdate(path.c_str()))
        return VROONPLACE_NOT_POSSIBLE;
    const uint32_t cbBlock = movie.BlockSize();
    if (cbBlock == 0 || !QTMODERN_PlanInsert(movie, cbBlock, pInsert) || pInsert->result != QTM_CONVERT)
        return VROONPLACE_NOT_POSSIBLE;
    const QTM_INSERT& insert = *pInsert;
    // The result is checked before the movie is touched, read through from the movie as it is.
    CQTInsertedSource planned(movie, insert);
    uint64_t qwWhere = 0;
    VROON_JOURNAL record = {FileName(path), insert, 0};
    if (!MFX_VERIFY(QTMODERN_Verify(planned, &qwWhere) == QTM_ALREADY_FAST_START) ||
        !ProbeCrc(movie, insert.qwProbeAt, insert.cbProbe, &record.dwProbeCrc))
        return VROONPLACE_NOT_POSSIBLE;

    const std::string journal = path + VROONJOURNAL_SUFFIX;
    if (!PlaceJournal(record, journal, path + VROONRUN_TEMP_SUFFIX))
        return VROONPLACE_NOT_POSSIBLE;  // the copy meets the same disk and reports what it finds
    VROONSTOP_At("journal-placed");
    VROONFILE_HoldInterrupts(true);
    if (!movie.InsertFront(insert.cbInsert)) {
        VROONFILE_Remove(journal.c_str());
        VROONFILE_SyncFolder(journal.c_str());
        VROONFILE_HoldInterrupts(false);
        return VROONPLACE_NOT_POSSIBLE;
    }
    VROONSTOP_At("inserted");
    bool fTouched = false;
    std::string error;
    const bool fFinished = Finish(movie, insert, journal, &fTouched, &error);
    if (!fFinished && !fTouched && movie.RemoveFront(insert.cbInsert) && movie.Sync() &&
        VROONFILE_Remove(journal.c_str())) {
        VROONFILE_SyncFolder(journal.c_str());
        VROONFILE_HoldInterrupts(false);
        *pError = error + "; the movie is unchanged";
        return VROONPLACE_FAILED;
    }
    VROONFILE_HoldInterrupts(false);
    if (!fFinished) {
        *pError = error + "; the conversion is unfinished: vroon --recover " + path + " completes it";
        return VROONPLACE_FAILED;
    }
    movie.Close();

    // Read back from the disk and walked again, as a copy is before it replaces the movie.
    CVroonFile written;
    if (!written.OpenRead(path.c_str()) || written.Size() != insert.qwResultSize ||
        QTMODERN_Verify(written, &qwWhere) != QTM_ALREADY_FAST_START) {
        *pError = "the converted movie failed its check when read back from the disk";
        return VROONPLACE_FAILED;
    }
    return VROONPLACE_CONVERTED;
}

VROONPLACE_RESULT VROONPLACE_CloneInto(CVroonFile& source,
                                       const std::string& temp,
                                       QTM_INSERT* pInsert,
                                       std::string* pError) {
    VROONFILE_GuardTemporary(temp.c_str());
    CVroonFile output;
    VROONPLACE_RESULT result = VROONPLACE_NOT_POSSIBLE;
    if (output.Create(temp.c_str()) && output.BlockSize() != 0 &&
        QTMODERN_PlanInsert(source, output.BlockSize(), pInsert) && pInsert->result == QTM_CONVERT &&
        output.CloneFrom(source) && output.InsertFront(pInsert->cbInsert)) {
        bool fTouched = false;
        result = ApplyPatches(output, *pInsert, &fTouched, pError) ? VROONPLACE_CONVERTED : VROONPLACE_FAILED;
    }
    if (!output.Close() && result == VROONPLACE_CONVERTED) {
        *pError = Failure(output, "writing " + temp);
        result = VROONPLACE_FAILED;
    }
    if (result != VROONPLACE_CONVERTED) {
        VROONFILE_Remove(temp.c_str());
        VROONFILE_GuardTemporary(nullptr);
    }
    return result;
}

VROONRECOVERY VROONPLACE_Recover(const std::string& path, std::string* pMessage) {
    const std::string journal = path + VROONJOURNAL_SUFFIX;
    if (!PATHNAME_FolderExists(journal.c_str()))
        return VROONRECOVERY_NONE;
    const std::string leftAlone = "; the movie and the journal are left alone";
    const std::string name = FileName(journal);  // beside the movie, which the user named
    std::vector<uint8_t> bytes;
    VROONFILE_ERROR error = VROONFILE_OK;
    if (!VROONFILE_ReadAll(journal.c_str(), MAX_JOURNAL, &bytes, &error)) {
        *pMessage = "the journal " + name + " cannot be read (" + VROONFILE_Describe(error) + ")" + leftAlone;
        return VROONRECOVERY_REFUSED;
    }
    VROON_JOURNAL record;
    switch (VROONJOURNAL_Decode(bytes, &record)) {
        case VROONJOURNAL_OK:
            break;
        case VROONJOURNAL_NOT_JOURNAL:
            *pMessage = name + " is not a journal of this vroon" + leftAlone;
            return VROONRECOVERY_REFUSED;
        case VROONJOURNAL_DAMAGED:
            *pMessage = "the journal " + name + " is damaged" + leftAlone;
            return VROONRECOVERY_REFUSED;
    }
    if (record.name != FileName(path)) {
        *pMessage = "the journal " + name + " belongs to another movie (" + record.name + ")" + leftAlone;
        return VROONRECOVERY_REFUSED;
    }
    CVroonFile movie;
    if (!movie.OpenUpdate(path.c_str())) {
        *pMessage = Failure(movie, "opening the movie to finish its interrupted conversion") + "; the journal " + name +
                    " is left alone";
        return VROONRECOVERY_REFUSED;
    }
    const QTM_INSERT& insert = record.insert;
    const bool fInserted = movie.Size() != insert.qwSourceSize;
    uint32_t dwProbeCrc = 0;
    const bool fKnown =
        (!fInserted || movie.Size() == insert.qwSourceSize + insert.cbInsert || movie.Size() == insert.qwResultSize) &&
        ProbeCrc(movie, insert.qwProbeAt + (fInserted ? insert.cbInsert : 0), insert.cbProbe, &dwProbeCrc) &&
        dwProbeCrc == record.dwProbeCrc;
    if (!fKnown) {
        *pMessage = "the journal " + name + " does not match the movie (its size or its media data differ)" + leftAlone;
        return VROONRECOVERY_REFUSED;
    }
    if (!fInserted) {
        movie.Close();
        if (!VROONFILE_Remove(journal.c_str())) {
            *pMessage = "cannot remove " + name;
            return VROONRECOVERY_FAILED;
        }
        VROONFILE_SyncFolder(journal.c_str());
        *pMessage = "undid an interrupted conversion, which had not changed the movie yet";
        return VROONRECOVERY_UNDONE;
    }
    VROONFILE_HoldInterrupts(true);
    bool fTouched = false;
    std::string failure;
    const bool fFinished = Finish(movie, insert, journal, &fTouched, &failure);
    VROONFILE_HoldInterrupts(false);
    if (!fFinished) {
        *pMessage = "could not finish an interrupted conversion: " + failure + "; the journal " + name + " stays";
        return VROONRECOVERY_FAILED;
    }
    *pMessage = "completed an interrupted conversion (in place, no data moved)";
    return VROONRECOVERY_COMPLETED;
}
