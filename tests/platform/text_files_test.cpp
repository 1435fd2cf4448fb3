// Number conversions, the text helpers, the Windows-1252 edge of the file
// channels and the channels themselves.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "support/full_disk.h"
#include "support/test_support.h"

namespace {

TEST(NumberToText, PlainDecimalWithSignPlace) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0, " 0"},          {1, " 1"},           {-1, "-1"},         {0.5, " 0.5"},
      {-284.8, "-284.8"}, {1486.6, " 1486.6"}, {0.1 + 0.2, " 0.3"}, {1e-7, " 1E-07"},
      {-2.5e20, "-2.5E+20"}, {123456789012, " 123456789012"}, {0.001, " 0.001"},
  };
  for (const auto& c : cases) EXPECT_EQ(plat::NumberToText(c.value), c.text) << c.value;
}

TEST(TextToNumber, LeadingNumberRule) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {" 12.5", 12.5}, {"-3", -3},     {"1,5", 1},      {"2.5e3x", 2500}, {"abc", 0},
      {"", 0},         {".5", 0.5},    {"+7", 7},       {"1e", 1},        {"  -0.25 eV", -0.25},
      {"1.2.3", 1.2},  {"1D2", 100},   {"-", 0},        {"1e+", 1},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(plat::TextToNumber(c.text), c.value) << c.text;
  // A written number reads back to the same value.
  for (double v : {0.1, -284.8, 1486.6, 1e-7, 3.14159265358979, 123456.789})
    EXPECT_DOUBLE_EQ(plat::TextToNumber(plat::NumberToText(v)), v);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(plat::RoundHalfEven(2.5), 2);
  EXPECT_EQ(plat::RoundHalfEven(3.5), 4);
  EXPECT_EQ(plat::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(plat::RoundHalfEven(2.6), 3);
  EXPECT_EQ(plat::RoundHalfEven(1e300), 9200000000000000000LL);
}

TEST(Cp1252, RoundTripsThroughUtf8) {
  std::string bytes = "\x80 \xB5 \xB2 \xE4\xF6\xFC \xDF";  // euro, micro, superscript 2, umlauts
  std::string utf8 = plat::Cp1252ToUtf8(bytes);
  EXPECT_EQ(utf8, "\u20AC \u00B5 \u00B2 \u00E4\u00F6\u00FC \u00DF");
  EXPECT_EQ(plat::Utf8ToCp1252(utf8), bytes);
  EXPECT_FALSE(plat::Utf8FitsCp1252("\u03B1"));  // Greek alpha has no single byte
  EXPECT_EQ(plat::Utf8ToCp1252("\u03B1"), "?");
}

TEST(TextHelpers, CountCharactersNotBytes) {
  EXPECT_EQ(plat::Mid("Program = /data", 11), "/data");
  EXPECT_EQ(plat::Mid("abc", 5), "");
  EXPECT_EQ(plat::Left("abc", 10), "abc");
  EXPECT_EQ(plat::Right("name.vms", 3), "vms");
  EXPECT_EQ(plat::Trim("  x y \t"), "x y");
  // Characters of two, three and four bytes count as one each.
  const std::string text = "\u03B1-Fe2O3 \u041A\u0432\u0430\u0440\u0446 \u77F3\u82F1 \U0001F52C";
  EXPECT_EQ(plat::CharacterCount(text), 18u);
  EXPECT_EQ(plat::Left(text, 1), "\u03B1");
  EXPECT_EQ(plat::Mid(text, 9, 5), "\u041A\u0432\u0430\u0440\u0446");
  EXPECT_EQ(plat::Mid(text, 15, 2), "\u77F3\u82F1");
  EXPECT_EQ(plat::Right(text, 4), "\u77F3\u82F1 \U0001F52C");
  EXPECT_EQ(plat::Mid(text, 18), "\U0001F52C");
  EXPECT_EQ(plat::Mid(text, 19), "");
  EXPECT_EQ(plat::Left(text, 100), text);
  EXPECT_EQ(plat::Right(text, 100), text);
  // A byte that starts no character counts as one (the columns of an older
  // Windows-1252 line stay where they were).
  EXPECT_EQ(plat::CharacterCount("Gr\xFC\xDF" "e"), 5u);
  EXPECT_EQ(plat::Mid("Gr\xFC\xDF" "e 12", 7, 2), "12");
  // Cuts fall before a character, never before a mark that joins the one
  // before it ("e" + combining acute, "a" + combining diaeresis).
  const std::string decomposed = "Ne\u0301e a\u0308";
  EXPECT_EQ(plat::CutPoints(decomposed), (std::vector<std::size_t>{0, 1, 4, 5, 6, 9}));
  EXPECT_EQ(plat::CutPoints(""), (std::vector<std::size_t>{0}));
}

