#include "tools/vroon/vroonrun.h"

#include <cinttypes>
#include <string>

#include "movie/qtfast.h"
#include "movie/qtmodern.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "tools/vroon/vroonfile.h"
#include "tools/vroon/vroonplace.h"

MFX_SOURCE_MODULE("VROONRUN");

namespace {

enum OUTCOME {
    OUTCOME_CONVERTED,
    OUTCOME_ALREADY,
    OUTCOME_NOT_FAST_START,
    OUTCOME_LISTED,
    OUTCOME_RECOVERED,
    OUTCOME_NO_JOURNAL,
    OUTCOME_FAILED,
};

struct RESULT {
    OUTCOME outcome;
    std::string text;
};

RESULT Failed(const std::string& reason) {
    return {OUTCOME_FAILED, reason};
}

// A bar on the terminal for the bytes of one output: redrawn when the percentage changes, erased at the end.
class CTerminalProgress : public CVroonProgress {
public:
    CTerminalProgress(FILE* pErr, const std::string& name, uint64_t qwTotal)
        : m_pErr(pErr), m_name(name), m_qwTotal(qwTotal ? qwTotal : 1) {}
    ~CTerminalProgress() override {
        if (m_nShown >= 0)
            fprintf(m_pErr, "\r%*s\r", static_cast<int>(BAR_WIDTH + 10 + m_name.size()), "");
    }
    void Advance(uint64_t cb) override {
        m_qwDone += cb;
        const int nPercent = static_cast<int>(m_qwDone * 100 / m_qwTotal);
        if (nPercent == m_nShown)
            return;
        m_nShown = nPercent;
        const int nFilled = nPercent * BAR_WIDTH / 100;
        fprintf(m_pErr, "\r%3d%% [%s%s] %s", nPercent, std::string(nFilled, '#').c_str(),
                std::string(BAR_WIDTH - nFilled, ' ').c_str(), m_name.c_str());
        fflush(m_pErr);
    }

private:
    static const int BAR_WIDTH = 40;
    FILE* m_pErr;
    std::string m_name;
    uint64_t m_qwTotal;
    uint64_t m_qwDone = 0;
    int m_nShown = -1;
};

class CRunner {
public:
    CRunner(const VROON_OPTIONS& options, FILE* pOut, FILE* pErr, bool fProgress)
        : m_options(options), m_pOut(pOut), m_pErr(pErr), m_fProgress(fProgress && !options.fQuiet) {}

    RESULT RunOne(const std::string& movie) {
        // An interrupted conversion is settled before anything else looks at the movie.
        std::string recovery;
        switch (VROONPLACE_Recover(VROONFILE_Resolve(movie.c_str()), &recovery)) {
            case VROONRECOVERY_NONE:
                if (m_options.mode == VROON_MODE_RECOVER)
                    return {OUTCOME_NO_JOURNAL, "no interrupted conversion to recover"};
                break;
            case VROONRECOVERY_COMPLETED:
            case VROONRECOVERY_UNDONE:
                if (m_options.mode == VROON_MODE_RECOVER)
                    return {OUTCOME_RECOVERED, recovery};
                if (!m_options.fQuiet)
                    fprintf(m_pOut, "%s: %s\n", movie.c_str(), recovery.c_str());
                break;
            case VROONRECOVERY_REFUSED:
            case VROONRECOVERY_FAILED:
                return Failed(recovery);
        }
        CVroonFile source;
        if (!source.OpenRead(movie.c_str()))
            return Failed(VROONFILE_Describe(source.Error()));
        if (m_options.mode == VROON_MODE_LAYOUT)
            return List(source, movie);
        if (m_options.fClassic) {
            source.Close();
            return m_options.mode == VROON_MODE_CHECK ? CheckClassic(movie) : ConvertClassic(movie);
        }
        return m_options.mode == VROON_MODE_CHECK ? Check(source) : Convert(source, movie);
    }

private:
    RESULT List(CVroonFile& source, const std::string& movie) {
        std::vector<QTM_ATOM> atoms;
        uint64_t qwWhere = 0;
        const QTM_RESULT result = QTMODERN_ReadLayout(source, m_options.fTree, &atoms, &qwWhere);
        if (!m_options.fQuiet || result == QTM_OK) {
            fprintf(m_pOut, "%s:\n", movie.c_str());
            for (const QTM_ATOM& atom : atoms) {
                fprintf(m_pOut, "%*s%s  at %" PRIu64 "  size %" PRIu64 "%s\n", 2 * (atom.nDepth + 1), "",
                        QTMODERN_TypeName(atom.dwType).c_str(), atom.qwStart, atom.qwSize,
                        atom.cbHeader == 16 ? "  (64-bit size)" : "");
            }
        }
        if (result != QTM_OK)
            return Failed(QTMODERN_Describe(result, qwWhere));
        return {OUTCOME_LISTED, "listed"};
    }

