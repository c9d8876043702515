// The engine's string table.
#include "setup/setupmsg.h"

namespace {

struct SETUPMSG {
    int nId;
    const char* szName;
    const char* szText;
};

// Pairs around a name or a path are split where the engine puts the variable part between them.
const SETUPMSG MESSAGES[] = {
    {IDS_CAPTION, "IDS_CAPTION", "Setup"},
    {IDS_DIRNOTEXIST1, "IDS_DIRNOTEXIST1", "The directory "},
    {IDS_DIRNOTEXIST2, "IDS_DIRNOTEXIST2", " does not exist. Create?"},
    {IDS_PATHINVALID, "IDS_PATHINVALID",
     "You must specify a valid path, containing a drive letter, colon, backslash, and directory(ies)."},
    {SETUPMSG_INUSE1, "5", "Unable to copy file "},
    {IDS_EXITSETUP, "IDS_EXITSETUP", "Exit without completing the installation?"},
    {IDS_GOODSETUP, "IDS_GOODSETUP", "The installation was successful."},
    {IDS_BADSETUP, "IDS_BADSETUP", "The installation was not successful."},
    {IDS_UNABLECREATE, "IDS_UNABLECREATE", "Unable to create the directory "},
    {IDS_NOSPACE1, "IDS_NOSPACE1", "There is not enough space on drive "},
    {IDS_NOSPACE2, "IDS_NOSPACE2",
     " to perform the setup.  Please free more space on this drive, or customize setup to install fewer "
     "options."},
    {SETUPMSG_NOLOAD1, "14", "Unable to add the item "},
    {SETUPMSG_NOLOAD2, "15", " to the load line of WIN.INI."},
    {IDS_MOUSE, "IDS_MOUSE", "The software package you are installing requires a mouse.  Continue?"},
    {SETUPMSG_LOGCREATED, "24",
     "A logfile containing information on the actions of the setup has been created and stored as "},
    {IDS_OVERWRITE, "IDS_OVERWRITE", "Do you wish to overwrite the file or directory: \n\n"},
    {SETUPMSG_ASSOC1, "27", "There already exists a file association for "},
    {SETUPMSG_ASSOC2, "28", ".  Do you wish to change the association to "},
    {SETUPMSG_WINIBACKUP, "31", "Your WIN.INI file has been modified, and a backup named ~IN.BAK has been created."},
    {SETUPMSG_INUSE2, "34",
     " because it is in use by Windows or another application.  After the installation, it must be copied to "},
    {SETUPMSG_PATHLINE1, "35", "Do you want the line\n"},
    {SETUPMSG_PATHLINE2, "36", "\nadded to your AUTOEXEC.BAT file?"},
    {SETUPMSG_NOAUTOEXEC, "37", "Unable to modify the autoexec.bat file."},
    {IDS_LOOKFOR1, "IDS_LOOKFOR1", "Setup needs you to select a directory for "},
    {IDS_LOOKFOR2, "IDS_LOOKFOR2", "."},
    {IDS_COPYFAILED, "IDS_COPYFAILED",
     "Setup was unable to copy %s from directory %s to directory %s on your computer.\n\nChoose CANCEL to abandon "
     "setup. Choose OK to skip this item without copying it."},
    {IDS_RESTART, "IDS_RESTART",
     "You must restart Windows for the changes made by the setup program to take effect.  Do you wish to do this "
     "now?"},
    {IDS_REBOOT, "IDS_REBOOT",
     "You must reboot your system for the changes made by the setup program to take effect.  Do you wish to do "
     "this now?"},
    {sidMessage, "sidMessage", "You have entered an invalid path."},
    {IDS_USERCODE_READONLY, "IDS_USERCODE_READONLY",
     "The directory specified for %s is read-only.\n\nSetup may not be successful if you proceed with a "
     "read-only directory.\n\nWould you like to continue?"},
    {IDS_INSTALL_NOBACKUP, "IDS_INSTALL_NOBACKUP",
     "Unable to create a backup file for %s.\n\nThere maybe a read-only copy of this file in %s.\n\nTo skip this "
     "file, choose OK."},
    {IDS_TARGET_VALID_RUNTIME, "IDS_TARGET_VALID_RUNTIME", "The path must be an existing folder on your computer."},
};

const SETUPMSG* Find(int nId) {
    for (const SETUPMSG& message : MESSAGES) {
        if (message.nId == nId)
            return &message;
    }
    return nullptr;
}

}  // namespace

const char* SETUPMSG_GetName(int nId) {
    const SETUPMSG* pMessage = Find(nId);
    return pMessage ? pMessage->szName : nullptr;
}

const char* SETUPMSG_GetBuiltin(int nId) {
    const SETUPMSG* pMessage = Find(nId);
    return pMessage ? pMessage->szText : nullptr;
}

std::string SETUPMSG_Format(const std::string& pattern, std::initializer_list<const char*> args) {
    std::string text;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            if (next != args.end()) {
                if (*next)
                    text += *next;
                ++next;
            }
            ++i;
        } else if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%') {
            text += '%';
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