TEST(Utf8, WellFormedSequencesOnly) {
  struct Case {
    const char* bytes;
    bool utf8;
  } cases[] = {
      {"plain", true},          {"\u00E4\u03B1\u77F3\U0001F52C", true},
      {"\xE4", false},          // Windows-1252 "ä"
      {"\xC3", false},          // cut short
      {"\xC0\xAF", false},      // overlong "/"
      {"\xED\xA0\x80", false},  // a surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
      {"\xA4", false},          // a continuation byte alone
  };
  for (const auto& c : cases) EXPECT_EQ(plat::IsUtf8(c.bytes), c.utf8) << c.bytes;
  EXPECT_EQ(plat::ValidUtf8("\xE4\x80"), "\u00E4\u20AC");
  EXPECT_EQ(plat::ValidUtf8("\u03B1"), "\u03B1");
}

TEST(FileEdge, LinesReadAsUtf8WhenTheyAreAndAsWindows1252Otherwise) {
  // A file of older Windows-1252 lines and newer UTF-8 lines, both line ends.
  const std::string bytes = "Probe \xE4\xB5\r\n\xCE\xB1-Fe2O3\nplain\r\n\xC3\xA4 and \xE4\r\n";
  EXPECT_EQ(plat::TextOfFileBytes(bytes),
            "Probe \u00E4\u00B5\r\n\u03B1-Fe2O3\nplain\r\n\u00C3\u00A4 and \u00E4\r\n");
}

TEST(FileEdge, EveryTextWrittenReadsBackTheSame) {
  struct Case {
    const char* text;
    const char* bytes;  // as written
  } cases[] = {
      {"C 1s", "C 1s"},
      {"Probe_\u00E4\u00F6\u00FC_\u00B5 \u20AC", "Probe_\xE4\xF6\xFC_\xB5 \x80"},  // Windows-1252 where it fits
      {"\u03B2-phase \u0394=0.3 eV", "\u03B2-phase \u0394=0.3 eV"},                 // UTF-8 where it does not
      {"\u00E4 \u77F3\u82F1", "\u00E4 \u77F3\u82F1"},                             // one line, one encoding
      // Windows-1252 bytes that would read as UTF-8 ("\xC3\xA4" is "ä"):
      // written as UTF-8 so that they come back as they were.
      {"\u00C3\u00A4", "\u00C3\u00A4"},
      {"\u00E4\r\u00C3\u00A4", "\u00E4\r\u00C3\u00A4"},  // decided line by line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(plat::FileBytesOfLine(c.text), c.bytes);
    EXPECT_EQ(plat::TextOfFileBytes(plat::FileBytesOfLine(c.text)), c.text);
  }
}

class FileChannels : public ::testing::Test {
 protected:
  std::string dir = testsupport::MakeTempFolder("files");
  std::string Program(const std::string& name) { return plat::ProgramPath(dir) + "\\" + name; }
  void TearDown() override { plat::CloseAll(); }
};

TEST_F(FileChannels, FieldAndLineReadsAcceptBothLineEnds) {
  testsupport::WriteFile(dir + "/a.txt", "one,two\r\nthree\n\nlast,");
  plat::OpenInput(3, Program("a.txt"));
  EXPECT_EQ(plat::ReadField(3), "one");
  EXPECT_EQ(plat::ReadField(3), "two");
  EXPECT_EQ(plat::ReadLine(3), "three");
  EXPECT_EQ(plat::ReadField(3), "");  // an empty line is one empty field
  EXPECT_EQ(plat::ReadField(3), "last");
  EXPECT_FALSE(plat::AtEnd(3));
  EXPECT_EQ(plat::ReadField(3), "");  // "last," leaves an empty field
  EXPECT_TRUE(plat::AtEnd(3));
  EXPECT_THROW(plat::ReadField(3), plat::FileError);
}