    RESULT Check(CVroonFile& source) {
        QTM_PLAN plan;
        if (!QTMODERN_Plan(source, Options(), &plan))
            return Failed(QTMODERN_Describe(plan.result, plan.qwWhere));
        if (plan.result == QTM_ALREADY_FAST_START)
            return {OUTCOME_ALREADY, "fast-start"};
        return {OUTCOME_NOT_FAST_START, "not fast-start"};
    }

    static RESULT CheckClassic(const std::string& movie) {
        CQTFast fast;
        if (fast.IsAlreadyFastStart(movie.c_str()))
            return {OUTCOME_ALREADY, "fast-start"};
        return {OUTCOME_NOT_FAST_START, "not fast-start"};
    }

    // The suite's own engine, exactly: only a movie whose first atom is mdat converts, to moov and that mdat.
    RESULT ConvertClassic(const std::string& movie) {
        const char szRule[] = "not converted by the classic rules (they take a movie whose first atom is mdat)";
        CQTFast fast;
        if (!m_options.output.empty()) {
            if (PATHNAME_FolderExists(m_options.output.c_str()))
                return Failed(m_options.output + " already exists; it is not overwritten");
            if (fast.IsAlreadyFastStart(movie.c_str()))
                return {OUTCOME_ALREADY, "already fast-start, left alone (no file written)"};
            if (!fast.VroonSourceMovieToDestination(movie.c_str(), m_options.output.c_str()))
                return Failed(szRule);
            return {OUTCOME_CONVERTED, "converted by the classic rules to " + m_options.output};
        }
        if (fast.IsAlreadyFastStart(movie.c_str()))
            return {OUTCOME_ALREADY, "already fast-start, left alone"};
        if (!fast.VroonMovieInPlace(movie.c_str()))
            return Failed(szRule);
        if (!fast.VroonCommitReplace()) {
            // The first rename failing changes nothing; a later failure leaves the movie under the backup name.
            if (PATHNAME_FolderExists(movie.c_str())) {
                fast.VroonRollbackReplace();
                return Failed("not converted: the classic replace failed (is there a .BAK file of that name?); "
                              "the movie is unchanged");
            }
            return Failed(std::string("the classic replace failed: the movie is in ") + fast.m_outmovie +
                          " and the original in its .BAK file");
        }
        return {OUTCOME_CONVERTED, "converted by the classic rules"};
    }

