// Started by the PATHNAME_Execute tests: writes its current folder and its arguments after the first, one a
// line, to the file named by the first argument (through a temporary name, so a reader never sees half).
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::string temporary = std::string(argv[1]) + ".part";
    FILE* pFile = fopen(temporary.c_str(), "wb");
    if (!pFile)
        return 1;
    char szFolder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szFolder), szFolder);
    fprintf(pFile, "%s\n", szFolder);
    for (int i = 2; i < argc; ++i)
        fprintf(pFile, "%s\n", argv[i]);
    fclose(pFile);
    return MoveFileA(temporary.c_str(), argv[1]) ? 0 : 1;
}