TEST_F(FileChannels, LastLineWithoutLineEndStillReads) {
  testsupport::WriteFile(dir + "/b.txt", "x\r\ny");
  plat::OpenInput(1, Program("b.txt"));
  EXPECT_EQ(plat::ReadLine(1), "x");
  EXPECT_EQ(plat::ReadLine(1), "y");
  EXPECT_TRUE(plat::AtEnd(1));
}

TEST_F(FileChannels, WritesEndLinesWithCrLfAndReadBack) {
  plat::OpenOutput(7, Program("out.txt"));
  plat::WriteLine(7, plat::NumberToText(1.5));
  plat::WriteLine(7, "text");
  plat::Close(7);
  EXPECT_EQ(testsupport::ReadFile(dir + "/out.txt"), " 1.5\r\ntext\r\n");
  plat::OpenInput(7, Program("out.txt"));
  EXPECT_DOUBLE_EQ(plat::ReadNumberField(7), 1.5);
  EXPECT_EQ(plat::ReadField(7), "text");
  EXPECT_TRUE(plat::AtEnd(7));
}

TEST_F(FileChannels, MissingFileIsAnErrorNamingTheFile) {
  try {
    plat::OpenInput(1, Program("missing.set"));
    FAIL() << "no error";
  } catch (const plat::FileError& e) {
    EXPECT_NE(e.path().find("missing.set"), std::string::npos);
  }
  EXPECT_FALSE(plat::IsOpen(1));
  EXPECT_THROW(plat::ReadLine(9), plat::FileError);  // never opened
  EXPECT_THROW(plat::OpenInput(0, Program("x")), plat::FileError);
}

TEST_F(FileChannels, ProgramPathsMapToThisSystem) {
  EXPECT_EQ(plat::NativePath("\\settings\\paraset1.par"), "/settings/paraset1.par");
  EXPECT_EQ(plat::NativePath("/opt/sorvan\\settings\\x.set"), "/opt/sorvan/settings/x.set");
  EXPECT_EQ(plat::NativePath("/opt/sorvan/\\temp"), "/opt/sorvan/temp");
  EXPECT_EQ(plat::ProgramPath("/a/b.txt"), "\\a\\b.txt");
  ASSERT_TRUE(plat::CreateFolder(Program("sub\\deeper")));
  EXPECT_TRUE(plat::FolderExists(Program("sub\\deeper")));
  testsupport::WriteFile(dir + "/sub/f.txt", "1");
  EXPECT_TRUE(plat::CopyFileReplacing(Program("sub\\f.txt"), Program("sub\\deeper\\g.txt")));
  EXPECT_TRUE(plat::FileExists(Program("sub\\deeper\\g.txt")));
  EXPECT_EQ(plat::FileDateText(Program("sub\\f.txt")).size(), 19u);
}

TEST_F(FileChannels, NamesInAnyScriptAreTheSystemsNames) {
  // Program texts and the system's names are both UTF-8: only the
  // separators differ.
  struct Case {
    const char* folder;
    const char* file;
  };
  const Case cases[] = {
      {"Messreihe_\u00E4", "Probe_\u00E4\u00F6\u00FC_\u00B5.vms"},
      {"\u03B1-Fe2O3 \u041A\u0432\u0430\u0440\u0446 \u77F3\u82F1", "\u03B2-phase \u0394=0.3 eV.vms"},
      {"plain", "name.set"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string folder = Program(c.folder);
    const std::string file = folder + "\\" + c.file;
    const std::string nativeFile = dir + "/" + c.folder + "/" + c.file;
    EXPECT_EQ(plat::NativePath(file), nativeFile);
    EXPECT_EQ(plat::ProgramPath(nativeFile), file);
    // Written through the file layer, the file is found under its name.
    ASSERT_TRUE(plat::CreateFolder(folder));
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/" + c.folder));
    EXPECT_TRUE(plat::FolderExists(folder));
    plat::OpenOutput(7, file);
    plat::WriteLine(7, c.file);
    plat::Close(7);
    EXPECT_EQ(testsupport::ReadFile(nativeFile), plat::FileBytesOfLine(c.file) + "\r\n");
    // ... and read back, copied, dated and removed through its program name.
    plat::OpenInput(1, file);
    EXPECT_EQ(plat::ReadLine(1), c.file);
    plat::Close(1);
    EXPECT_TRUE(plat::FileExists(file));
    EXPECT_EQ(plat::ReadWholeTextFile(file), std::string(c.file) + "\r\n");
    EXPECT_EQ(plat::FileDateText(file).size(), 19u);
    const std::string copy = folder + "\\copy " + c.file;
    EXPECT_TRUE(plat::CopyFileReplacing(file, copy));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir + "/" + c.folder + "/copy " + c.file));
    EXPECT_TRUE(plat::RemoveFile(copy));
    EXPECT_FALSE(plat::FileExists(copy));
  }
}

