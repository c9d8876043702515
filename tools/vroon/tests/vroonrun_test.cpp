// The conversion as vroon runs it, in this process, over real files (natively and under Wine).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "movie/tests/qtmodernfixture.h"
#include "testing/testsupport/testfile.h"
#include "tools/vroon/vroonjournal.h"
#include "tools/vroon/vroonopts.h"
#include "tools/vroon/vroonrun.h"

namespace {

const std::string FTYP = MOVIEFIXTURE_Atom(QTATOM_FTYP, std::string("mp42\0\0\0\0mp42isom", 16));
const std::string MEDIA = MOVIEFIXTURE_Atom(QTATOM_MDAT, QTMFIXTURE_Media(5000, 'r'));
const std::string FREE = MOVIEFIXTURE_Atom(QTATOM_FREE, "");
const std::vector<std::string> PARTS = {FTYP, FREE, MEDIA, QTMFIXTURE_MOOV};
const std::vector<QTMFIXTURE_CHUNK> CHUNKS = {{2, 0}, {2, 2500}, {2, 4999}};
const std::string SLOW = QTMFIXTURE_Layout(PARTS, {0, 1, 2, 3}, CHUNKS, QTATOM_STCO);
const std::string FAST = QTMFIXTURE_Layout(PARTS, {0, 1, 3, 2}, CHUNKS, QTATOM_STCO);

std::string ReadStream(FILE* pStream) {
    std::string text;
    rewind(pStream);
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pStream)) > 0)
        text.append(buffer, n);
    return text;
}

class VroonRunTest : public ::testing::Test {
protected:
    // Runs vroon with the arguments; the output and error text land in m_out and m_err.
    int Run(std::vector<const char*> args) {
        args.insert(args.begin(), "vroon");
        VROON_OPTIONS options;
        std::string error;
        EXPECT_TRUE(VROONOPTS_Parse(static_cast<int>(args.size()), args.data(), &options, &error)) << error;
        FILE* pOut = tmpfile();
        FILE* pErr = tmpfile();
        const int nStatus = VROONRUN_Run(options, pOut, pErr, false);
        m_out = ReadStream(pOut);
        m_err = ReadStream(pErr);
        fclose(pOut);
        fclose(pErr);
        return nStatus;
    }
    static std::string Path(const char* szName) { return std::string("vroonrun_") + szName; }
    void Write(const char* szName, const std::string& bytes) {
        ASSERT_TRUE(TESTFILE_Write(Path(szName), bytes));
        m_files.push_back(Path(szName));
    }
    void TearDown() override {
        for (const std::string& file : m_files) {
            remove(file.c_str());
            remove((file + VROONRUN_TEMP_SUFFIX).c_str());
            remove((file + VROONJOURNAL_SUFFIX).c_str());
        }
    }
    void Track(const char* szName) { m_files.push_back(Path(szName)); }
    std::string m_out, m_err;
    std::vector<std::string> m_files;
};

TEST_F(VroonRunTest, ConvertsInPlaceByCopyAndLeavesNoTemporaryFile) {
    Write("slow.mp4", SLOW);
    const std::string path = Path("slow.mp4");
    EXPECT_EQ(VROON_EXIT_OK, Run({"--copy", path.c_str()}));
    EXPECT_EQ(FAST, TESTFILE_Read(path));
    EXPECT_FALSE(TESTFILE_Exists(path + VROONRUN_TEMP_SUFFIX));
    EXPECT_EQ(path + ": converted by copy (moov moved to the front)\n", m_out);
    EXPECT_EQ("", m_err);

    // Converting again finds it in fast-start form and leaves it byte for byte.
    EXPECT_EQ(VROON_EXIT_OK, Run({path.c_str()}));
    EXPECT_EQ(FAST, TESTFILE_Read(path));
    EXPECT_EQ(path + ": already fast-start, left alone\n", m_out);
}