    RESULT Convert(CVroonFile& source, const std::string& movie) {
        const bool fInPlace = m_options.output.empty();
        if (!fInPlace && PATHNAME_FolderExists(m_options.output.c_str()))
            return Failed(m_options.output + " already exists; it is not overwritten");
        QTM_PLAN plan;
        if (!QTMODERN_Plan(source, Options(), &plan))
            return Failed("not converted: " + QTMODERN_Describe(plan.result, plan.qwWhere));
        if (plan.result == QTM_ALREADY_FAST_START) {
            if (fInPlace)
                return {OUTCOME_ALREADY, "already fast-start, left alone"};
            // The destination is still made, so that a script finds it whatever the source was.
            plan.pieces = {{false, 0, source.Size()}};
            plan.qwOutputSize = source.Size();
        }
        const std::string target = fInPlace ? VROONFILE_Resolve(movie.c_str()) : m_options.output;
        std::string error;
        if (fInPlace && !m_options.fCopy && !m_options.fDropFree) {
            source.Close();
            QTM_INSERT insert;
            switch (VROONPLACE_Convert(target, &insert, &error)) {
                case VROONPLACE_CONVERTED:
                    return Converted("in place, no data moved", insert.nUpgraded);
                case VROONPLACE_FAILED:
                    return Failed("not converted: " + error);
                case VROONPLACE_NOT_POSSIBLE:
                    break;
            }
            // The movie is unchanged; the copy reads it afresh.
            if (!source.OpenRead(movie.c_str()))
                return Failed(VROONFILE_Describe(source.Error()));
        }
        if (!fInPlace && !m_options.fDropFree && plan.result == QTM_CONVERT) {
            const std::string temp = target + VROONRUN_TEMP_SUFFIX;
            QTM_INSERT insert;
            switch (VROONPLACE_CloneInto(source, temp, &insert, &error)) {
                case VROONPLACE_CONVERTED:
                    if (!Commit(source, true, temp, target, insert.qwResultSize, &error))
                        return Failed("not converted: " + error);
                    return Converted("by clone, no data moved", insert.nUpgraded);
                case VROONPLACE_FAILED:
                    return Failed("not converted: " + error);
                case VROONPLACE_NOT_POSSIBLE:
                    break;
            }
        }
        if (!WriteAndReplace(source, plan, movie, target, fInPlace, &error))
            return Failed("not converted: " + error + (fInPlace ? "; the movie is unchanged" : ""));
        if (plan.result == QTM_ALREADY_FAST_START)
            return {OUTCOME_ALREADY, "already fast-start, copied unchanged to " + m_options.output};
        return Converted("by copy", plan.nUpgraded);
    }

    // The result line of a conversion: which way it went, what changed, and where the result is.
    RESULT Converted(const char* szWay, unsigned nUpgraded) const {
        std::string text = std::string("converted ") + szWay + " (moov moved to the front";
        if (nUpgraded)
            text += ", " + std::to_string(nUpgraded) + " chunk offset table(s) widened to co64";
        text += ")";
        if (!m_options.output.empty())
            text += " to " + m_options.output;
        return {OUTCOME_CONVERTED, text};
    }

    // Writes the output beside the target, flushes it, checks it as it is on the disk, and renames it over
    // the target. Any failure removes the temporary file; the target is touched only by the rename.
    bool WriteAndReplace(CVroonFile& source, const QTM_PLAN& plan, const std::string& movie, const std::string& target,
                         bool fInPlace, std::string* pError) {
        const std::string temp = target + VROONRUN_TEMP_SUFFIX;
        VROONFILE_GuardTemporary(temp.c_str());
        CVroonFile output;
        bool fOk = output.Create(temp.c_str());
        if (fOk && fInPlace)
            fOk = MFX_VERIFY(output.CopyPermissions(source));
        {
            CTerminalProgress bar(m_pErr, movie, plan.qwOutputSize);
            CVroonProgress* pProgress = m_fProgress ? &bar : nullptr;
            for (size_t i = 0; fOk && i < plan.pieces.size(); ++i) {
                const QTM_PIECE& piece = plan.pieces[i];
                fOk = piece.fMoov ? output.Write(plan.moov.data(), plan.moov.size())
                                  : output.CopyFrom(source, piece.qwSourceStart, piece.qwSize, pProgress);
                if (fOk && piece.fMoov && pProgress)
                    pProgress->Advance(piece.qwSize);
            }
        }
        fOk = fOk && output.Sync();
        fOk = output.Close() && fOk;
        if (!fOk)
            *pError = std::string(VROONFILE_Describe(output.Error())) + " writing " + temp;
        return Commit(source, fOk, temp, target, plan.qwOutputSize, pError);
    }

