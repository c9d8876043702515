// The engine's messages: its string table by identifier, each message with the name that keys its replacement
// text in the string override file and its answer in a response file. A message the table knows only by
// number has that number, in decimal, as its name. Portable code.
#pragma once

#include <initializer_list>
#include <string>

enum SETUPMSG_ID {
    IDS_CAPTION = 1,
    IDS_DIRNOTEXIST1 = 2,
    IDS_DIRNOTEXIST2 = 3,
    IDS_PATHINVALID = 4,
    SETUPMSG_INUSE1 = 5,
    IDS_EXITSETUP = 6,
    IDS_GOODSETUP = 7,
    IDS_BADSETUP = 8,
    IDS_UNABLECREATE = 9,
    IDS_NOSPACE1 = 12,
    IDS_NOSPACE2 = 13,
    SETUPMSG_NOLOAD1 = 14,
    SETUPMSG_NOLOAD2 = 15,
    IDS_MOUSE = 23,
    SETUPMSG_LOGCREATED = 24,
    IDS_OVERWRITE = 26,
    SETUPMSG_ASSOC1 = 27,
    SETUPMSG_ASSOC2 = 28,
    SETUPMSG_WINIBACKUP = 31,
    SETUPMSG_INUSE2 = 34,
    SETUPMSG_PATHLINE1 = 35,
    SETUPMSG_PATHLINE2 = 36,
    SETUPMSG_NOAUTOEXEC = 37,
    IDS_LOOKFOR1 = 41,
    IDS_LOOKFOR2 = 42,
    IDS_COPYFAILED = 50,
    IDS_RESTART = 53,
    IDS_REBOOT = 54,
    sidMessage = 55,
    IDS_USERCODE_READONLY = 57,
    IDS_INSTALL_NOBACKUP = 58,
    IDS_TARGET_VALID_RUNTIME = 59,
};

// The message's name ("IDS_EXITSETUP", "34"); null for an identifier the table lacks.
const char* SETUPMSG_GetName(int nId);
// The built-in text; null for an identifier the table lacks.
const char* SETUPMSG_GetBuiltin(int nId);
// The text with each "%s" replaced by the next argument (an empty one past the last) and "%%" by "%"; any
// other "%" stays as it is, so a replacement text from the override file can never read past its arguments.
std::string SETUPMSG_Format(const std::string& pattern, std::initializer_list<const char*> args);
