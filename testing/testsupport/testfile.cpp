#include "testing/testsupport/testfile.h"

#include <cstdio>

bool TESTFILE_Write(const std::string& path, const std::string& bytes) {
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    const bool fWritten = bytes.empty() || fwrite(bytes.data(), bytes.size(), 1, pFile) == 1;
    return fclose(pFile) == 0 && fWritten;
}

std::string TESTFILE_Read(const std::string& path) {
    std::string bytes;
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return bytes;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.append(buffer, n);
    fclose(pFile);
    return bytes;
}

bool TESTFILE_Exists(const std::string& path) {
    FILE* pFile = fopen(path.c_str(), "rb");
    if (pFile)
        fclose(pFile);
    return pFile != nullptr;
}
