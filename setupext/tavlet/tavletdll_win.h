// The hook framework: one object per loaded hook library receives every event of the engine through Hook and
// answers through its virtual operations, which a product's subclass overrides. The framework supplies the
// standard destination directories, the directories set by the product, finding a file in a target, and
// renaming a file out of the way with the record that undoes it at uninstall. Windows code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "setup/hookrec.h"
#include "toolkit/textlist.h"

extern const char TAVLET_FILESRENAMED[];  // "FilesRenamed", the setup log's section of renamed files

class CTavletDLL {
public:
    explicit CTavletDLL(const char* szCaption);
    virtual ~CTavletDLL() = default;
    CTavletDLL(const CTavletDLL&) = delete;
    CTavletDLL& operator=(const CTavletDLL&) = delete;

    // One event of the engine (or of the uninstaller, 384) and its answer.
    LONG Hook(UINT nEvent, WPARAM wParam, LPARAM lParam);

    // The operations, each for its event. On-loaded: false ends the run.
    virtual bool OnLoaded(HWND hWndFocus);
    virtual LONG DefaultTarget(HWND hWnd, HOOKTARGET* pTarget);
    virtual void Selection(HOOKSELECT* aItems, int nItems);
    virtual void CopyingFile(const char* szDestDir, const char* szFileName);
    // Writes the renamed files into the setup log.
    virtual LONG Installed(HWND hWnd, const char* szLog);
    // Renames every file the setup log records as renamed back to its true name; false when one failed.
    virtual LONG Uninstalling(HWND hWnd, const char* szLog);

    // Fills the standard targets for the platform this runs on.
    void Install_GetStdTargets();
    void Install_SetTarget(const char* szTargetName, const char* szTargetPath);
    // The target's directory: the one set, else the standard one; empty when it has none.
    std::string GetTargetDir(const char* szTarget) const;
    // The full path of the file in the target's directory, when the file is there (szOut: a PATHNAME).
    bool FindFileInTarget(const char* szFile, char* szOut, const char* szTarget) const;
    // Renames the file to its path with the extension (".OLD") and records the way back.
    bool RenameWithExtension(const char* szPath, const char* szExtension);

    CTextMap m_StdTargets;
    CTextMap m_SetTargets;
    CTextMap m_FilesRenamed;  // current full path: true full path
    std::string m_Caption;

protected:
    // A special target's directory into szDir (HOOKLIST_DIRSIZE bytes, holding the target's directory on the
    // way in), and the candidates it offers; false when the target is not special or has no answer.
    virtual bool ResolveSpecialTarget(HWND hWnd, const char* szName, char* szDir, std::vector<std::string>& candidates);
};
