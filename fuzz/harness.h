// What the fuzz harnesses share: the program started once per process in a
// temporary program folder (offscreen Qt, its own Windows directory), menu
// commands run through the test driver with answers made up on the way, and
// the end of a run that found something.
//
// A harness is a libFuzzer program (fuzz/fuzz_<name>.cpp). Where one program
// serves several files or formats, SORVAN_FUZZ_TARGET names the one a run
// fuzzes; the harness lists its targets when the variable is missing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// The QApplication, the program folder (a copy of data/) and the program
// started as start-up does it, in test mode. Called from LLVMFuzzerInitialize.
void StartProgram(int* argc, char*** argv);
// Starts the program again from its files (PrepareProgram), after a harness
// changed a settings file. False when start-up refused.
bool RestartProgram();

// Native and program-form paths of a file below the program folder
// ('/'-separated relative path).
std::string NativePath(const std::string& relative);
std::string ProgramPath(const std::string& relative);
// Empties the folder below the program folder that a run writes its files
// into, and returns its relative path ("fuzz work").
std::string FreshWorkFolder();
void WriteFile(const std::string& relative, const std::string& bytes);
std::string ReadFile(const std::string& relative);  // "" when missing
bool FileExists(const std::string& relative);

// The target named by SORVAN_FUZZ_TARGET, one of `targets`; otherwise the
// list is printed and the process ends.
std::string ChosenTarget(const std::vector<std::string>& targets);

// Chooses menu item `command` as a user would. The file dialogs take
// `files` (program-form paths) in order and are cancelled after them; every
// message box is answered with OK; a page gets its list's first items chosen
// and its OK (default) button pressed, and is cancelled when it keeps
// coming back. A command that keeps asking is given up. Returns false when
// the item is grayed or missing or the command was given up. An exception
// other than a file error (which the program shows in a box) is a finding.
bool RunCommand(int command, const std::vector<std::string>& files = {});

// The messages shown since the last ForgetMessages, as "number: text".
std::vector<std::string> Messages();
void ForgetMessages();

int OpenWindowCount();
void CloseAllWindows();

// Where two texts first differ: "line n: 'a' became 'b'".
std::string FirstDifference(const std::string& a, const std::string& b);

// Ends the run as a finding: prints `what` and aborts, which libFuzzer reports
// with the input that led here.
[[noreturn]] void Finding(const std::string& what);

// Splits an input into named parts: the text before the first line
// "@@file <name>" is the first part (name ""), each such line starts a part of
// that name. Names are reduced to a plain file name (letters, digits, ". _-"),
// so that no part is written outside the folder it is meant for.
struct Part {
  std::string name;
  std::string bytes;
};
std::vector<Part> SplitInput(const uint8_t* data, size_t size);

}  // namespace fuzz
