// Unattended answers: the response file that answers every question of a setup or uninstall run by the
// question's identifier, the log of what each question was answered, and the response file written from the
// answers a person gave (so that a run can be recorded once and replayed).
//
// A response file is profile-file text: a section "Answers" holding one line per question, the identifier as
// the key (letter case ignored) and the answer as the value ("IDS_EXITSETUP=No", "SETUP_INSTALL_TO=C:\DEMO").
// Blank lines, lines starting with ";" and other sections are ignored; a key given twice keeps its first value;
// white space around keys and values is dropped, and a value in double quotes keeps what is inside them
// (a path ending in a blank). A question the file does not answer takes the default its caller documents.
// Portable code.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "toolkit/textlist.h"

extern const char ANSWERS_SECTION[];  // "Answers"
// A response file larger than this is refused rather than read.
const size_t ANSWERS_MAXFILE = 1024 * 1024;

// Where an answer came from.
enum ANSWERS_SOURCE {
    ANSWERS_FROMFILE,  // the response file
    ANSWERS_DEFAULT,   // the caller's default: unanswered, or answered with none of the question's choices
    ANSWERS_PERSON,    // a person, in an attended run (ANSWERS_Record)
};

struct ANSWERS_GIVEN {
    std::string id;
    std::string answer;
    ANSWERS_SOURCE source;
    std::string refused;  // for a default taken over a file's answer that was none of the choices: that answer
};

class CAnswers {
public:
    bool m_fUnattended = false;          // a response file was loaded: no question waits for a person
    CTextMap m_Answers;                  // the response file's answers by identifier
    std::vector<ANSWERS_GIVEN> m_Given;  // every question answered so far, in the order asked
    std::string m_LogFile;               // each answer is appended to this file as it is given, when not empty
};

// Reads a response file and makes the run unattended. False (nothing loaded, still attended) when the file
// cannot be read, is larger than ANSWERS_MAXFILE or holds no "Answers" section.
int ANSWERS_Load(CAnswers* pAnswers, const char* szFile);
// The same from the file's text.
int ANSWERS_Parse(CAnswers* pAnswers, const std::string& text);

// Starts the answer log: the file is created anew, then every answer is appended as one line:
// "IDS_EXITSETUP=No (from the file)", "SETUP_INSTALL_TO=C:\FLARION (default)",
// "UNINSTALL_SHARED_FILE=No (default; the file's answer "Maybe" is none of Yes, No)", "X=Yes (a person)".
int ANSWERS_SetLogFile(CAnswers* pAnswers, const char* szFile);

// The answer to a question of free text (a path, a list): the file's value, else szDefault; recorded as given.
std::string ANSWERS_Text(CAnswers* pAnswers, const char* szId, const char* szDefault);
// The answer to a question of fixed choices ({"Yes", "No"}, {"OK", "Cancel"}): the index of the file's answer
// among them (letter case ignored), else nDefault (also when the file's answer is none of them); recorded as
// given with the choice's own spelling.
int ANSWERS_Choose(CAnswers* pAnswers, const char* szId, std::initializer_list<const char*> choices, int nDefault);
// Records the answer a person gave in an attended run.
int ANSWERS_Record(CAnswers* pAnswers, const char* szId, const char* szAnswer);

// The response file of the answers given so far (each identifier once, with its last answer, in the order the
// questions were first asked), as text and written to a file; ANSWERS_Parse reads the text back unchanged.
std::string ANSWERS_Format(const CAnswers* pAnswers);
int ANSWERS_Write(const CAnswers* pAnswers, const char* szFile);

// One line of the answer log (without its line end).
std::string ANSWERS_LogLine(const ANSWERS_GIVEN& given);

// A command-line switch with a value, "/ANSWERS=C:\RUN.INI" or "-answers=C:\RUN.INI" for szName "ANSWERS"
// (letter case ignored, the value may be in double quotes); false for any other argument.
bool ANSWERS_MatchSwitch(const char* szArgument, const char* szName, std::string* pValue);
