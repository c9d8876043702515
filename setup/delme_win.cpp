// The cleanup helper: started by the engine as it ends, with the engine's process id and its working directory.
// It waits (a bounded time) for the engine to end, removes the engine's file and the directory, which must be
// empty by then (nothing else is deleted), and has itself removed at the next start of Windows.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const DWORD WAIT_MS = 60000;
const char ENGINE_FILE[] = "HAULIX.EXE";

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 3)
        return 1;
    const DWORD dwProcess = strtoul(__argv[1], nullptr, 10);
    const std::string folder = __argv[2];
    if (HANDLE hEngine = OpenProcess(SYNCHRONIZE, FALSE, dwProcess)) {
        WaitForSingleObject(hEngine, WAIT_MS);
        CloseHandle(hEngine);
    }
    SetErrorMode(SEM_FAILCRITICALERRORS);
    const std::string engine = folder + "\\" + ENGINE_FILE;
    // A file still held open a moment after its process ended: a few tries.
    for (int nTry = 0; nTry < 20 && GetFileAttributesA(engine.c_str()) != INVALID_FILE_ATTRIBUTES; ++nTry) {
        if (DeleteFileA(engine.c_str()))
            break;
        Sleep(100);
    }
    const bool fRemoved = RemoveDirectoryA(folder.c_str()) != 0;
    char szSelf[MAX_PATH];
    if (GetModuleFileNameA(nullptr, szSelf, sizeof(szSelf)))
        MoveFileExA(szSelf, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return fRemoved ? 0 : 1;
}
