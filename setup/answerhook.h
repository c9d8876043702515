// How the questions of a run are answered when no person is to be asked: the engine program sets an answerer
// for an unattended run and a recorder for a run whose answers are written down. Every question has a stable
// identifier: a message's name (setupmsg.h), a dialog's template name, or a hook library question's own name.
// The hook library runs in the engine's process and reaches the same two through the program's exports, looked
// up by these names. Portable code.
#pragma once

// The answer without a person: a button (IDOK, IDCANCEL, IDYES, IDNO, ...), and for a question that takes a
// text (a folder) that text in szAnswer, which holds the preset answer on the way in. 0: ask the person.
typedef int (*ANSWERHOOK_ANSWER)(const char* szId, unsigned uType, char* szAnswer, int cchAnswer);
// What the person answered: the button, and the text (null for a question without one).
typedef void (*ANSWERHOOK_ANSWERED)(const char* szId, int nButton, const char* szAnswer);

extern const char ANSWERHOOK_ANSWEREXPORT[];    // "SETUP_Answer", an ANSWERHOOK_ANSWER
extern const char ANSWERHOOK_ANSWEREDEXPORT[];  // "SETUP_Answered", an ANSWERHOOK_ANSWERED
