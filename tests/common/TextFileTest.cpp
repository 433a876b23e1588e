#include "common/TextFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <thread>
#include <tuple>

#include "common/LineReader.h"
#include "common/Utf8Case.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::size_t EntriesIn(const test::TempFolder& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder.folder()), fs::directory_iterator()));
}

Lines SplitAll(std::string_view text) {
    Lines lines;
    LineSplitter splitter(text);
    for (std::string_view line; splitter.Next(line);) lines.emplace_back(line);
    return lines;
}

Lines ReadAllLines(const std::string& path) {
    Lines lines;
    LineReader reader(path);
    for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
    return lines;
}

// Every platform's line end ends a line; the file reader splits exactly as
// the splitter of text in memory does, across its buffer's edges too.
TEST(Lines, EveryLineEndEndsALine) {
    const std::tuple<const char*, std::string, Lines> cases[] = {
        {"empty", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"no last end", "a\r\nb", {"a", "b"}},
        {"CR, LF", "a\rb\nc", {"a", "b", "c"}},
        {"ends only", "\r\n\n\r", {"", "", ""}},
        {"CR before CR LF", "x\r\r\ny\n\n", {"x", "", "y", ""}},
        {"across the buffer", std::string(65535, 'a') + "\r\nb", {std::string(65535, 'a'), "b"}},
        {"many CRs", std::string(200000, '\r'), Lines(200000, "")},
    };
    test::TempFolder folder;
    for (const auto& [name, text, lines] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(SplitAll(text), lines);
        folder.Write("t", text);
        EXPECT_EQ(ReadAllLines(folder.File("t")), lines);
    }
}

TEST(Lines, ALineBeyondTheLimitIsRefused) {
    test::TempFolder folder;
    folder.Write("long", "a\r\n" + std::string(LineReader::kLongestLine + 1, 'x'));
    LineReader reader(folder.File("long"));
    std::string_view line;
    EXPECT_TRUE(reader.Next(line));
    EXPECT_FALSE(reader.Next(line));
    EXPECT_EQ(reader.status().error(), "line 2 is longer than 16 MB");
}

