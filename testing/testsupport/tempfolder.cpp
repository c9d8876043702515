#include "testing/testsupport/tempfolder.h"

const CTempFolder& TEMPFOLDER_Program() {
    static const CTempFolder s_folder("mfxtest");
    return s_folder;
}
