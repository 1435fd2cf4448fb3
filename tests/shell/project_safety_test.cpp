// Projects that cannot be turned against the user, and saves that lose
// nothing: source names that would lead out of the copy folder, links in a
// received copy folder and a copy folder that is a link, a view's stored
// source, a disk that fills up or is read-only during a save over an
// existing project, a copy folder that cannot be made, and files whose
// counts do not match their records.
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/language.h"
#include "core/reference_files.h"
#include "display/redraw.h"
#include "import/project.h"
#include "platform/dialogs.h"
#include "project_fixture.h"
#include "support/child_process.h"
#include "support/full_disk.h"

namespace projecttest {
namespace {

namespace fs = std::filesystem;

// Every entry below a native folder, relative to it.
std::set<std::string> Entries(const std::string& native) {
  std::set<std::string> names;
  if (!fs::exists(native)) return names;
  for (const auto& e : fs::recursive_directory_iterator(native))
    names.insert(e.path().lexically_relative(native).string());
  return names;
}

// Everything below a native folder as it stands: each entry with what it
// holds (a file's bytes, a link's target, "folder" or "other"), links not
// followed, leaving out the entries below `except` (relative paths).
std::map<std::string, std::string> Contents(const std::string& native, const std::set<std::string>& except = {}) {
  std::map<std::string, std::string> contents;
  for (auto it = fs::recursive_directory_iterator(native); it != fs::recursive_directory_iterator(); ++it) {
    const std::string relative = it->path().lexically_relative(native).string();
    bool skipped = false;
    for (const std::string& e : except) skipped = skipped || relative == e || relative.rfind(e + "/", 0) == 0;
    if (skipped) continue;
    const fs::file_status status = it->symlink_status();
    if (fs::is_symlink(status))
      contents[relative] = "link to " + fs::read_symlink(it->path()).string();
    else if (fs::is_regular_file(status))
      contents[relative] = testsupport::ReadFile(it->path().string());
    else
      contents[relative] = fs::is_directory(status) ? "folder" : "other";
  }
  return contents;
}

// What changed between two readings of Contents, one line per entry.
std::string Changes(const std::map<std::string, std::string>& before,
                    const std::map<std::string, std::string>& after) {
  std::string changes;
  for (const auto& [name, held] : before) {
    const auto now = after.find(name);
    if (now == after.end()) changes += "removed " + name + "\n";
    else if (now->second != held) changes += "changed " + name + "\n";
  }
  for (const auto& [name, held] : after)
    if (before.count(name) == 0) changes += "added " + name + "\n";
  return changes;
}

class ProjectSafety : public ProjectTest {
 protected:
  // The index of the only line of the file that equals `text`.
  static std::size_t LineOf(const std::vector<std::string>& lines, const std::string& text) {
    std::size_t found = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i] == text) {
        EXPECT_EQ(found, lines.size()) << "\"" << text << "\" more than once";
        found = i;
      }
    EXPECT_LT(found, lines.size()) << "no line \"" << text << "\"";
    return found;
  }

  // Opens `relative` through the menu expecting message 3; nothing may change.
  void ExpectRefusedAsDamaged(const std::string& relative) {
    const std::string project = G.ProjectPath;
    const int open = OpenWindowCount();
    const SpectrumHeaderRecord header = Win[1].SpectrumHeader;
    const std::string store = G.SourceFilePath;
    const std::size_t shown = plat::MessagesShown().size();
    script::AnswerFile(Program(relative));
    script::AnswerMessage(1, "Unexpected data format");
    driver::ChooseMenu(CmdOpenProject);
    EXPECT_EQ(plat::MessagesShown().size(), shown + 1);
    EXPECT_EQ(OpenWindowCount(), open);
    EXPECT_EQ(Win[1].SpectrumHeader, header);
    EXPECT_EQ(G.ProjectPath, project);
    EXPECT_EQ(G.SourceFilePath, store) << "no source was read";
  }
};

// ---- Source names ----