// Every writer goes through a temporary file beside the old one: the old file
// stays until the new one is complete, and a write that fails on the way (a
// full disk) or at the final flush leaves it whole and says so.
TEST_F(FileChannels, OutputReplacesTheOldFileOnlyWhenComplete) {
  auto entries = [this] {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  testsupport::WriteFile(dir + "/t.txt", "old\r\n");
  plat::OpenOutput(4, Program("t.txt"));
  plat::WriteLine(4, "new");
  EXPECT_EQ(testsupport::ReadFile(dir + "/t.txt"), "old\r\n") << "untouched until Close";
  plat::Close(4);
  EXPECT_EQ(testsupport::ReadFile(dir + "/t.txt"), "new\r\n");
  // Dropped, a channel leaves the old file.
  plat::OpenOutput(4, Program("t.txt"));
  plat::WriteLine(4, "dropped");
  plat::Discard(4);
  EXPECT_EQ(testsupport::ReadFile(dir + "/t.txt"), "new\r\n");
  EXPECT_EQ(entries(), std::vector<std::string>{"t.txt"});

  // A full disk: the lines fit the write buffer and fail only at the close.
  const std::string line(300, 'x');
  testsupport::WriteFile(dir + "/big.txt", std::string(2000, 'b'));
  {
    testsupport::FullDisk full(1000);
    plat::OpenOutput(4, Program("t.txt"));
    for (int k = 0; k < 5; ++k) plat::WriteLine(4, line);
    try {
      plat::Close(4);
      ADD_FAILURE() << "the close did not fail";
    } catch (const plat::FileError& e) {
      EXPECT_EQ(e.path(), Program("t.txt"));
    }
    // The same through the whole-file writers, also when several files are
    // replaced together and only the last one does not fit.
    EXPECT_THROW(plat::ReplaceFileWithLines(Program("t.txt"), {line, line, line, line}), plat::FileError);
    EXPECT_FALSE(plat::CopyFileReplacing(Program("big.txt"), Program("t.txt")));
    plat::FileReplacement both;
    both.Lines(Program("u.txt"), {"small"});
    EXPECT_THROW(both.Copy(Program("big.txt"), Program("t.txt")), plat::FileError);
  }
  EXPECT_FALSE(plat::IsOpen(4));
  EXPECT_EQ(testsupport::ReadFile(dir + "/t.txt"), "new\r\n");
  EXPECT_EQ(entries(), (std::vector<std::string>{"big.txt", "t.txt"})) << "no temporary file left";

  // A write-protected file is not replaced.
  std::filesystem::permissions(dir + "/t.txt", std::filesystem::perms::owner_read);
  if (::access((dir + "/t.txt").c_str(), W_OK) != 0) {
    EXPECT_THROW(plat::OpenOutput(4, Program("t.txt")), plat::FileError);
    EXPECT_THROW(plat::ReplaceFileWithLines(Program("t.txt"), {"x"}), plat::FileError);
  }
  std::filesystem::permissions(dir + "/t.txt", std::filesystem::perms::owner_all);
  EXPECT_EQ(testsupport::ReadFile(dir + "/t.txt"), "new\r\n");
}

TEST_F(FileChannels, FilesReplacedTogetherAllOrNone) {
  testsupport::WriteFile(dir + "/a.txt", "old a");
  testsupport::WriteFile(dir + "/src.txt", "source");
  {
    // Not committed: nothing changes.
    plat::FileReplacement files;
    files.Lines(Program("a.txt"), {"new a"});
    files.Copy(Program("src.txt"), Program("b.txt"));
  }
  EXPECT_EQ(testsupport::ReadFile(dir + "/a.txt"), "old a");
  EXPECT_FALSE(std::filesystem::exists(dir + "/b.txt"));
  plat::FileReplacement files;
  files.Lines(Program("a.txt"), {"new a"});
  files.Copy(Program("src.txt"), Program("b.txt"));
  files.Commit();
  EXPECT_EQ(testsupport::ReadFile(dir + "/a.txt"), "new a\r\n");
  EXPECT_EQ(testsupport::ReadFile(dir + "/b.txt"), "source");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);
}