    // Checks the temporary file as it is on the disk and renames it over the target; the temporary file is
    // removed when that fails, or when fWritten says that writing it did.
    static bool Commit(CVroonFile& source,
                       bool fWritten,
                       const std::string& temp,
                       const std::string& target,
                       uint64_t qwSize,
                       std::string* pError) {
        bool fOk = fWritten && Reverify(temp, qwSize, pError);
        // Windows renames nothing over a file that is open.
        source.Close();
        VROONFILE_ERROR replaceError = VROONFILE_OK;
        if (fOk && !VROONFILE_Replace(temp.c_str(), target.c_str(), &replaceError)) {
            *pError = std::string(VROONFILE_Describe(replaceError)) + " renaming " + temp + " to " + target;
            fOk = false;
        }
        if (!fOk)
            VROONFILE_Remove(temp.c_str());
        VROONFILE_GuardTemporary(nullptr);
        return fOk;
    }

    // Reads the written file back from the disk and walks it again.
    static bool Reverify(const std::string& temp, uint64_t qwExpectedSize, std::string* pError) {
        CVroonFile written;
        if (!written.OpenRead(temp.c_str())) {
            *pError = std::string(VROONFILE_Describe(written.Error())) + " reading back " + temp;
            return false;
        }
        if (written.Size() != qwExpectedSize) {
            *pError = "the written file has " + std::to_string(written.Size()) + " bytes instead of " +
                      std::to_string(qwExpectedSize);
            return false;
        }
        uint64_t qwWhere = 0;
        const QTM_RESULT result = QTMODERN_Verify(written, &qwWhere);
        if (result != QTM_ALREADY_FAST_START) {
            *pError = "the written file failed its check: " + QTMODERN_Describe(result, qwWhere);
            return false;
        }
        return true;
    }

    QTM_OPTIONS Options() const {
        QTM_OPTIONS options = {};
        options.fDropFree = m_options.fDropFree;
        return options;
    }

    const VROON_OPTIONS& m_options;
    FILE* m_pOut;
    FILE* m_pErr;
    bool m_fProgress;
};

}  // namespace

int VROONRUN_Run(const VROON_OPTIONS& options, FILE* pOut, FILE* pErr, bool fProgress) {
    if (options.mode == VROON_MODE_HELP) {
        fputs(VROONOPTS_HelpText(), pOut);
        return VROON_EXIT_OK;
    }
    if (options.mode == VROON_MODE_VERSION) {
        fputs(VROONOPTS_VersionText(), pOut);
        return VROON_EXIT_OK;
    }
    CRunner runner(options, pOut, pErr, fProgress);
    unsigned anCount[OUTCOME_FAILED + 1] = {};
    for (const std::string& movie : options.movies) {
        const RESULT result = runner.RunOne(movie);
        ++anCount[result.outcome];
        if (result.outcome == OUTCOME_FAILED)
            fprintf(pErr, "%s: %s\n", movie.c_str(), result.text.c_str());
        else if (!options.fQuiet && result.outcome != OUTCOME_LISTED)
            fprintf(pOut, "%s: %s\n", movie.c_str(), result.text.c_str());
        fflush(pOut);
    }
    if (options.movies.size() > 1 && !options.fQuiet) {
        std::string summary = "vroon: " + std::to_string(options.movies.size()) + " movies:";
        const char* aszNames[] = {"converted", "already fast-start", "not fast-start", "listed",
                                  "recovered", "without a journal",  "failed"};
        const char* szSeparator = " ";
        for (int i = 0; i <= OUTCOME_FAILED; ++i) {
            if (anCount[i] == 0)
                continue;
            summary += szSeparator + std::to_string(anCount[i]) + " " + aszNames[i];
            szSeparator = ", ";
        }
        fprintf(pOut, "%s\n", summary.c_str());
    }
    if (anCount[OUTCOME_FAILED])
        return VROON_EXIT_FAILED;
    if (anCount[OUTCOME_NOT_FAST_START])
        return VROON_EXIT_NOT_FAST_START;
    return VROON_EXIT_OK;
}