TEST_F(ProjectSafety, StoredSourceNamesThatLeaveTheCopyFolderAreRefused) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  Save("projects/p.svr");
  const std::vector<std::string> lines = Lines("projects/p.svr");
  const std::size_t source = LineOf(lines, Program("projects/p/c1s.vms"));
  // A spectrum where each name would lead: beside the copy folder, and in
  // the folder above it.
  WriteSpectrumFile("projects/outside.vms", "Au");
  WriteSpectrumFile("outside.vms", "Au");
  const std::string before = folder_->Read("outside.vms");
  const std::set<std::string> entries = Entries(folder_->Root());
  const std::string cases[] = {
      "../../outside.vms",
      "../outside.vms",
      "..\\outside.vms",
      "..\\..\\outside.vms",
      "a/../../outside.vms",
      "a\\..\\..\\outside.vms",
      Program("projects/p") + "\\..\\outside.vms",
      Program("projects/p") + "\\.\\c1s.vms",
      folder_->Path("outside.vms"),  // absolute, as this system writes it
      Program("projects/p") + "\\..",
      ".",
  };
  for (const std::string& name : cases) {
    SCOPED_TRACE(name);
    std::vector<std::string> crafted = lines;
    crafted[source] = name;
    WriteLines("projects/p.svr", crafted, crafted.size());
    ExpectRefusedAsDamaged("projects/p.svr");
  }
  // A link in the copy folder that points outside it.
  WriteLines("projects/p.svr", lines, lines.size());
  folder_->Remove("projects/p/c1s.vms");
  fs::create_symlink(folder_->Path("outside.vms"), folder_->Path("projects/p/c1s.vms"));
  ExpectRefusedAsDamaged("projects/p.svr");

  // Nothing outside the copy folder was written either.
  EXPECT_EQ(folder_->Read("outside.vms"), before);
  EXPECT_EQ(Entries(folder_->Root()), entries);
}

TEST_F(ProjectSafety, AViewsStoredSourceIsKeptButNeverCopied) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  Import("data/c1s.vms");
  script::Click("chk201", 1);
  script::Click("chk201", 2);
  script::Click("cmdOk201");
  driver::ChooseMenu(CmdStackedView);
  ASSERT_EQ(Win[3].WindowKind, StackedCurves);
  Save("projects/v.svr");
  // A project received from someone else: the view's source row names a
  // private file of the user who opens it.
  folder_->Write("private/key.txt", "secret");
  const std::string key = Program("private/key.txt");
  std::vector<std::string> lines = Lines("projects/v.svr");
  const std::size_t view = LineOf(lines, " 3 2006");
  lines[view + 1] = key;
  WriteLines("projects/v.svr", lines, lines.size());
  CloseAllWindows();
  Open("projects/v.svr");
  ASSERT_EQ(OpenWindowCount(), 3);
  EXPECT_EQ(Win[3].SourcePath, key) << "the row is kept as written";

  // The next save copies the sources the single spectra read, and nothing
  // because a text names it.
  Save("shared/out.svr");
  EXPECT_EQ(Entries(folder_->Path("shared/out")), std::set<std::string>{"c1s.vms"});
  const std::vector<std::string> saved = Lines("shared/out.svr");
  EXPECT_EQ(saved[LineOf(saved, " 3 2006") + 1], key);
  EXPECT_EQ(Win[3].SourcePath, key);
  EXPECT_EQ(Win[1].SourcePath, Program("shared/out/c1s.vms"));
}

// ---- Links ----