// Readers and writers leave alone whatever is not a plain file, and never
// wait on a FIFO (the alarm ends a test that would).
TEST(FileAccess, OnlyPlainFilesAreReadOrWritten) {
    test::TempFolder folder;
    folder.Write("plain", "x");
    fs::create_directory(folder.File("folder"));
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    alarm(10);
    const std::pair<std::string, std::string> cases[] = {
        {folder.File("missing"), "no such file"},
        {folder.File("folder"), "is a folder"},
        {folder.File("fifo"), "is not a plain file"},
        {"/dev/null", "is not a plain file"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(ReadWholeFile(path).error(), reason) << path;
        EXPECT_FALSE(LineReader(path).status().ok()) << path;
        if (path == folder.File("missing")) continue;
        EXPECT_NE(AppendToFile(path, "y").error().find(reason), std::string::npos) << path;
        EXPECT_NE(RewriteFile(path, "y").error().find(reason), std::string::npos) << path;
    }
    alarm(0);
    EXPECT_TRUE(ReadWholeFile(folder.File("plain")) == "x");
    EXPECT_EQ(EntriesIn(folder), 3u) << "nothing was created or replaced";
}

TEST(RewriteFile, ReplacesContentKeepingPermissionsLinksAndMark) {
    test::TempFolder folder;
    folder.Write("s.ini", "\xEF\xBB\xBFold\r\n");
    fs::permissions(folder.File("s.ini"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(folder.File("s.ini"), folder.File("link.ini"));
    ASSERT_TRUE(RewriteFile(folder.File("link.ini"), "new\r\n"));
    EXPECT_EQ(folder.Read("s.ini"), "\xEF\xBB\xBFnew\r\n");  // the UTF-8 mark is kept
    EXPECT_TRUE(fs::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(fs::status(folder.File("s.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(EntriesIn(folder), 2u) << "no temporary file is left behind";
    folder.Write("utf16", "\xFF\xFE");
    EXPECT_NE(AppendToFile(folder.File("utf16"), "x").error().find("UTF-16"), std::string::npos);
}

// What a rename would lose is kept, or the rewrite is refused, says why and
// leaves the file as it was. The rows that set owners need root; the last two
// act as the user nobody (through the file-system ids, which drop root's
// rights to files). A file system without extended attributes skips theirs.
TEST(ReplacementFile, KeepsWhatARenameWouldLose) {
    const std::string cases[][3] = {
        // the row, the refusal ("": none), what "f" then holds
        {"owner", "", "new"},
        {"attributes", "", "new"},
        {"hard link", "it has other names (hard links)", "old"},
        {"changed meanwhile", "it was changed by another program", "old+"},
        {"another user's file", "it belongs to another user or group", "old"},
        {"read-only folder", "the folder ", "old"},
    };
    constexpr unsigned kNobody = 65534;
    for (const auto& [row, refusal, left] : cases) {
        const bool asNobody = row == "another user's file" || row == "read-only folder";
        if ((asNobody || row == "owner") && geteuid() != 0) continue;
        SCOPED_TRACE(row);
        test::TempFolder folder;
        folder.Write("f", "old");
        const std::string f = folder.File("f");
        const bool owned = row == "owner" || row == "read-only folder";
        EXPECT_TRUE(!owned || chown(f.c_str(), kNobody, kNobody) == 0);
        if (row == "attributes" && (setxattr(f.c_str(), "user.n", "x", 1, 0) != 0 ||
                                    setxattr(f.c_str(), "user.e", "", 0, 0) != 0))
            continue;
        if (row == "hard link") fs::create_hard_link(f, folder.File("g"));
        if (asNobody) chmod(folder.folder().c_str(), row == "read-only folder" ? 0755 : 0777);
        if (row == "another user's file") chmod(f.c_str(), 0666);
        setfsgid(asNobody ? kNobody : 0);
        setfsuid(asNobody ? kNobody : 0);
        auto file = ReplacementFile::Create(f);
        std::string error = file.error();
        if (file && file->Write("new")) {
            EXPECT_TRUE(row != "changed meanwhile" || AppendToFile(f, "+"));
            error = file->Commit().error();
        }
        setfsuid(0);
        setfsgid(0);
        EXPECT_TRUE(refusal.empty() ? error.empty() : error.find(refusal) != std::string::npos)
            << error;
        EXPECT_EQ(folder.Read("f"), left);
        struct stat status {};
        char value = 0;
        EXPECT_EQ(stat(f.c_str(), &status) == 0 && status.st_uid == kNobody, owned);
        EXPECT_EQ(getxattr(f.c_str(), "user.n", &value, 1) == 1 && value == 'x',
                  row == "attributes");
        EXPECT_EQ(getxattr(f.c_str(), "user.e", nullptr, 0) == 0, row == "attributes");
        EXPECT_EQ(EntriesIn(folder), row == "hard link" ? 2u : 1u) << "a temporary is left";
    }
}

// The new version is private until it is in place, and an interrupted write
// leaves nothing behind: not on failure, not on SIGTERM.
TEST(ReplacementFile, TemporaryIsPrivateAndNeverLeftBehind) {
    test::TempFolder folder;
    folder.Write("f", "old");
    {
        auto file = ReplacementFile::Create(folder.File("f"));
        ASSERT_TRUE(file);
        struct stat status {};
        ASSERT_EQ(fstat(file->fd(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
        ASSERT_TRUE(file->Write("half"));
    }
    EXPECT_EQ(EntriesIn(folder), 1u);

    // SIGTERM or SIGPIPE at any moment, to a process whose other thread may
    // take it while the file is being made.
    for (int trial = 0; trial < 100; ++trial) {
        const pid_t child = fork();
        if (child == 0) {
            RemoveTemporariesOnSignals();
            std::thread([] { pause(); }).detach();
            for (;;) ReplacementFile::Create(folder.File("f"));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + 37 * trial));
        const int signal = trial % 2 ? SIGPIPE : SIGTERM;
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        ASSERT_EQ(EntriesIn(folder), 1u) << "trial " << trial;
    }
    EXPECT_EQ(folder.Read("f"), "old");
}

TEST(FolderFiles, NamesMatchWithoutRegardToCase) {
    test::TempFolder folder;
    folder.Write("Bell.wav", "");
    folder.Write("bell.WAV", "");
    folder.Write("Gong.wav", "");
    fs::create_directory(folder.File("sub"));
    fs::last_write_time(folder.folder(), fs::file_time_type::clock::now() - std::chrono::hours(1));
    FolderFiles files(folder.folder());
    EXPECT_EQ(files.Find("bell.WAV"), folder.File("bell.WAV")) << "an exact match wins";
    EXPECT_EQ(files.Find("BELL.wav"), folder.File("Bell.wav")) << "else the lowest in byte order";
    EXPECT_EQ(files.Find("gong.wav"), folder.File("Gong.wav"));
    for (const std::string& name : std::initializer_list<std::string>{
             "", "sub", "..", "./Gong.wav", "missing.wav", std::string("Gong.wav\0x", 10)}) {
        EXPECT_EQ(files.Find(name), std::nullopt) << testing::PrintToString(name);
    }
    folder.Write("Late.wav", "");  // after the listing
    EXPECT_EQ(files.Find("late.wav"), folder.File("Late.wav"));
}

// Typed text is lower-cased as text, whatever its alphabet; what is not a
// letter of the covered blocks, or not UTF-8 at all, passes through.
TEST(Utf8Case, LowerCasesLettersOfEveryCoveredAlphabet) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"Latin-1", "H\xC3\x89LLO W\xC3\x96RLD [:NP]", "h\xC3\xa9llo w\xC3\xb6rld [:np]"},
        {"Latin Extended-A",
         "\xC5\x81\xC3\x93"
         "D\xC5\xB9",
         "\xC5\x82\xC3\xb3"
         "d\xC5\xBA"},
        {"Greek", "\xCE\x91\xCE\xA3\xCE\xA9", "\xCE\xB1\xCF\x83\xCF\x89"},
        {"Cyrillic", "\xD0\x9F\xD0\xA0\xD0\x81", "\xD0\xBF\xD1\x80\xD1\x91"},
        {"Armenian, Vietnamese", "\xD4\xB1\xE1\xBA\xA0", "\xD5\xA1\xE1\xBA\xA1"},
        {"dotted capital I", "\xC4\xB0", "i\xCC\x87"},
        {"no case, not UTF-8", "\xE4\xB8\xAD \xC3\x9F \xC3 \xFF\xC4 \xE4\x41\x42",
         "\xE4\xB8\xAD \xC3\x9F \xC3 \xFF\xC4 \xE4\x61\x62"},
        // Broken forms of letters stay as they are.
        {"broken letters", "\xE1\x41\x80 \xF1\xB8\x80 \xE1\xBA",
         "\xE1\x61\x80 \xF1\xB8\x80 \xE1\xBA"},
    };
    for (const auto& [name, text, lowered] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ToLowerUtf8(text), lowered);
        // Nothing after the given text is read.
        const std::string longer = text + "\x80" + "A";
        EXPECT_EQ(ToLowerUtf8(std::string_view(longer).substr(0, text.size())), lowered);
    }
}

}  // namespace
}  // namespace qvx
