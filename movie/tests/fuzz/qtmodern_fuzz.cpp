// Fuzz target over the conversion for today's movies: any input is planned without a crash, by copy and by
// insertion, and whenever a plan is made, the output it describes passes the same check the converter makes on
// the disk, and converting that output again finds nothing to do.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "movie/qtmodern.h"

namespace {

std::string Assemble(const QTM_PLAN& plan, const uint8_t* pData) {
    std::string output;
    for (const QTM_PIECE& piece : plan.pieces) {
        if (piece.fMoov)
            output.append(plan.moov.begin(), plan.moov.end());
        else
            output.append(reinterpret_cast<const char*>(pData) + piece.qwSourceStart, piece.qwSize);
    }
    return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cb) {
    CQTMemorySource source(pData, cb);
    std::vector<QTM_ATOM> atoms;
    uint64_t qwWhere = 0;
    QTMODERN_ReadLayout(source, true, &atoms, &qwWhere);
    for (bool fDropFree : {false, true}) {
        QTM_OPTIONS options = {};
        options.fDropFree = fDropFree;
        QTM_PLAN plan;
        if (!QTMODERN_Plan(source, options, &plan) || plan.result != QTM_CONVERT)
            continue;
        const std::string output = Assemble(plan, pData);
        if (output.size() != plan.qwOutputSize)
            abort();
        CQTMemorySource written(output.data(), output.size());
        if (QTMODERN_Verify(written, &qwWhere) != QTM_ALREADY_FAST_START)
            abort();
        QTM_PLAN again;
        if (!QTMODERN_Plan(written, options, &again) || again.result != QTM_ALREADY_FAST_START)
            abort();
    }
    QTM_INSERT insert;
    if (QTMODERN_PlanInsert(source, 512, &insert) && insert.result == QTM_CONVERT) {
        CQTInsertedSource inserted(source, insert);
        std::string output(static_cast<size_t>(inserted.Size()), '\0');
        if (!inserted.ReadAt(0, &output[0], output.size()))
            abort();
        CQTMemorySource written(output.data(), output.size());
        if (QTMODERN_Verify(written, &qwWhere) != QTM_ALREADY_FAST_START)
            abort();
        QTM_INSERT again;
        if (!QTMODERN_PlanInsert(written, 512, &again) || again.result != QTM_ALREADY_FAST_START)
            abort();
    }
    return 0;
}
