// Whole files written, read and looked for by the tests, through the C library on every platform.
#pragma once

#include <string>

bool TESTFILE_Write(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string TESTFILE_Read(const std::string& path);
bool TESTFILE_Exists(const std::string& path);
