#include "setup/logfile.h"

#include "toolkit/diag.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("LOGFILE");

const char LOGFILE_DEFAULTNAME[] = "UNNSTALL.LOG";

int LOGFILE_SetProduct(CLogFile* pLog, const char* szProduct) {
    MFX_PRE(pLog && szProduct);
    DIAG_TraceString("LOGFILE_SetProduct ", "szProduct", szProduct);
    pLog->m_Product = szProduct;
    return 1;
}

int LOGFILE_CreatedDir(CLogFile* pLog, const char* szPath) {
    MFX_PRE(pLog && szPath);
    DIAG_TraceString("LOGFILE_CreatedDir ", "szPath", szPath);
    pLog->m_Folders.Add(szPath);
    return 1;
}

int LOGFILE_CopiedDir(CLogFile* pLog, const char* szDestDir, const char* szName) {
    MFX_PRE(pLog && szDestDir && szName);
    DIAG_TraceString("LOGFILE_CopiedDir ", "szName", szName);
    PATHNAME szPath = "";
    MFX_PRE(PATHNAME_Construct(szPath, szDestDir, szName));
    pLog->m_Folders.Add(szPath);
    return 1;
}

int LOGFILE_CreatedIcons(CLogFile* pLog, const char* szGroup, const char* szTitle, bool fGroupCreated) {
    MFX_PRE(pLog && szGroup && szTitle);
    DIAG_TraceString("LOGFILE_CreatedIcons ", "szTitle", szTitle);
    pLog->m_IconGroups[szTitle] = szGroup;
    if (fGroupCreated && !pLog->m_GroupsCreated.Contains(szGroup))
        pLog->m_GroupsCreated.Add(szGroup);
    return 1;
}

// The command line is what the platform's list of installed programs runs, so a path with a space is quoted.
int LOGFILE_SetUnInstall(CLogFile* pLog,
                         const char* szApp,
                         const char* szDisplayName,
                         const char* szUninstaller,
                         const char* szCallbackDll) {
    MFX_PRE(pLog && szApp && szDisplayName && szUninstaller && szCallbackDll);
    DIAG_TraceString("LOGFILE_SetUnInstall ", "szUninstaller", szUninstaller);
    pLog->m_UnInstallApp = szApp;
    pLog->m_UnInstallProduct = szDisplayName;
    const std::string uninstaller = szUninstaller;
    pLog->m_UnInstallCmdLine = uninstaller.find(' ') == std::string::npos ? uninstaller : '"' + uninstaller + '"';
    pLog->m_UnInstallCmdLine += std::string(" ") + pLog->m_PathName;
    pLog->m_UnInstallDll = szCallbackDll;
    return 1;
}

const char* LOGFILE_GetPath(const CLogFile* pLog) {
    MFX_PRE(pLog);
    return pLog->m_PathName;
}

const char* LOGFILE_FileName(const char* szDesignLogFile) {
    return szDesignLogFile && szDesignLogFile[0] ? szDesignLogFile : LOGFILE_DEFAULTNAME;
}