// A project folder received from someone else holds links among its copies.
// Opened, given a spectrum of the same name and saved again, it gets a copy
// of its own: nothing a link names is written, nothing outside the project
// file and its copy folder changes. A project file that is a link is
// replaced by the saved file.
TEST_F(ProjectSafety, LinksInAReceivedCopyFolderAreNeverWrittenThrough) {
  WriteSpectrumFile("data/o1s.vms", "O");
  WriteSpectrumFile("data/c1s.vms", "C");
  folder_->Write("victim/notes.txt", "private notes");
  fs::create_directories(folder_->Path("victim/folder"));
  struct Case {
    const char* what;
    const char* target;  // of the link r/c1s.vms, from the copy folder
  } cases[] = {
      {"a link to a file outside", "../../victim/notes.txt"},
      {"a link to a name outside that does not exist yet", "../../victim/new.txt"},
      {"a link to a folder outside", "../../victim/folder"},
  };
  int k = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The received project: one spectrum, and the link beside its copy.
    const std::string project = "received" + std::to_string(++k) + "/r";
    Import("data/o1s.vms");
    Save(project + ".svr");
    CloseAllWindows();
    fs::create_symlink(c.target, folder_->Path(project + "/c1s.vms"));
    const auto outside = Contents(folder_->Root(), {project, project + ".svr"});

    Open(project + ".svr");
    const int w = Import("data/c1s.vms");
    driver::ChooseMenu(CmdSaveProject);
    EXPECT_TRUE(plat::MessagesShown().empty());
    EXPECT_EQ(Changes(outside, Contents(folder_->Root(), {project, project + ".svr"})), "")
        << "written outside the project";
    const std::string copy = plat::NativePath(Win[w].SourcePath);
    EXPECT_EQ(fs::path(copy).parent_path(), fs::path(folder_->Path(project)));
    EXPECT_FALSE(fs::is_symlink(copy));
    EXPECT_EQ(testsupport::ReadFile(copy), folder_->Read("data/c1s.vms"));
    EXPECT_TRUE(fs::is_symlink(folder_->Path(project + "/c1s.vms")) ||
                fs::is_regular_file(fs::symlink_status(folder_->Path(project + "/c1s.vms"))));
    CloseAllWindows();
  }
  // The project file itself a link: the new file takes the link's place.
  fs::create_directories(folder_->Path("linked"));
  fs::create_symlink("../victim/notes.txt", folder_->Path("linked/p.svr"));
  const auto outside = Contents(folder_->Root(), {"linked"});
  Import("data/c1s.vms");
  Save("linked/p.svr");
  EXPECT_TRUE(plat::MessagesShown().empty());
  EXPECT_EQ(Changes(outside, Contents(folder_->Root(), {"linked"})), "") << "written outside the project";
  EXPECT_FALSE(fs::is_symlink(folder_->Path("linked/p.svr")));
  Open("linked/p.svr");
  EXPECT_EQ(OpenWindowCount(), 2);
}

