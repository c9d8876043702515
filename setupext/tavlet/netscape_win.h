// Where Netscape Navigator is installed, from the registry, and the dialog that lets the user pick one of its
// plug-in folders. Windows code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "setupext/tavlet/netscape.h"

extern const char NETSCAPE_PLUGINFILE[];  // "npnul32.dll", the file every Navigator plug-in folder holds

// Every installation the uninstall entries name ("Netscape" in the entry's name; Gold when its display name says
// so), and every one Navigator's own keys name.
NETSCAPE_FOLDERS NETSCAPE_FindInstallations();
// The folder "PLUGINS" beside the program that opens Netscape's markup documents; empty when there is none.
std::string NETSCAPE_AssociatedPlugIns();
// The "Netscape PlugIns Folder" dialog, szPreselect chosen at first: IDOK (Next) with the chosen folder, IDCANCEL
// (Exit) or IDC_BACK; answered by the engine's answer hook when it has an answer.
int NETSCAPE_ChooseFolder(HINSTANCE hInst,
                          HWND hWndParent,
                          const std::vector<std::string>& folders,
                          const char* szPreselect,
                          std::string& chosen);