// Line by line through a buffer: every kind of line end, also where it
// falls across the end of what the buffer holds, and a second pass from a
// place the first one noted.
TEST_F(FileChannels, LineReaderTakesEveryLineEndAndGoesBack) {
  const char* ends[] = {"\r\n", "\n", "\r"};
  std::string text;
  std::vector<std::string> expected;
  for (int i = 0; text.size() < (3u << 20); ++i) {
    const std::string line = i % 7 == 0 ? std::string() : std::string(1 + (i * 131) % 997, static_cast<char>('a' + i % 26));
    expected.push_back(line);
    text += line + ends[i % 3];
  }
  expected.push_back("last without an end");
  text += expected.back();
  testsupport::WriteFile(dir + "/lines.txt", text);
  plat::LineReader reader(Program("lines.txt"));
  std::vector<std::string> read;
  std::vector<std::uint64_t> offsets;
  std::string_view line;
  while (true) {
    offsets.push_back(reader.Offset());
    if (!reader.Next(line)) break;
    read.emplace_back(line);
  }
  EXPECT_TRUE(reader.AtEnd());
  ASSERT_EQ(read.size(), expected.size());
  EXPECT_TRUE(read == expected);
  for (std::size_t k : {std::size_t{5}, read.size() / 2, std::size_t{1}, read.size() - 1}) {
    reader.Seek(offsets[k]);
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(std::string(line), expected[k]) << k;
  }
  EXPECT_THROW(plat::LineReader(Program("missing.txt")), plat::FileError);
}

TEST_F(FileChannels, EntriesDirectlyInAFolder) {
  ASSERT_TRUE(plat::CreateFolder(Program("copies")));
  testsupport::WriteFile(dir + "/outside.vms", "x");
  std::filesystem::create_symlink(dir + "/outside.vms", dir + "/copies/link.vms");
  EXPECT_TRUE(plat::LiesDirectlyInFolder(Program("copies\\c1s.vms"), Program("copies")));
  EXPECT_FALSE(plat::LiesDirectlyInFolder(Program("copies\\..\\outside.vms"), Program("copies")));
  EXPECT_FALSE(plat::LiesDirectlyInFolder(Program("copies\\link.vms"), Program("copies")));
  EXPECT_FALSE(plat::LiesDirectlyInFolder(Program("copies\\sub\\x.vms"), Program("copies")));
}