TEST_F(VroonRunTest, WritesANewFileWithDashOAndNeverOverwritesOne) {
    Write("source.mov", SLOW);
    const std::string source = Path("source.mov"), dest = Path("dest.mov");
    Track("dest.mov");
    EXPECT_EQ(VROON_EXIT_OK, Run({source.c_str(), "-o", dest.c_str()}));
    EXPECT_EQ(SLOW, TESTFILE_Read(source));
    EXPECT_EQ(FAST, TESTFILE_Read(dest));
    EXPECT_EQ(source + ": converted by copy (moov moved to the front) to " + dest + "\n", m_out);

    EXPECT_EQ(VROON_EXIT_FAILED, Run({source.c_str(), "-o", dest.c_str()}));
    EXPECT_EQ(source + ": " + dest + " already exists; it is not overwritten\n", m_err);
    EXPECT_EQ(FAST, TESTFILE_Read(dest));

    // A source already in fast-start form is copied as it is.
    const std::string copy = Path("copy.mov");
    Track("copy.mov");
    EXPECT_EQ(VROON_EXIT_OK, Run({dest.c_str(), "-o", copy.c_str()}));
    EXPECT_EQ(FAST, TESTFILE_Read(copy));
    EXPECT_EQ(dest + ": already fast-start, copied unchanged to " + copy + "\n", m_out);
}

