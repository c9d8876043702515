// The answer of the Add Movies dialog split into full names.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The two forms a multiple-selection open dialog answers in.
enum ADDMOVIES_FORM {
    ADDMOVIES_NULSEPARATED,    // folder, NUL, each file name, NUL, ended by an empty name
    ADDMOVIES_SPACESEPARATED,  // the older dialog: folder, then each file name, separated by spaces
};

const size_t ADDMOVIES_BUFFERSIZE = 16384;  // the bytes the dialog may use for its answer

// Splits the answer held in the cbBuffer bytes of pBuffer. Each file name is joined to the folder; a single
// entry is taken as a full name. A name that does not fit a path name is left out.
std::vector<std::string> ADDMOVIES_SplitAnswer(const char* pBuffer, size_t cbBuffer, ADDMOVIES_FORM form);