// A copy folder that is not a plain folder (a link to a folder elsewhere, to
// a file, to nothing, or something else in its place) is refused with
// message 3 naming it, by Open project, Save project and Save project as;
// nothing is read or written.
TEST_F(ProjectSafety, ACopyFolderThatIsNotAPlainFolderIsRefused) {
  WriteSpectrumFile("data/c1s.vms");
  WriteSpectrumFile("private/c1s.vms", "Au");
  folder_->Write("private/key.txt", "secret");
  Import("data/c1s.vms");
  Save("projects/p.svr");
  fs::create_directories(folder_->Path("outbox"));
  fs::rename(folder_->Path("projects/p"), folder_->Path("projects/p.kept"));
  struct Case {
    const char* what;
    void (*make)(const std::string& native);
  } cases[] = {
      {"a link to a folder elsewhere",
       [](const std::string& at) { fs::create_directory_symlink("../private", at); }},
      {"a link to a file", [](const std::string& at) { fs::create_symlink("../private/key.txt", at); }},
      {"a link to nothing", [](const std::string& at) { fs::create_symlink("../nowhere", at); }},
      {"a file", [](const std::string& at) { testsupport::WriteFile(at, "a file"); }},
      {"a named pipe", [](const std::string& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
  };
  const int window = G.CurrentWindow;
  const std::string source = Win[window].SourcePath;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.make(folder_->Path("projects/p"));
    c.make(folder_->Path("outbox/share"));
    const auto before = Contents(folder_->Root());
    auto expectRefused = [&](const std::string& folder) {
      ASSERT_FALSE(plat::MessagesShown().empty());
      EXPECT_EQ(plat::MessagesShown().back().text, G.CaptionTexts[12] + "\r" + G.CaptionTexts[13] + "\r" +
                                                       plat::ShownPath(Program(folder)));
      EXPECT_EQ(Changes(before, Contents(folder_->Root())), "") << "nothing is written";
      EXPECT_EQ(G.ProjectPath, Program("projects/p.svr"));
      EXPECT_EQ(OpenWindowCount(), 1);
      EXPECT_EQ(Win[window].SourcePath, source);
    };
    // Save project: the current project's copy folder.
    script::AnswerMessage(1, "Unexpected data format");
    driver::ChooseMenu(CmdSaveProject);
    expectRefused("projects/p");
    // Save project as: a new project whose copy folder is in the way.
    script::AnswerFile(Program("outbox/share.svr"));
    script::AnswerMessage(1, "Unexpected data format");
    driver::ChooseMenu(CmdSaveProjectAs);
    expectRefused("outbox/share");
    // Open project: nothing is read through it.
    const std::string store = G.SourceFilePath;
    script::AnswerFile(Program("projects/p.svr"));
    script::AnswerMessage(1, "Unexpected data format");
    driver::ChooseMenu(CmdOpenProject);
    expectRefused("projects/p");
    EXPECT_EQ(G.SourceFilePath, store) << "no source was read";
    fs::remove(folder_->Path("projects/p"));
    fs::remove(folder_->Path("outbox/share"));
  }
  // The plain folder back in its place: saved and opened as before.
  fs::rename(folder_->Path("projects/p.kept"), folder_->Path("projects/p"));
  driver::ChooseMenu(CmdSaveProject);
  Open("projects/p.svr");
  EXPECT_EQ(OpenWindowCount(), 2);
  EXPECT_EQ(plat::MessagesShown().size(), 3u * std::size(cases));
}

// ---- What failed ----

// A save that the disk refuses says why: full, write-protected, or another
// failure, each with the file it concerns, for the project and for any other
// writer (here the presetting).
TEST_F(ProjectSafety, AFailedSaveSaysWhatFailed) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  struct Case {
    const char* what;
    int error;
    std::string text;
  } cases[] = {
      {"read-only disk", EROFS, G.MenuTexts[7]},
      {"no permission", EACCES, G.MenuTexts[7]},
      {"disk full", ENOSPC, G.CaptionTexts[11]},
      {"disk failure", EIO, G.LabelTexts[69]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int command : {CmdSaveProjectAs, CmdSavePresetting}) {
      const std::string target = command == CmdSaveProjectAs ? Program("projects/p.svr")
                                                              : Program("presetting/mine.set");
      plat::SetFileStepHook([&](plat::FileStep step, const std::string&) {
        return step == plat::FileStep::Create ? c.error : 0;
      });
      const std::size_t shown = plat::MessagesShown().size();
      script::AnswerFile(target);
      script::AnswerMessage(1);
      driver::ChooseMenu(command);
      plat::SetFileStepHook({});
      ASSERT_EQ(plat::MessagesShown().size(), shown + 1);
      const std::string& text = plat::MessagesShown().back().text;
      EXPECT_EQ(text.rfind(c.text + "\r", 0), 0u) << text;
      EXPECT_NE(text.find(plat::ShownPath(FolderOfPath(target))), std::string::npos) << text;
    }
  }
  EXPECT_FALSE(folder_->Exists("projects/p.svr"));
  EXPECT_FALSE(folder_->Exists("presetting/mine.set"));
  // The texts are the language's own.
  for (const std::string& text : {G.MenuTexts[7], G.LabelTexts[69]}) {
    EXPECT_NE(text, "-");
    EXPECT_NE(text, G.CaptionTexts[11]);
  }
}

// The same on a disk that really is read-only: a child process mounts the
// project folder read-only in a mount namespace of its own and saves onto it.
TEST_F(ProjectSafety, SavingOntoAReadOnlyDiskSaysSo) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  Save("projects/p.svr");
  const std::string svr = folder_->Read("projects/p.svr");
  const testsupport::ChildResult child = testsupport::RunTestInChild(
      "ProjectSafety.DISABLED_ChildSavesOntoAReadOnlyFolder", {{"SORVAN_TEST_ROOT", folder_->Root()}},
      folder_->Path("child-output.txt"), {"unshare", "--mount", "--map-root-user"});
  // Where the system lets no one make a mount namespace, unshare itself
  // fails; where it lets no mount be made, the child skips.
  if (child.output.find("[ RUN      ]") == std::string::npos ||
      child.output.find("[  SKIPPED ]") != std::string::npos)
    GTEST_SKIP() << "no read-only mount can be made here: " << child.output.substr(0, 300);
  EXPECT_TRUE(testsupport::ChildTestPassed(child)) << child.output;
  EXPECT_EQ(folder_->Read("projects/p.svr"), svr);
}

