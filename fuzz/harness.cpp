// The started program that every fuzz harness drives: one QApplication and
// one program folder per process, menu commands answered as a user who says
// OK to everything would answer them.
#include "fuzz/harness.h"

#include <QApplication>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "core/model.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "shell/startup.h"
#include "support/program_folder.h"
#include "support/test_support.h"

// The libraries below Qt (fontconfig) keep memory to the end of the process
// on purpose; the leak check would report it for every run.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace fuzz {

namespace fs = std::filesystem;
namespace script = plat::script;
namespace driver = plat::driver;

namespace {

constexpr const char* kWorkFolder = "fuzz work";

// A page shown more often than this in one command is cancelled; a command
// that asks more often than kMaxAnswers is given up.
constexpr int kPageAccepts = 3;
constexpr int kPageCancels = 5;
constexpr int kMaxAnswers = 200;

// Never deleted: at the end of the process the program's windows still
// belong to it, and Qt's own clean-up runs after the program's.
QApplication* g_app = nullptr;
std::unique_ptr<testsupport::ProgramFolder> g_folder;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The steps for page n at its visit-th wait in this command: its lists'
// first item chosen where nothing is, then its default or OK button; later
// its Cancel button or Esc.
void AnswerPage(int n, int visit) {
  if (visit > kPageCancels) throw plat::DriverFailure("page " + std::to_string(n) + " keeps coming back");
  const std::vector<plat::ControlInfo> controls = plat::Controls(n);
  if (visit > kPageAccepts) {
    for (const plat::ControlInfo& c : controls)
      if (c.kind == plat::ControlKind::CommandButton && c.isCancel && c.enabled && c.visible) {
        script::Click(c.name, c.index);
        return;
      }
    script::Key(script::KeyCode::Esc);
    return;
  }
  for (const plat::ControlInfo& c : controls) {
    if (c.kind != plat::ControlKind::ListBox || !c.enabled || !c.visible || c.items.empty()) continue;
    bool any = false;
    for (bool s : c.selected) any = any || s;
    if (!any) script::SelectItems(c.name, c.index, {0});
  }
  const plat::ControlInfo* ok = nullptr;
  for (const plat::ControlInfo& c : controls) {
    if (c.kind != plat::ControlKind::CommandButton || !c.enabled || !c.visible) continue;
    if (c.isDefault) {
      ok = &c;
      break;
    }
    if (ok == nullptr && Lower(c.name).rfind("cmdok", 0) == 0) ok = &c;
  }
  if (ok != nullptr)
    script::Click(ok->name, ok->index);
  else
    script::Key(script::KeyCode::Enter);
}

// Runs `action` with the made-up answers; false when it was given up.
bool RunAnswered(const std::function<void()>& action, const std::vector<std::string>& files) {
  std::deque<std::string> pending(files.begin(), files.end());
  std::map<int, int> visits;
  int answers = 0;
  driver::SetScriptRefill([&](const std::string& kind, int window) {
    if (++answers > kMaxAnswers) throw plat::DriverFailure("the command keeps asking");
    if (kind == "message") {
      script::AnswerMessage(1);
    } else if (kind == "file") {
      if (pending.empty()) {
        script::CancelFile();
      } else {
        script::AnswerFile(pending.front());
        pending.pop_front();
      }
    } else if (kind == "font") {
      script::CancelFont();
    } else if (kind == "colour") {
      script::CancelColour();
    } else if (kind == "drag") {
      script::AnswerDrag(0, 0);
    } else if (kind.rfind("dialog:", 0) == 0) {
      script::AnswerDialog(kind.substr(7), "");
    } else if (kind == "page") {
      AnswerPage(window, ++visits[window]);
    }
  });
  bool done = true;
  try {
    action();
  } catch (const plat::DriverFailure&) {
    done = false;
  } catch (const plat::FileError&) {
    // The program names the file in an error box and goes on.
  } catch (const std::exception& e) {
    driver::SetScriptRefill(nullptr);
    Finding(std::string("the command ended with an exception: ") + e.what());
  }
  driver::SetScriptRefill(nullptr);
  try {
    driver::Finish();
  } catch (const plat::DriverFailure&) {
  }
  // A command given up in a page leaves it open.
  for (int n : plat::OpenDialogWindows()) plat::CloseDialogWindow(n);
  plat::CloseAll();
  return done;
}

}  // namespace