TEST_F(VroonRunTest, RefusalsNameTheReasonAndLeaveTheFileAsItWas) {
    std::string cmov = MEDIA + MOVIEFIXTURE_Atom(QTATOM_MOOV, MOVIEFIXTURE_Atom(QTATOM_Type('c', 'm', 'o', 'v'), ""));
    std::string truncated = SLOW.substr(0, 3000);
    const struct {
        const char* szName;
        std::string bytes;
        const char* szReason;
    } cases[] = {
        {"empty.mov", "", "not converted: the file is empty"},
        {"garbage.mov", "GIF89a this is a picture, not a movie", "not converted: not a movie"},
        {"truncated.mov", truncated, "not converted: truncated at byte 3000 (an atom runs past the end of the file)"},
        {"nomoov.mov", FTYP + MEDIA, "not converted: no moov atom (the movie header is missing)"},
        {"cmov.mov", cmov, "not converted: compressed movie header (cmov) not supported"},
        {"fragmented.mp4", SLOW + MOVIEFIXTURE_Atom(QTATOM_Type('m', 'o', 'o', 'f'), ""),
         "not converted: fragmented movie (moof) not supported"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        Write(c.szName, c.bytes);
        const std::string path = Path(c.szName);
        EXPECT_EQ(VROON_EXIT_FAILED, Run({path.c_str()}));
        EXPECT_EQ(path + ": " + c.szReason + "\n", m_err);
        EXPECT_EQ("", m_out);
        EXPECT_EQ(c.bytes, TESTFILE_Read(path));
        EXPECT_FALSE(TESTFILE_Exists(path + VROONRUN_TEMP_SUFFIX));
    }
    const std::string missing = Path("missing.mov");
    EXPECT_EQ(VROON_EXIT_FAILED, Run({missing.c_str()}));
    EXPECT_EQ(missing + ": not found\n", m_err);
    EXPECT_EQ(VROON_EXIT_FAILED, Run({"."}));
    EXPECT_EQ(".: is a folder, not a movie\n", m_err);
}

TEST_F(VroonRunTest, SeveralMoviesGetALineEachAndASummary) {
    Write("one.mp4", SLOW);
    Write("two.mp4", FAST);
    const std::string one = Path("one.mp4"), two = Path("two.mp4"), three = Path("three.mp4");
    EXPECT_EQ(VROON_EXIT_NOT_FAST_START, Run({"--check", one.c_str(), two.c_str()}));
    EXPECT_EQ(one + ": not fast-start\n" + two + ": fast-start\nvroon: 2 movies: 1 already fast-start, 1 not fast-start\n",
              m_out);
    EXPECT_EQ(SLOW, TESTFILE_Read(one));

    EXPECT_EQ(VROON_EXIT_FAILED, Run({"--copy", one.c_str(), two.c_str(), three.c_str()}));
    EXPECT_EQ(one + ": converted by copy (moov moved to the front)\n" + two + ": already fast-start, left alone\n" +
                  "vroon: 3 movies: 1 converted, 1 already fast-start, 1 failed\n",
              m_out);
    EXPECT_EQ(three + ": not found\n", m_err);

    EXPECT_EQ(VROON_EXIT_OK, Run({"--check", "--quiet", one.c_str(), two.c_str()}));
    EXPECT_EQ("", m_out);
}

TEST_F(VroonRunTest, ClassicRulesConvertOnlyAMovieThatBeginsWithMdat) {
    const std::string flat = QTMFIXTURE_Layout({MEDIA, QTMFIXTURE_MOOV}, {0, 1}, {{0, 0}, {0, 4999}}, QTATOM_STCO);
    const std::string flatFast =
        QTMFIXTURE_Layout({MEDIA, QTMFIXTURE_MOOV}, {1, 0}, {{0, 0}, {0, 4999}}, QTATOM_STCO);
    Write("classic.mov", flat);
    Track("classic.FS");
    Track("classic.BAK");
    const std::string path = Path("classic.mov");
    EXPECT_EQ(VROON_EXIT_OK, Run({"--classic", path.c_str()}));
    EXPECT_EQ(path + ": converted by the classic rules\n", m_out);
    EXPECT_EQ(flatFast, TESTFILE_Read(path));
    EXPECT_FALSE(TESTFILE_Exists(Path("classic.FS")));
    EXPECT_FALSE(TESTFILE_Exists(Path("classic.BAK")));

    // A leading ftyp is beyond the classic rules; so is a movie whose backup name is taken.
    Write("modern.mov", SLOW);
    const std::string modern = Path("modern.mov");
    EXPECT_EQ(VROON_EXIT_FAILED, Run({"--classic", modern.c_str()}));
    EXPECT_EQ(modern + ": not converted by the classic rules (they take a movie whose first atom is mdat)\n", m_err);
    EXPECT_EQ(SLOW, TESTFILE_Read(modern));

    Write("classic.mov", flat);
    Write("classic.BAK", "someone's backup");
    EXPECT_EQ(VROON_EXIT_FAILED, Run({"--classic", path.c_str()}));
    EXPECT_EQ(path + ": not converted: the classic replace failed (is there a .BAK file of that name?); the movie is "
                     "unchanged\n",
              m_err);
    EXPECT_EQ(flat, TESTFILE_Read(path));
    EXPECT_EQ("someone's backup", TESTFILE_Read(Path("classic.BAK")));
    EXPECT_FALSE(TESTFILE_Exists(Path("classic.FS")));

    // Fast-start by the classic rules means moov at offset 0, which a leading ftyp rules out.
    Write("fast.mp4", FAST);
    EXPECT_EQ(VROON_EXIT_NOT_FAST_START, Run({"--classic", "--check", Path("fast.mp4").c_str()}));
    Write("moovfirst.mov", flatFast);
    EXPECT_EQ(VROON_EXIT_OK, Run({"--classic", "--check", Path("moovfirst.mov").c_str()}));
}

// The journal a conversion by insertion of SLOW writes, for a movie of the given name.
VROON_JOURNAL JournalOfSlow(const std::string& name) {
    CQTMemorySource memory(SLOW.data(), SLOW.size());
    VROON_JOURNAL journal;
    journal.name = name;
    EXPECT_TRUE(QTMODERN_PlanInsert(memory, 4096, &journal.insert));
    const QTM_INSERT& insert = journal.insert;
    journal.dwProbeCrc = VROONJOURNAL_Crc32(SLOW.data() + insert.qwProbeAt, insert.cbProbe);
    return journal;
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// What a killed conversion by insertion leaves is settled by the next run, whatever it was asked to do, or by
// --recover: before the insertion the journal is dropped, after it the conversion is completed.
TEST_F(VroonRunTest, AJournalLeftByAKilledConversionIsSettledFirst) {
    const std::string path = Path("killed.mp4"), journal = path + VROONJOURNAL_SUFFIX;
    const VROON_JOURNAL record = JournalOfSlow(path);
    const std::string bytes = Text(VROONJOURNAL_Encode(record));
    CQTMemorySource memory(SLOW.data(), SLOW.size());
    CQTInsertedSource inserted(memory, record.insert);
    std::string converted(static_cast<size_t>(inserted.Size()), '\0');
    ASSERT_TRUE(inserted.ReadAt(0, &converted[0], converted.size()));
    const std::string undone = path + ": undid an interrupted conversion, which had not changed the movie yet\n";
    const std::string completed = path + ": completed an interrupted conversion (in place, no data moved)\n";

    // Killed before the insertion: the movie is untouched and the journal goes; the conversion asked for runs.
    Write("killed.mp4", SLOW);
    ASSERT_TRUE(TESTFILE_Write(journal, bytes));
    EXPECT_EQ(VROON_EXIT_OK, Run({"--copy", path.c_str()}));
    EXPECT_EQ(undone + path + ": converted by copy (moov moved to the front)\n", m_out);
    EXPECT_EQ(FAST, TESTFILE_Read(path));
    EXPECT_FALSE(TESTFILE_Exists(journal));

    // Killed after the insertion, with the head half written, at the moov cut off, or after the last flush.
    const std::string head = Text(record.insert.patches[0].bytes);
    const std::string states[] = {
        std::string(head.size(), '\0') + SLOW,
        head.substr(0, head.size() / 2) + std::string(head.size() - head.size() / 2, '\0') + SLOW,
        converted.substr(0, head.size()) + SLOW.substr(0, converted.size() - head.size()),
        converted,
    };
    for (const std::string& state : states) {
        SCOPED_TRACE(&state - states);
        Write("killed.mp4", state);
        ASSERT_TRUE(TESTFILE_Write(journal, bytes));
        EXPECT_EQ(VROON_EXIT_OK, Run({"--recover", path.c_str()}));
        EXPECT_EQ(completed, m_out);
        EXPECT_EQ(converted, TESTFILE_Read(path));
        EXPECT_FALSE(TESTFILE_Exists(journal));
    }
    // A check runs after the recovery too, and then finds the movie in fast-start form.
    Write("killed.mp4", std::string(head.size(), '\0') + SLOW);
    ASSERT_TRUE(TESTFILE_Write(journal, bytes));
    EXPECT_EQ(VROON_EXIT_OK, Run({"--check", path.c_str()}));
    EXPECT_EQ(completed + path + ": fast-start\n", m_out);

    EXPECT_EQ(VROON_EXIT_OK, Run({"--recover", path.c_str()}));
    EXPECT_EQ(path + ": no interrupted conversion to recover\n", m_out);
}

// A journal that is damaged, of another movie, or of another state of this one is not acted on.
TEST_F(VroonRunTest, ADamagedOrForeignJournalIsRefusedAndNothingTouched) {
    const std::string path = Path("refused.mp4"), journal = path + VROONJOURNAL_SUFFIX;
    std::string damaged = Text(VROONJOURNAL_Encode(JournalOfSlow(path)));
    damaged[damaged.size() / 2] ^= 1;
    const struct {
        const char* szName;
        std::string movie, journal, reason;
    } cases[] = {
        {"damaged", SLOW, damaged, "the journal " + journal + " is damaged"},
        {"not a journal", SLOW, "some notes of mine", journal + " is not a journal of this vroon"},
        {"another movie's", SLOW, Text(VROONJOURNAL_Encode(JournalOfSlow("other.mp4"))),
         "the journal " + journal + " belongs to another movie (other.mp4)"},
        {"another size", SLOW + "x", Text(VROONJOURNAL_Encode(JournalOfSlow(path))),
         "the journal " + journal + " does not match the movie (its size or its media data differ)"},
    };
    for (const auto& c : cases) {
        for (const char* szMode : {"--recover", "--check", "--layout"}) {
            SCOPED_TRACE(std::string(c.szName) + " " + szMode);
            Write("refused.mp4", c.movie);
            ASSERT_TRUE(TESTFILE_Write(journal, c.journal));
            EXPECT_EQ(VROON_EXIT_FAILED, Run({szMode, path.c_str()}));
            EXPECT_EQ(path + ": " + c.reason + "; the movie and the journal are left alone\n", m_err);
            EXPECT_EQ("", m_out);
            EXPECT_EQ(c.movie, TESTFILE_Read(path));
            EXPECT_EQ(c.journal, TESTFILE_Read(journal));
        }
    }
}

TEST_F(VroonRunTest, LayoutPrintsOffsetsAndSizes) {
    Write("layout.mp4", SLOW);
    const std::string path = Path("layout.mp4");
    EXPECT_EQ(VROON_EXIT_OK, Run({"--layout", path.c_str()}));
    const size_t nMoov = FTYP.size() + FREE.size() + MEDIA.size();
    EXPECT_EQ(path + ":\n  ftyp  at 0  size 24\n  free  at 24  size 8\n  mdat  at 32  size 5008\n  moov  at " +
                  std::to_string(nMoov) + "  size " + std::to_string(SLOW.size() - nMoov) + "\n",
              m_out);
    EXPECT_EQ(VROON_EXIT_OK, Run({"--layout", "--tree", path.c_str()}));
    EXPECT_NE(std::string::npos, m_out.find("\n            stco  at "));
    EXPECT_EQ(SLOW, TESTFILE_Read(path));
}

}  // namespace
