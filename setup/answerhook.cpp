// The names by which the hook library finds the engine program's answer hook.
#include "setup/answerhook.h"

const char ANSWERHOOK_ANSWEREXPORT[] = "SETUP_Answer";
const char ANSWERHOOK_ANSWEREDEXPORT[] = "SETUP_Answered";