void StartProgram(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  g_app = new QApplication(*argc, *argv);
  // The program folder sets SORVAN_WINDOWS_DIR to its own Windows directory.
  g_folder = std::make_unique<testsupport::ProgramFolder>();
  if (!RestartProgram()) {
    std::fprintf(stderr, "fuzz: the program does not start in %s\n", g_folder->Root().c_str());
    std::exit(1);
  }
}

bool RestartProgram() {
  driver::Reset();
  bool started = false;
  RunAnswered([&started] { started = sorvan::PrepareProgram(); }, {});
  driver::ClearRecords();
  return started;
}

std::string NativePath(const std::string& relative) { return g_folder->Path(relative); }
std::string ProgramPath(const std::string& relative) { return plat::ProgramPath(NativePath(relative)); }

std::string FreshWorkFolder() {
  std::error_code ec;
  fs::remove_all(NativePath(kWorkFolder), ec);
  fs::create_directories(NativePath(kWorkFolder));
  return kWorkFolder;
}

void WriteFile(const std::string& relative, const std::string& bytes) { g_folder->Write(relative, bytes); }
std::string ReadFile(const std::string& relative) { return g_folder->Read(relative); }
bool FileExists(const std::string& relative) { return g_folder->Exists(relative); }

std::string ChosenTarget(const std::vector<std::string>& targets) {
  const char* chosen = std::getenv("SORVAN_FUZZ_TARGET");
  for (const std::string& t : targets)
    if (chosen != nullptr && t == chosen) return t;
  std::fprintf(stderr, "fuzz: set SORVAN_FUZZ_TARGET to one of:");
  for (const std::string& t : targets) std::fprintf(stderr, " %s", t.c_str());
  std::fprintf(stderr, "\n");
  std::exit(1);
}

bool RunCommand(int command, const std::vector<std::string>& files) {
  const size_t before = plat::MessagesShown().size();
  const bool done = RunAnswered([command] { driver::ChooseMenu(command); }, files);
  // SORVAN_FUZZ_VERBOSE shows what each command did, for a look at one input.
  if (std::getenv("SORVAN_FUZZ_VERBOSE") != nullptr) {
    std::fprintf(stderr, "fuzz: command %d %s, %d windows open\n", command, done ? "ran" : "was given up",
                 OpenWindowCount());
    const std::vector<plat::MessageRecord>& shown = plat::MessagesShown();
    for (size_t i = before; i < shown.size(); ++i) std::fprintf(stderr, "  message: %s\n", shown[i].text.c_str());
  }
  return done;
}

std::vector<std::string> Messages() {
  std::vector<std::string> texts;
  for (const plat::MessageRecord& m : plat::MessagesShown()) texts.push_back(m.text);
  return texts;
}

void ForgetMessages() { driver::ClearRecords(); }

int OpenWindowCount() {
  int n = 0;
  for (int w = 1; w <= sorvan::kMaxWindows; ++w) n += sorvan::Win[w].WindowOpen ? 1 : 0;
  return n;
}

void CloseAllWindows() {
  RunAnswered(
      [] {
        for (int w = 1; w <= sorvan::kMaxWindows; ++w)
          if (sorvan::Win[w].WindowOpen) driver::CloseWindow(w);
      },
      {});
}

std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t line = 1, start = 0, i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) {
    if (a[i] == '\n') {
      ++line;
      start = i + 1;
    }
    ++i;
  }
  // Control bytes are shown as \xNN, so that the message shows them all.
  auto lineAt = [start](const std::string& s) {
    if (start >= s.size()) return std::string("(end)");
    const size_t end = s.find('\n', start);
    std::string shown = "'";
    for (char c : s.substr(start, end == std::string::npos ? end : end - start)) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (u >= 32 && u != 127) {
        shown += c;
      } else {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", u);
        shown += hex;
      }
    }
    return shown + "'";
  };
  return "line " + std::to_string(line) + ": " + lineAt(a) + " became " + lineAt(b);
}

void Finding(const std::string& what) {
  std::fprintf(stderr, "\n==== fuzz finding: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

std::vector<Part> SplitInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string mark = "@@file ";
  std::vector<Part> parts(1);
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    const bool last = end == std::string::npos;
    if (last) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    if (line.rfind(mark, 0) == 0) {
      std::string name;
      for (char c : line.substr(mark.size()))
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-' || c == ' ')
          name += c;
      if (name.find_first_not_of(". ") == std::string::npos) name = "file";
      parts.push_back({name.substr(0, 60), ""});
    } else {
      parts.back().bytes += line;
      if (!last) parts.back().bytes += '\n';
    }
    if (last) break;
    pos = end + 1;
  }
  return parts;
}

}  // namespace fuzz
