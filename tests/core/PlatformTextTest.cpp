#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/SystemReason.h"
#include "platform/TextFile.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tf {
namespace {

TEST(TextFile, LinesEndAtCrLfCrOrLf)
{
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("\r\n"), std::vector<std::string>{""});
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(TextFile, MissingFileNamesItself)
{
    test::TempFolder temp;
    try {
        ReadLines(temp / "viscolor.txt");
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FileOpen);
        EXPECT_TRUE(error.message().contains(QStringLiteral("viscolor.txt")));
    }
}

// The type is checked on what was opened, without waiting on it: a FIFO
// swapped in for the file at any moment is refused, never waited for.
TEST(TextFile, AFifoSwappedInIsRefusedWithoutWaiting)
{
    TF_SKIP_ON_WINDOWS("no FIFOs among its files");
#ifndef _WIN32
    test::TempFolder temp;
    const fs::path file = temp / "region.txt";
    const fs::path fifo = temp / "fifo";
    const fs::path regular = temp / "regular";
    std::ofstream(regular) << "[Normal]\r\n";
    mkfifo(fifo.c_str(), 0600);
    fs::create_hard_link(regular, file);
    std::atomic<bool> done{false};
    std::atomic<int> refused{0};
    std::thread reader([&] {
        for (int i = 0; i < 2000; ++i) {
            try {
                ReadFileBytes(file);
            } catch (const AppError&) {
                ++refused;
            }
        }
        done = true;
    });
    // Swaps the name between the file and the FIFO as fast as it can.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (int i = 0; !done && std::chrono::steady_clock::now() < deadline; ++i) {
        const fs::path next = temp / ("next" + std::to_string(i));
        fs::create_hard_link(i % 2 ? regular : fifo, next);
        fs::rename(next, file);
    }
    if (!done) {
        ADD_FAILURE() << "a read waits on the FIFO";
        while (!done) { // a writer lets it go
            const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    reader.join();
    EXPECT_GT(refused.load(), 0);
    EXPECT_THROW(ReadFileBytes(fifo), AppError);
#endif
}

TEST(IniFile, ReadsAsTheProfileFunctionsDo)
{
    const IniFile ini = IniFile::Parse("; comment\r\n"
                                       "[Text]\r\n"
                                       "  Normal =  #00FF00  \r\n"
                                       "current=\"#FFFFFF\"\r\n"
                                       "Quoted='a b'\r\n"
                                       "nokey\r\n"
                                       "[Empty]\r\n"
                                       "; only a comment\r\n"
                                       "[Numbers]\r\n"
                                       "Hex=0x1F\r\n"
                                       "Dollar=$10\r\n"
                                       "Bad=12a\r\n"
                                       "Neg= -5\r\n");
    EXPECT_EQ(ini.readString("text", "NORMAL", "x"), "#00FF00");
    EXPECT_EQ(ini.readString("Text", "Current", "x"), "#FFFFFF");
    EXPECT_EQ(ini.readString("Text", "Quoted", "x"), "a b");
    EXPECT_EQ(ini.readString("Text", "Missing", "dflt"), "dflt");
    EXPECT_TRUE(ini.hasSection("TEXT"));
    EXPECT_FALSE(ini.hasSection("Empty")) << "a section counts only with a key";
    EXPECT_FALSE(ini.hasSection("Nowhere"));
    EXPECT_TRUE(ini.hasKey("Numbers", "hex"));
    EXPECT_EQ(ini.readInteger("Numbers", "Hex", 0), 31);
    EXPECT_EQ(ini.readInteger("Numbers", "Dollar", 0), 16);
    EXPECT_EQ(ini.readInteger("Numbers", "Bad", 7), 7);
    EXPECT_EQ(ini.readInteger("Numbers", "Neg", 0), -5);
    EXPECT_TRUE(ini.readBool("Numbers", "Hex", false));
    EXPECT_TRUE(ini.readBool("Numbers", "Bad", true));
    EXPECT_FALSE(ini.readBool("Numbers", "Bad", false));
}

TEST(IniFile, LongValuesAreCut)
{
    const IniFile ini = IniFile::Parse("[s]\nk=" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(ini.readString("s", "k", "").size(), IniFile::kMaxValueBytes);
}

TEST(IniFile, WritingKeepsOtherLines)
{
    IniFile ini = IniFile::Parse("[Other]\r\nx=1\r\n[SKCNV]\r\nOpenName=old\r\n; note\r\n[Last]\r\ny=2\r\n");
    ini.setValue("SKCNV", "OpenName", "new");
    ini.setValue("SKCNV", "SaveName", "s");
    ini.setValue("Fresh", "k", "v");
    EXPECT_EQ(ini.serialize(), "[Other]\r\nx=1\r\n[SKCNV]\r\nOpenName=new\r\nSaveName=s\r\n; note\r\n"
                               "[Last]\r\ny=2\r\n[Fresh]\r\nk=v\r\n");
    const IniFile again = IniFile::Parse(ini.serialize());
    EXPECT_EQ(again.readString("skcnv", "savename", ""), "s");
}

TEST(Numbers, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(7, 96, 72), 9);
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(-8, 96, 72), -11);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
}

