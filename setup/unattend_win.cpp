#include "setup/unattend_win.h"

#include <cstdio>

#include "setup/answerhook_win.h"
#include "setup/answers.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("UNATTEND");

const char UNATTEND_LOGNAME[] = "ANSWERS.LOG";

namespace {

CAnswers* s_pAnswers = nullptr;

// The box's default button: its index among the buttons.
int DefaultButton(unsigned uType) {
    switch (uType & MB_DEFMASK) {
        case MB_DEFBUTTON2:
            return 1;
        case MB_DEFBUTTON3:
            return 2;
        default:
            return 0;
    }
}

struct BOXTYPE {
    unsigned uType;
    std::initializer_list<const char*> words;
    std::initializer_list<int> buttons;
};

int AnswerBox(const char* szId, unsigned uType) {
    static const BOXTYPE TYPES[] = {
        {MB_OK, {"OK"}, {IDOK}},
        {MB_OKCANCEL, {"OK", "Cancel"}, {IDOK, IDCANCEL}},
        {MB_YESNO, {"Yes", "No"}, {IDYES, IDNO}},
        {MB_YESNOCANCEL, {"Yes", "No", "Cancel"}, {IDYES, IDNO, IDCANCEL}},
        {MB_RETRYCANCEL, {"Retry", "Cancel"}, {IDRETRY, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, {"Abort", "Retry", "Ignore"}, {IDABORT, IDRETRY, IDIGNORE}},
    };
    for (const BOXTYPE& type : TYPES) {
        if ((uType & MB_TYPEMASK) != type.uType)
            continue;
        const int nDefault = std::min(DefaultButton(uType), static_cast<int>(type.buttons.size()) - 1);
        const int nChoice = ANSWERS_Choose(s_pAnswers, szId, type.words, nDefault);
        return type.buttons.begin()[nChoice];
    }
    return IDOK;
}

int Answer(const char* szId, unsigned uType, char* szAnswer, int cchAnswer) {
    if (!s_pAnswers || !s_pAnswers->m_fUnattended || !szId)
        return 0;
    if (!szAnswer)
        return AnswerBox(szId, uType);
    const std::string answer = ANSWERS_Text(s_pAnswers, szId, szAnswer);
    STRINGS_CopyN(szAnswer, answer.c_str(), static_cast<size_t>(cchAnswer));
    return IDOK;
}

const char* ButtonWord(int nButton) {
    switch (nButton) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        case IDRETRY:
            return "Retry";
        case IDABORT:
            return "Abort";
        case IDIGNORE:
            return "Ignore";
        default:
            return "";
    }
}

void Answered(const char* szId, int nButton, const char* szAnswer) {
    if (s_pAnswers && szId)
        ANSWERS_Record(s_pAnswers, szId, szAnswer ? szAnswer : ButtonWord(nButton));
}

// The setup log's folder; else the folder of the response file or the recorded one.
std::string LogFolder(const SETUPENGINE* pEngine) {
    PATHNAME szFolder = "";
    if (pEngine->fLogCreated && PATHNAME_GetJustPathNoSlash(LOGFILE_GetPath(&pEngine->log), szFolder))
        return szFolder;
    const char* szFile = pEngine->cmdline.szAnswers[0] ? pEngine->cmdline.szAnswers : pEngine->cmdline.szRecord;
    PATHNAME szFull;
    if (GetFullPathNameA(szFile, sizeof(szFull), szFull, nullptr) && PATHNAME_GetJustPathNoSlash(szFull, szFolder))
        return szFolder;
    return "";
}

}  // namespace

bool UNATTEND_Begin(SETUPENGINE* pEngine) {
    MFX_PRE(pEngine);
    const SETUPCMDLINE& line = pEngine->cmdline;
    if (!line.szAnswers[0] && !line.szRecord[0])
        return true;
    s_pAnswers = new CAnswers;
    ANSWERHOOK_Set(Answer, Answered);
    // A response file that cannot be read must not turn the run into one that waits for a person.
    return !line.szAnswers[0] || MFX_VERIFY(ANSWERS_Load(s_pAnswers, line.szAnswers));
}

void UNATTEND_End(SETUPENGINE* pEngine, int nStatus) {
    if (!s_pAnswers)
        return;
    ANSWERHOOK_Set(nullptr, nullptr);
    const std::string folder = LogFolder(pEngine);
    PATHNAME szLog;
    if (!folder.empty() && PATHNAME_Construct(szLog, folder.c_str(), UNATTEND_LOGNAME)) {
        if (FILE* pFile = fopen(szLog, "w")) {
            for (const ANSWERS_GIVEN& given : s_pAnswers->m_Given)
                fprintf(pFile, "%s\n", ANSWERS_LogLine(given).c_str());
            fprintf(pFile, "exit status %d\n", nStatus);
            MFX_VERIFY(fclose(pFile) == 0);
        }
    }
    if (pEngine->cmdline.szRecord[0])
        MFX_VERIFY(ANSWERS_Write(s_pAnswers, pEngine->cmdline.szRecord));
    delete s_pAnswers;
    s_pAnswers = nullptr;
}
