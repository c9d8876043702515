// The hook library's resources: the Netscape folder dialog and its controls, and the texts of its questions.
#pragma once

#define IDD_NETSCAPE_FOLDER "NETSCAPE_PLUGINS"
#define IDC_FOLDERS 1000
#define IDC_BACK 3
#define IDC_FOLDERPROMPT 1001

#define IDS_NOQUICKTIME 6
#define IDS_NONETSCAPE 7
#define IDS_INSTALLPLUGIN 20
#define IDS_DISABLEAPPLE 21