TEST(ShiftJis, RoundTripsJapaneseText)
{
    const std::string gothic = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";
    EXPECT_EQ(DecodeCp932(gothic), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(EncodeCp932(QStringLiteral("ＭＳ ゴシック")), gothic);
    // The 5C byte of 表 stays the second byte of its character.
    EXPECT_EQ(EncodeCp932(QStringLiteral("表示")), "\x95\x5c\x8e\xa6");
    EXPECT_EQ(EncodeCp932(QStringLiteral("a😀b")), "a?b");
    EXPECT_FALSE(IsCp932Representable(QStringLiteral("😀")));
    EXPECT_EQ(DecodeCp932("\x82"), QString(QChar(0xFFFD))) << "a cut character never stops decoding";
}

TEST(ShiftJis, ValidUtf8)
{
    EXPECT_TRUE(IsValidUtf8("main.bmp"));
    EXPECT_TRUE(IsValidUtf8("\xe8\xa1\xa8"));
    EXPECT_FALSE(IsValidUtf8("\x95\x5c"));
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf")) << "overlong";
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80")) << "surrogate";
}

TEST(FileLookup, MatchesWithoutRegardToCaseAndTrailingBlanks)
{
    test::TempFolder temp;
    for (const char* name : {"MAIN.BMP", "Pledit.txt"})
        std::ofstream(temp / name) << name;
    fs::create_directory(temp / "region.txt");
    const FolderIndex index(temp.path());
    EXPECT_EQ(index.find("main.bmp"), temp / "MAIN.BMP");
    EXPECT_EQ(index.find("PLEDIT.TXT"), temp / "Pledit.txt");
    EXPECT_EQ(index.find("Region.txt "), std::nullopt) << "folders are not files";
    EXPECT_EQ(index.find(""), std::nullopt);
    EXPECT_EQ(FindFileNoCase(temp / "Main.Bmp"), temp / "MAIN.BMP");
    EXPECT_EQ(FindFileNoCase(temp / "missing" / "main.bmp"), std::nullopt);
    TF_SKIP_ON_WINDOWS("names differing in case only");
    for (const char* name : {"b.bmp", "B.BMP"})
        std::ofstream(temp / name) << name;
    EXPECT_EQ(FolderIndex(temp.path()).find("b.bmp"), temp / "B.BMP") << "the first in name order";
}

TEST(FileLookup, ListingsAreSortedByName)
{
    TF_SKIP_ON_WINDOWS("names differing in case only");
    test::TempFolder temp;
    for (const char* name : {"c", "a", "B", "b"})
        std::ofstream(temp / name) << name;
    std::vector<std::string> names;
    for (const auto& entry : ListFolderSorted(temp.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"B", "a", "b", "c"}));
    EXPECT_TRUE(ListFolderSorted(temp / "missing").empty());
}

} // namespace
} // namespace tf

namespace tf {
namespace {

TEST(JapaneseReasonTest, CommonSystemReasonsReadJapanese)
{
    EXPECT_EQ(JapaneseReason(QString::fromLocal8Bit(std::strerror(ENOENT))),
              QStringLiteral("ファイルまたはフォルダがありません"));
    EXPECT_EQ(JapaneseReason(QStringLiteral("File not found")), QStringLiteral("ファイルまたはフォルダがありません"));
    EXPECT_EQ(JapaneseReason(QString::fromLocal8Bit(std::strerror(ENOSPC))),
              QStringLiteral("ディスクの空き領域が足りません"));
    EXPECT_EQ(JapaneseReason(QStringLiteral("Something odd")), QStringLiteral("Something odd"));
}

} // namespace
} // namespace tf
