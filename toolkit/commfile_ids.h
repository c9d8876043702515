// The directory chooser's templates and control numbers, shared by commfile.rc and the code.
#pragma once

// The plug-in's templates, which its resources take in from commfile.rc.
#define COMMFILE_IDD_NEWDIR 20001
#define COMMFILE_IDD_CHOOSEDIR 20002
#define COMMFILE_IDD_CHOOSEDIRPROMPT 20003  // the same with a prompt text above the folder list
#define COMMFILE_IDC_CREATE 21000
#define COMMFILE_IDC_NEWNAME 21001
#define COMMFILE_IDC_PROMPT 21002
#define COMMFILE_IDC_SELECTED 21003

// The setup engine's templates come from its dialog library under these names and numbers.
#define COMMFILE_SETUP_CHOOSEDIR "SETUP_OPENPATH"
#define COMMFILE_SETUP_NEWDIR "SETUP_NEWDIR"
#define COMMFILE_SETUP_IDC_CREATE 1301
#define COMMFILE_SETUP_IDC_SELECTED 1302
#define COMMFILE_SETUP_IDC_NEWNAME 1401

// The file dialog's own controls that every chooser template holds: the folder list and the drive list
// shown, the file name, file list and file type controls hidden.
#define COMMFILE_IDLB_DIRS 1121
#define COMMFILE_IDCB_DRIVES 1137
#define COMMFILE_IDE_FILENAME 1152
#define COMMFILE_IDLB_FILES 1120
#define COMMFILE_IDCB_TYPES 1136
