// The file-system questions the batch list asks, answered by the platform (batchfiles_win.cpp, _posix.cpp).
#pragma once

bool BATCHFILES_Exists(const char* szPath);
bool BATCHFILES_IsSameName(const char* szName1, const char* szName2);