// A writer whose target is a link replaces the link by the new file: what
// the link names (a file, a folder, a name not yet taken) is never written.
TEST_F(FileChannels, EveryWriterReplacesALinkNeverWhatItNames) {
  namespace fs = std::filesystem;
  testsupport::WriteFile(dir + "/outside/notes.txt", "notes");
  testsupport::WriteFile(dir + "/source.txt", "copied");
  fs::create_directories(dir + "/outside/folder");
  fs::create_directories(dir + "/links");
  struct Writer {
    const char* what;
    void (*write)(const std::string& target, const std::string& source);
    const char* written;
  } writers[] = {
      {"output channel",
       [](const std::string& t, const std::string&) {
         plat::OpenOutput(3, t);
         plat::WriteLine(3, "new");
         plat::Close(3);
       },
       "new\r\n"},
      {"lines", [](const std::string& t, const std::string&) { plat::ReplaceFileWithLines(t, {"new"}); }, "new\r\n"},
      {"bytes", [](const std::string& t, const std::string&) { plat::ReplaceFileWithBytes(t, "new"); }, "new"},
      {"copy", [](const std::string& t, const std::string& s) { ASSERT_TRUE(plat::CopyFileReplacing(s, t)); },
       "copied"},
      {"several files",
       [](const std::string& t, const std::string& s) {
         plat::FileReplacement files;
         files.Copy(s, t + ".other");
         files.Lines(t, {"new"});
         files.Commit();
       },
       "new\r\n"},
  };
  const char* targets[] = {"../outside/notes.txt", "../outside/new.txt", "../outside/folder"};
  for (const Writer& w : writers) {
    for (const char* target : targets) {
      SCOPED_TRACE(std::string(w.what) + " over a link to " + target);
      const std::string link = dir + "/links/t.txt";
      fs::remove(link);
      fs::create_symlink(target, link);
      w.write(Program("links\\t.txt"), Program("source.txt"));
      EXPECT_FALSE(fs::is_symlink(link));
      EXPECT_EQ(testsupport::ReadFile(link), w.written);
      EXPECT_EQ(testsupport::ReadFile(dir + "/outside/notes.txt"), "notes");
      EXPECT_FALSE(fs::exists(dir + "/outside/new.txt"));
      EXPECT_TRUE(fs::is_empty(dir + "/outside/folder"));
    }
  }
}

// The temporary files of a writer that was killed are recognised by their
// form and removed once their process has ended; those of a process that
// still runs, and every other file, stay.
TEST_F(FileChannels, LeftoverTemporariesOfEndedWritersAreRemoved) {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ::waitpid(ended, nullptr, 0);
  const std::string gone = std::to_string(ended), running = std::to_string(::getppid());
  const std::vector<std::string> removed = {".a.vms.~" + gone + "-0.tmp", ".a.vms.~" + gone + "-3.tmp.old",
                                            ".run.svr.~" + gone + "-12.tmp"};
  const std::vector<std::string> kept = {".a.vms.~" + running + "-0.tmp", "a.vms", ".a.vms.~x-0.tmp",
                                         "a.vms.~" + gone + "-0.tmp", ".a.vms.~" + gone + "-0.txt"};
  for (const std::string& name : removed) testsupport::WriteFile(dir + "/" + name, "x");
  for (const std::string& name : kept) testsupport::WriteFile(dir + "/" + name, "x");
  EXPECT_EQ(plat::RemoveLeftoverTemporaries(plat::ProgramPath(dir), "run.svr"), 1);
  EXPECT_EQ(plat::RemoveLeftoverTemporaries(plat::ProgramPath(dir)), 2);
  std::vector<std::string> left = plat::FolderEntries(plat::ProgramPath(dir));
  std::sort(left.begin(), left.end());
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
}

TEST_F(FileChannels, ReplacedFilesTakeEachLineInTheFormThatReadsBack) {
  const std::vector<std::string> lines = {"Fe 2p", "Probe \u00E4", "\u03B2-phase \u0394=0.3 eV"};
  plat::ReplaceFileWithLines(Program("lines.txt"), lines);
  EXPECT_EQ(testsupport::ReadFile(dir + "/lines.txt"), "Fe 2p\r\nProbe \xE4\r\n\u03B2-phase \u0394=0.3 eV\r\n");
  plat::OpenInput(2, Program("lines.txt"));
  for (const std::string& line : lines) EXPECT_EQ(plat::ReadLine(2), line);
  EXPECT_TRUE(plat::AtEnd(2));
  // The same when several files are replaced together.
  plat::FileReplacement files;
  files.Lines(Program("a.txt"), lines);
  files.Lines(Program("b.txt"), {lines[2]});
  files.Commit();
  EXPECT_EQ(testsupport::ReadFile(dir + "/a.txt"), testsupport::ReadFile(dir + "/lines.txt"));
  EXPECT_EQ(testsupport::ReadFile(dir + "/b.txt"), "\u03B2-phase \u0394=0.3 eV\r\n");
}

TEST(WindowsDirectory, TakenFromTheEnvironment) {
  setenv("SORVAN_WINDOWS_DIR", "/tmp/win", 1);
  EXPECT_EQ(plat::NativePath(plat::WindowsDirectory()), "/tmp/win");
  unsetenv("SORVAN_WINDOWS_DIR");
  EXPECT_FALSE(plat::WindowsDirectory().empty());
}

}  // namespace
