// The design file reader over files written byte by byte from the format: what loads, what is refused and with
// which result and report, and the accessors' neutral values. Runs natively and under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "setup/design.h"
#include "testing/designfixture/designbytes.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"

#ifndef _WIN32
#include <fcntl.h>
#endif

namespace {

typedef std::unique_ptr<DESIGN, void (*)(DESIGN*)> CDesignPtr;

class DesignTest : public ::testing::Test {
protected:
    void TearDown() override { std::remove(m_path.c_str()); }

    int Open(const std::string& bytes) {
        FILE* pFile = fopen(m_path.c_str(), "wb");
        EXPECT_TRUE(pFile);
        fwrite(bytes.data(), 1, bytes.size(), pFile);
        fclose(pFile);
        return DESIGN_Open(m_pDesign.get(), m_path.c_str());
    }
    int Open(const DESIGNBYTES_SPEC& spec) { return Open(DESIGNBYTES_Make(spec)); }
    bool Reported(const char* szText) const { return m_capture.Text().find(szText) != std::string::npos; }

    const std::string m_path = TEMPFOLDER_Program() / "design_test.ini";
    CDesignPtr m_pDesign{DESIGN_Construct(), DESIGN_Destroy};
    CDiagCapture m_capture;
};

TEST_F(DesignTest, AHandWrittenDesignLoadsEveryField) {
    ASSERT_EQ(DESIGN_LOADED, Open(DESIGNBYTES_SPEC{}));
    const DESIGN& d = *m_pDesign;
    const EXEOBJ* pExe = DESIGN_GetOptions(&d);
    EXPECT_EQ(1, pExe->nWinMode);
    EXPECT_EQ(3, pExe->nCPU);
    EXPECT_EQ(1, pExe->bCompression);
    EXPECT_STREQ("flarion.bmp", pExe->szBitMapName);
    EXPECT_STREQ("Install", pExe->szDlgCaption);
    EXPECT_EQ(0, memcmp("abcde", pExe->szWININILine, 5));
    EXPECT_EQ(1, pExe->bDLLHook);
    EXPECT_EQ('a', pExe->cDriveLetter);
    EXPECT_EQ(0x00FFFFFFu, pExe->rgbText);
    EXPECT_STREQ("Arial", pExe->fontText.lfFaceName);
    EXPECT_EQ(-24, pExe->fontText.lfHeight);
    EXPECT_EQ(700, pExe->fontText.lfWeight);
    EXPECT_EQ(1, pExe->fontText.lfItalic);
    EXPECT_EQ(DESIGNFONT_FF_SWISS, pExe->fontText.lfPitchAndFamily);
    EXPECT_EQ(0x00800000u, pExe->rgbGGColor);
    EXPECT_STREQ("Flarion 1.0", pExe->szProduct);
    EXPECT_STREQ("Uninstall Flarion", pExe->UnInstallText);
    EXPECT_EQ(1, pExe->fUnInstallIcon);
    EXPECT_STREQ("tavlet.dll", DESIGN_GetHookName(&d));
    EXPECT_STREQ("a:\\disk1", PATHARR_GetPath(&d.paths, 0));
    EXPECT_EQ(2, d.paths.paths[0].nNumUsers);

    const TARGET* pTarget = TARGCOLL_GetTarget(&d.targets, 1);
    ASSERT_TRUE(pTarget);
    EXPECT_STREQ("C:\\FLARION", pTarget->runtimepath);
    EXPECT_EQ(77, pTarget->lParam);
    EXPECT_STREQ("Choose a folder.", TARGET_GetMessage(pTarget));
    EXPECT_EQ(1, pTarget->FindCount);
    EXPECT_EQ(-1, d.targets.nAddToPATH);

    const COLLOBJ* pCollection = COLLECT_GetCollection(&d.collect, 0);
    ASSERT_TRUE(pCollection);
    EXPECT_EQ(5330, pCollection->lSize);
    EXPECT_STREQ("Program files", pCollection->szName);
    EXPECT_EQ(1457664, d.disks.lMedia);
    EXPECT_STREQ("Disk 1", DISK_GetDisk(&d.disks, 0)->szName);

    const THING* pFile = THINGCOL_GetThing(&d.things, 0);
    ASSERT_TRUE(pFile && pFile->pFile && pFile->pFile->pIcon);
    EXPECT_EQ(THING_FILE, THING_GetType(pFile));
    EXPECT_STREQ("README.TXT", THING_GetName(pFile));
    EXPECT_EQ(1234, THING_GetSize(pFile));
    EXPECT_EQ(1, THING_GetTarget(pFile));
    EXPECT_EQ(1, pFile->pFile->fSharedFile);
    EXPECT_STREQ("Read Me", pFile->pFile->pIcon->szName);
    EXPECT_STREQ("NOTEPAD.EXE", pFile->pFile->pIcon->szEXEFile);
    const THING* pDir = THINGCOL_GetThing(&d.things, 1);
    ASSERT_TRUE(pDir && pDir->pDir);
    EXPECT_STREQ("SAMPLES", THING_GetName(pDir));
    EXPECT_EQ(1234 + 4096, THINGCOL_GetCollectionSize(&d.things, 0));
    EXPECT_EQ(0, THINGCOL_GetReadMe(&d.things));
    EXPECT_EQ(-1, THINGCOL_GetWinIni(&d.things));

    EXPECT_EQ(1, d.boxes.fHasBackDrop);
    EXPECT_EQ(10 + 23, DLGBOXES_GetBox(&d.boxes, 23)->xAnchor);
    EXPECT_EQ(40, DLGBOXES_GetBox(&d.boxes, DLGBOX_PROGRESS)->yDialog);
    EXPECT_FALSE(d.backdrop.fPresent);
    EXPECT_TRUE(Reported(("DESIGN_Open DesignName:" + m_path).c_str()));
    EXPECT_FALSE(Reported("failed"));
}

TEST_F(DesignTest, TheSignatureIsComparedIgnoringCase) {
    const struct {
        const char* szSignature;
        int nResult;
    } cases[] = {
        {"TAMBERLO-Ver 0.05", DESIGN_LOADED},    {"tamberlo-ver 0.05", DESIGN_LOADED},
        {"Tamberlo-VER 0.05", DESIGN_LOADED},    {"TAMBERLO-Ver 0.06", DESIGN_BADVERSION},
        {"TAMBERLO-Ver 0.0", DESIGN_BADVERSION}, {"", DESIGN_BADVERSION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szSignature);
        DESIGNBYTES_SPEC spec;
        spec.signature = c.szSignature;
        EXPECT_EQ(c.nResult, Open(spec));
    }
    // A signature without its terminating zero is a longer text.
    std::string bytes = DESIGNBYTES_Make(DESIGNBYTES_SPEC{});
    bytes[17] = 'X';
    EXPECT_EQ(DESIGN_BADVERSION, Open(bytes));
}

TEST_F(DesignTest, AFileThatCannotBeOpenedFailsWithResult1) {
    EXPECT_EQ(DESIGN_FAILED, DESIGN_Open(m_pDesign.get(), (m_path + ".missing").c_str()));
    EXPECT_TRUE(Reported("HFILE_IsOpen(hFile)"));
}

TEST_F(DesignTest, ALongFileNameKeepsTwelveCharactersAndReadingGoesOn) {
    DESIGNBYTES_SPEC spec;
    spec.things[0].name = "ABCDEFGHIJKLMNOPQRST";
    ASSERT_EQ(DESIGN_LOADED, Open(spec));
    const THING* pThing = THINGCOL_GetThing(&m_pDesign->things, 0);
    EXPECT_STREQ("ABCDEFGHIJKL", THING_GetName(pThing));
    EXPECT_EQ(1, pThing->pFile->bBackup);
    EXPECT_EQ(1234, THING_GetSize(pThing));
    EXPECT_STREQ("Read Me", pThing->pFile->pIcon->szName);
}

TEST_F(DesignTest, TheBackdropIsReadOnlyWithItsFlag) {
    DESIGNBYTES_SPEC spec;
    spec.bBackDrop = 1;
    ASSERT_EQ(DESIGN_LOADED, Open(spec));
    const BACKDROP& backdrop = m_pDesign->backdrop;
    ASSERT_TRUE(backdrop.fPresent);
    EXPECT_STREQ("ORVADROP.BDX", backdrop.Name);
    ASSERT_EQ(4u, backdrop.PrivateDataSize);
    EXPECT_EQ(0, memcmp("\x01\x02\x00\x03", backdrop.lpPrivateData, 4));
    EXPECT_EQ(1, m_pDesign->boxes.fHasBackDrop);

    // Without the flag, the placement follows the things: a backdrop section in between is not one.
    spec.bBackDrop = 0;
    spec.fBackdropSection = true;
    EXPECT_EQ(DESIGN_FAILED, Open(spec));
    EXPECT_TRUE(Reported("fcc==DLGBOXES4"));

    // Private data larger than the rest of the file is refused before anything is allocated for it.
    std::string bytes = DESIGNBYTES_Make(DESIGNBYTES_SPEC{spec.signature, spec.product, 1});
    const size_t at = bytes.find("ORVADROP.BDX") + 12;
    bytes.replace(at, 4, DESIGNBYTES_Long(0x7FFFFFF0));
    m_capture.Clear();
    EXPECT_EQ(DESIGN_FAILED, Open(bytes));
    EXPECT_FALSE(m_pDesign->backdrop.fPresent);
}

TEST_F(DesignTest, TheTargetsTagIsNotChecked) {
    for (const char* szTag : {"tgtc", "XXXX", "targ"}) {
        SCOPED_TRACE(szTag);
        DESIGNBYTES_SPEC spec;
        spec.targetsTag = szTag;
        EXPECT_EQ(DESIGN_LOADED, Open(spec));
    }
    DESIGNBYTES_SPEC spec;
    spec.targetsTag = std::string(4, '\0');
    EXPECT_EQ(DESIGN_LOADED, Open(spec));
    EXPECT_EQ(0u, m_pDesign->targets.dwTag);
}

TEST_F(DesignTest, RefusedSectionsFailWithResult1AndQuoteTheFailingCheck) {
    const struct {
        const char* szCase;
        DESIGNBYTES_SPEC spec;
        const char* szReport;
    } cases[] = {
        {"collection record size 112",
         [] {
             DESIGNBYTES_SPEC s;
             s.dwCOLLOBJ = 112;
             return s;
         }(),
         "pSelf->collection[index].dwCOLLOBJ == sizeof(COLLOBJ)"},
        {"disk record size 60",
         [] {
             DESIGNBYTES_SPEC s;
             s.dwDISKOBJ = 60;
             return s;
         }(),
         "pSelf->diskarr[ii].dwDISKOBJ==sizeof(DISKOBJ)"},
        {"no things",
         [] {
             DESIGNBYTES_SPEC s;
             s.things.clear();
             return s;
         }(),
         "nThings>0"},
        {"negative target index",
         [] {
             DESIGNBYTES_SPEC s;
             s.nTargetIndex = -1;
             return s;
         }(),
         "index>=0"},
        {"target index 50",
         [] {
             DESIGNBYTES_SPEC s;
             s.nTargetIndex = 50;
             return s;
         }(),
         "index<MAX_TARGETS"},
        {"negative collection index",
         [] {
             DESIGNBYTES_SPEC s;
             s.nCollectionIndex = -1;
             return s;
         }(),
         "ii>=0"},
        {"collection index 32",
         [] {
             DESIGNBYTES_SPEC s;
             s.nCollectionIndex = 32;
             return s;
         }(),
         "ii<MAX_COLLECTIONS"},
        {"disk index 32",
         [] {
             DESIGNBYTES_SPEC s;
             s.nDiskIndex = 32;
             return s;
         }(),
         "ii<MAX_DISKS"},
        {"path index 50",
         [] {
             DESIGNBYTES_SPEC s;
             s.nPathIndex = 50;
             return s;
         }(),
         "index<MAX_PATHS"},
        {"last thing at position 1000",
         [] {
             DESIGNBYTES_SPEC s;
             s.things[1].nPosition = 1000;
             return s;
         }(),
         "fInserted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        m_capture.Clear();
        EXPECT_EQ(DESIGN_FAILED, Open(c.spec));
        EXPECT_TRUE(Reported((std::string("MFX_PRE failed: in DESIGN (#:")).c_str()));
        EXPECT_TRUE(Reported(c.szReport)) << m_capture.Text();
    }
}

TEST_F(DesignTest, AThingOutsideThePositionsIsRefusedButOnlyTheLastOneFailsTheLoad) {
    DESIGNBYTES_SPEC spec;
    spec.things[0].nPosition = 1000;
    EXPECT_EQ(DESIGN_LOADED, Open(spec));
    EXPECT_TRUE(Reported("nPosition>=0&&nPosition<MAX_THINGS"));
    EXPECT_FALSE(THINGCOL_GetThing(&m_pDesign->things, 0));
    EXPECT_TRUE(THINGCOL_GetThing(&m_pDesign->things, 1));
}

TEST_F(DesignTest, CountsThatDisagreeAreReportedAndTheDesignStillLoads) {
    DESIGNBYTES_SPEC spec;
    spec.things = {{0, 0, "A.TXT", false, 1}, {1, 0, "B.TXT", false, 2}, {2, 1, "DIR", false, 3}};
    spec.nNumFiles = 3;
    spec.nNumDirs = 0;
    EXPECT_EQ(DESIGN_LOADED, Open(spec));
    EXPECT_EQ(2, m_pDesign->things.nFilesCounted);
    EXPECT_EQ(1, m_pDesign->things.nDirsCounted);
    EXPECT_TRUE(Reported("pSelf->nFilesCounted==pSelf->nNumFiles"));
    EXPECT_TRUE(Reported("pSelf->nDirsCounted==pSelf->nNumDirs"));
}

TEST_F(DesignTest, ACollectionsRunningTotalStaysWithinALong) {
    DESIGNBYTES_SPEC spec;
    spec.things = {{0, 0, "A.TXT", false, INT32_MAX}, {1, 0, "B.TXT", false, INT32_MAX}};
    ASSERT_EQ(DESIGN_LOADED, Open(spec));
    EXPECT_EQ(INT32_MAX, THINGCOL_GetCollectionSize(&m_pDesign->things, 0));
}

TEST_F(DesignTest, AThingOfAnotherTypeHasNoRecordAndIsStillInserted) {
    DESIGNBYTES_SPEC spec;
    spec.things.push_back({5, 4, "", false, 0});
    spec.nNumFiles = 2;
    ASSERT_EQ(DESIGN_LOADED, Open(spec));
    const THING* pThing = THINGCOL_GetThing(&m_pDesign->things, 5);
    ASSERT_TRUE(pThing);
    EXPECT_FALSE(pThing->pFile || pThing->pDir);
    EXPECT_STREQ("", THING_GetName(pThing));
    EXPECT_TRUE(Reported("pSelf->nType==THING_FILE||pSelf->nType==THING_DIR"));
}

TEST_F(DesignTest, ATruncatedFileFailsAtEveryLengthAndQuotesTheRead) {
    const std::string bytes = DESIGNBYTES_Make(DESIGNBYTES_SPEC{});
    for (size_t cb = 0; cb < bytes.size(); ++cb) {
        SCOPED_TRACE(cb);
        EXPECT_EQ(cb < 18 ? DESIGN_BADVERSION : DESIGN_FAILED, Open(bytes.substr(0, cb)));
    }
    // Cut inside the options section, just after nWinMode.
    m_capture.Clear();
    EXPECT_EQ(DESIGN_FAILED, Open(bytes.substr(0, 18 + 4 + 2 + 1)));
    EXPECT_TRUE(Reported("MFX_PRE failed: in DESIGN (#:")) << m_capture.Text();
    EXPECT_TRUE(Reported("HFILE_ReadShort(hFile,&pSelf->nVideo)")) << m_capture.Text();
    EXPECT_TRUE(Reported("EXE_ReadFromDisk(hFile, &pDesign->exe)")) << m_capture.Text();
}

TEST_F(DesignTest, OpeningAgainReleasesTheLoadedDesignAndAFailedLoadClosesTheFile) {
    DESIGNBYTES_SPEC spec;
    ASSERT_EQ(DESIGN_LOADED, Open(spec));
    spec.things = {{7, 0, "ONLY.TXT", false, 5}};
    ASSERT_EQ(DESIGN_LOADED, Open(spec));
    EXPECT_FALSE(THINGCOL_GetThing(&m_pDesign->things, 0));
    EXPECT_STREQ("ONLY.TXT", THING_GetName(THINGCOL_GetThing(&m_pDesign->things, 7)));
    EXPECT_EQ(5, THINGCOL_GetCollectionSize(&m_pDesign->things, 0));

    spec.dwCOLLOBJ = 112;
    ASSERT_EQ(DESIGN_FAILED, Open(spec));
    // The file is not held open: it can be removed (Windows refuses to delete an open file).
    EXPECT_EQ(0, std::remove(m_path.c_str()));
#ifndef _WIN32
    auto countDescriptors = [] {
        int n = 0;
        for (int fd = 0; fd < 1024; ++fd)
            n += fcntl(fd, F_GETFD) != -1 ? 1 : 0;
        return n;
    };
    const int nBefore = countDescriptors();
    for (int i = 0; i < 10; ++i)
        Open(spec);
    EXPECT_EQ(nBefore, countDescriptors());
#endif
}

TEST_F(DesignTest, AccessorsAnswerNullRecordsAndBadIndicesWithNeutralValuesAndAReport) {
    ASSERT_EQ(DESIGN_LOADED, Open(DESIGNBYTES_SPEC{}));
    const DESIGN& d = *m_pDesign;
    m_capture.Clear();
    EXPECT_STREQ("", DESIGN_GetOptions(nullptr)->szProduct);
    EXPECT_STREQ("", DESIGN_GetHookName(nullptr));
    EXPECT_STREQ("", PATHARR_GetPath(&d.paths, MAX_PATHS));
    EXPECT_FALSE(TARGCOLL_GetTarget(&d.targets, -1));
    EXPECT_FALSE(COLLECT_GetCollection(&d.collect, MAX_COLLECTIONS));
    EXPECT_FALSE(DISK_GetDisk(nullptr, 0));
    EXPECT_FALSE(THINGCOL_GetThing(&d.things, MAX_THINGS));
    EXPECT_EQ(-1, THINGCOL_GetReadMe(nullptr));
    EXPECT_EQ(-1, THINGCOL_GetRegDataFile(nullptr));
    EXPECT_EQ(-1, THING_GetType(nullptr));
    EXPECT_EQ(0, THING_GetSize(nullptr));
    EXPECT_STREQ("", THING_GetName(nullptr));
    EXPECT_STREQ("", TARGET_GetMessage(nullptr));
    EXPECT_EQ(50, DLGBOXES_GetBox(&d.boxes, DLGBOXES_COUNT)->xAnchor);
    EXPECT_EQ(14u, m_capture.Lines().size());
    // Empty slots are no error.
    m_capture.Clear();
    EXPECT_FALSE(TARGCOLL_GetTarget(&d.targets, 0));
    EXPECT_FALSE(COLLECT_GetCollection(&d.collect, 1));
    EXPECT_TRUE(m_capture.Text().empty());
}

TEST_F(DesignTest, TheDefaultDesignCentresTheFirstFourteenBoxes) {
    const DLGBOXES& boxes = m_pDesign->boxes;
    for (int i = 0; i < DLGBOXES_COUNT; ++i) {
        SCOPED_TRACE(i);
        const int nExpected = i < 14 ? 50 : 0;
        EXPECT_EQ(nExpected, boxes.Boxes[i].xAnchor);
        EXPECT_EQ(nExpected, boxes.Boxes[i].yDialog);
    }
    EXPECT_STREQ("MS Sans Serif", m_pDesign->exe.fontText.lfFaceName);
    EXPECT_EQ(-10, m_pDesign->exe.fontText.lfHeight);
}

}  // namespace