TEST_F(ProjectSafety, DISABLED_ChildSavesOntoAReadOnlyFolder) {
  const std::string root = testsupport::Variable("SORVAN_TEST_ROOT");
  ASSERT_FALSE(root.empty());
  const std::string projects = root + "/projects";
  if (::mount(projects.c_str(), projects.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
      ::mount(nullptr, projects.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
    GTEST_SKIP() << "mount: " << std::strerror(errno);
  script::AnswerFile(plat::ProgramPath(root + "/data/c1s.vms"));
  script::SelectItems("lib21", -1, {0});
  script::Click("cmdOk21");
  driver::ChooseMenu(CmdImportVamas);
  for (const char* name : {"p.svr", "q.svr"}) {
    SCOPED_TRACE(name);
    script::AnswerFile(plat::ProgramPath(projects + "/" + name));
    script::AnswerMessage(1);
    driver::ChooseMenu(CmdSaveProjectAs);
    ASSERT_FALSE(plat::MessagesShown().empty());
    const std::string& text = plat::MessagesShown().back().text;
    EXPECT_EQ(text.rfind(G.MenuTexts[7] + "\r", 0), 0u) << text;
  }
}

// ---- Saving over an existing project ----

TEST_F(ProjectSafety, FullDiskDuringASaveOverAProjectLeavesItAsItWas) {
  WriteSpectrumFile("data/a/c1s.vms", "C");
  Import("data/a/c1s.vms");
  Save("projects/run.svr");
  CloseAllWindows();
  // Another spectrum of the same file name, larger than the disk allows.
  WriteSpectrumFile("data/b/c1s.vms", "O", 2000);
  Import("data/b/c1s.vms");
  const std::string svr = folder_->Read("projects/run.svr");
  const std::string copy = folder_->Read("projects/run/c1s.vms");
  ASSERT_EQ(copy, folder_->Read("data/a/c1s.vms"));
  const std::set<std::string> entries = Entries(folder_->Path("projects"));
  const std::string project = G.ProjectPath;
  const std::string source = Win[1].SourcePath;

  const std::size_t newCopy = folder_->Read("data/b/c1s.vms").size();
  struct Case {
    const char* what;
    std::size_t limit;
  } cases[] = {
      {"full while copying the source", newCopy / 2},
      {"full while writing the project file", newCopy + 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script::AnswerFile(Program("projects/run.svr"));
    script::AnswerMessage(1, G.CaptionTexts[11]);
    {
      testsupport::FullDisk full(c.limit);
      driver::ChooseMenu(CmdSaveProjectAs);
    }
    ASSERT_FALSE(plat::MessagesShown().empty());
    EXPECT_NE(plat::MessagesShown().back().text.find(plat::ShownPath(Program("projects/run"))),
              std::string::npos)
        << "the message names the file";
    EXPECT_EQ(folder_->Read("projects/run.svr"), svr);
    EXPECT_EQ(folder_->Read("projects/run/c1s.vms"), copy);
    EXPECT_EQ(Entries(folder_->Path("projects")), entries) << "no temporary file is left";
    EXPECT_EQ(G.ProjectPath, project);
    EXPECT_EQ(Win[1].SourcePath, source);
  }
  // With room on the disk the same save puts the new copy beside the old
  // one under a name of its own, then the new project file in place, then
  // removes the old copy, which only the old file named.
  Save("projects/run.svr");
  EXPECT_EQ(Win[1].SourcePath, Program("projects/run/c1s_2.vms"));
  EXPECT_TRUE(folder_->Read("projects/run/c1s_2.vms") == folder_->Read("data/b/c1s.vms"));
  EXPECT_EQ(Entries(folder_->Path("projects/run")), std::set<std::string>{"c1s_2.vms"});
  EXPECT_NE(folder_->Read("projects/run.svr"), svr);
}

TEST_F(ProjectSafety, CopyFolderThatCannotBeMadeIsNamedInTheChosenLanguage) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  G.LanguageIndex = 0;
  ReadLanguageFile();
  ASSERT_NE(G.CaptionTexts[12].find("Datenformat"), std::string::npos);
  // A file stands where the copy folder would be: no folder, refused.
  folder_->Write("projects/blocked", "a file");
  script::AnswerFile(Program("projects/blocked.svr"));
  script::AnswerMessage(1);
  driver::ChooseMenu(CmdSaveProjectAs);
  ASSERT_EQ(plat::MessagesShown().size(), 1u);
  EXPECT_EQ(plat::MessagesShown()[0].text, G.CaptionTexts[12] + "\r" + G.CaptionTexts[13] + "\r" +
                                               plat::ShownPath(Program("projects/blocked")));
  EXPECT_FALSE(folder_->Exists("projects/blocked.svr"));
  EXPECT_EQ(folder_->Read("projects/blocked"), "a file");
  EXPECT_TRUE(G.ProjectPath.empty());
  // A disk that does not let the folder be made.
  plat::SetFileStepHook([](plat::FileStep step, const std::string&) {
    return step == plat::FileStep::Create ? EROFS : 0;
  });
  script::AnswerFile(Program("projects/other.svr"));
  script::AnswerMessage(1);
  driver::ChooseMenu(CmdSaveProjectAs);
  plat::SetFileStepHook({});
  ASSERT_EQ(plat::MessagesShown().size(), 2u);
  ASSERT_NE(G.MenuTexts[7].find("schreibgesch"), std::string::npos);
  EXPECT_EQ(plat::MessagesShown()[1].text, G.MenuTexts[7] + "\r" + plat::ShownPath(Program("projects/other")));
  EXPECT_FALSE(folder_->Exists("projects/other"));
  EXPECT_TRUE(G.ProjectPath.empty());
}

// ---- Counts that do not match the records ----

TEST_F(ProjectSafety, RecordsThatDoNotEndWithTheFileAreRefused) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  Import("data/c1s.vms");
  folder_->Write("auger parameters/copper.aup",
                 "1851.4=932.7+918.7 Cu\r\n1850.0=933.6+916.4 CuO\r\n1849.2=932.4+916.8 Cu2O\r\n");
  script::AnswerFile(Program("auger parameters/copper.aup"));
  driver::ChooseMenu(CmdOpenAugerList);
  ASSERT_EQ(Win[3].WindowKind, ChemicalStatePlot);
  Save("projects/three.svr");
  const std::vector<std::string> lines = Lines("projects/three.svr");
  ASSERT_EQ(lines[0], " 3");
  // The plot is the last record: labels (none), then its entry count.
  // The plot is the last record: its entry count, its name, three entries.
  const std::size_t entries = lines.size() - 5;
  ASSERT_EQ(lines[entries + 1], "copper");
  ASSERT_EQ(lines[entries], " 3");
  // One window stays open with a label that a load must not touch.
  CloseAllWindows();
  Import("data/c1s.vms");
  Win[1].AnnotationCount = 1;
  Labels[LabelIndex(1, 1)].AnnotationText = "kept";

  struct Case {
    const char* what;
    std::vector<std::string> file;
  };
  std::vector<std::string> lowered = lines;
  lowered[0] = " 2";
  std::vector<std::string> fewerEntries = lines;
  fewerEntries[entries] = " 2";
  std::vector<std::string> longer = lines;
  longer.push_back(" 0");
  const Case cases[] = {
      {"a file of one blank", {" "}},
      {"no window", {" 0"}},
      {"window count lowered by one", lowered},
      {"entry count of the last record lowered by one", fewerEntries},
      {"a line after the last record", longer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteLines("projects/three.svr", c.file, c.file.size());
    ExpectRefusedAsDamaged("projects/three.svr");
    EXPECT_EQ(Labels[LabelIndex(1, 1)].AnnotationText, "kept");
    EXPECT_EQ(OpenWindowCount(), 1);
  }
  WriteLines("projects/three.svr", lines, lines.size());
  Open("projects/three.svr");
  EXPECT_EQ(OpenWindowCount(), 4);
  EXPECT_EQ(G.ProjectPath, Program("projects/three.svr"));
}

}  // namespace
}  // namespace projecttest
