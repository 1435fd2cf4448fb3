// Numbered file channels and file-system services.
// Paths are given in program form with backslashes ("\settings\paraset1.par",
// "C:\data\x.vms" is not supported: a leading backslash is the root); the
// layer maps them to this system. Reads accept LF and CRLF line ends; writes
// end every line with CRLF.
// The channels read and write text files of Windows-1252 formats: a line read
// is taken as UTF-8 when it is UTF-8 and as Windows-1252 otherwise; a line
// written is Windows-1252 when every character fits, else UTF-8, so that it
// always reads back as it was (platform/text.h, TextOfFileBytes and
// FileBytesOfLine).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace plat {

// A file that cannot be opened, read or written. `path()` names the file in
// program form so that the message shown to the user can name it.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& what, const std::string& path)
      : std::runtime_error(what), path_(path) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Channel numbers 1..255. Opening a channel that is open closes it first.
void OpenInput(int channel, const std::string& path);    // throws FileError
void OpenOutput(int channel, const std::string& path);   // replaces the file
void OpenAppend(int channel, const std::string& path);
void Close(int channel);                                  // no-op when closed
void CloseAll();
bool IsOpen(int channel);

// Field read: the text up to the next comma or the end of the line; the comma
// or line end is consumed. No trimming, no quote handling. An empty line
// gives one empty field. Reading at the end of the file throws FileError.
std::string ReadField(int channel);
// Field read converted with the program's text-to-number rule.
double ReadNumberField(int channel);
// Line read: the rest of the current line, without its line end.
std::string ReadLine(int channel);
// True when nothing remains to be read.
bool AtEnd(int channel);
// Writes text and CRLF.
void WriteLine(int channel, const std::string& text);
// The program form of the path open on a channel ("" when closed).
std::string ChannelPath(int channel);

// Path mapping between program form ("\a\b.txt", UTF-8 like every program
// text) and this system's names ("/a/b.txt", UTF-8): only the separators
// differ, so a name in any script maps both ways unchanged.
std::string NativePath(const std::string& programPath);
std::string ProgramPath(const std::string& nativePath);
// A path as the user reads it: this system's separators, for messages,
// captions and pages.
std::string ShownPath(const std::string& programPath);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
bool CreateFolder(const std::string& path);                 // with parents
bool CopyFileReplacing(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// Writes `lines` (each ended by CRLF) into a temporary file beside `path`,
// then renames it over `path`. A failure at any step throws FileError and
// leaves `path` as it was: a failed save never truncates the old file.
void ReplaceFileWithLines(const std::string& path, const std::vector<std::string>& lines);
// Modification date as "DD.MM.YYYY HH:MM:SS" (independent of the locale); "" when missing.
std::string FileDateText(const std::string& path);
// Free bytes on the drive holding `path` (or its nearest existing parent).
double FreeDiskSpace(const std::string& path);
// Reads a whole file as bytes; throws FileError.
std::string ReadWholeFile(const std::string& path);
// The same into `text`, whose room is used again (a reader of large files
// that keeps its buffer does not have the memory given back and taken anew
// on every file).
void ReadWholeFile(const std::string& path, std::string& text);
// Reads a whole text file as program text, decoded line by line as the input
// channels decode it; throws FileError.
std::string ReadWholeTextFile(const std::string& path);
// The same into `text`, whose room is used again; a file that is already
// valid UTF-8 (every ASCII file) is not copied again.
void ReadWholeTextFile(const std::string& path, std::string& text);

// The Windows directory in program form: $SORVAN_WINDOWS_DIR, else a
// per-user folder (~/.local/share/sorvan/windows).
std::string WindowsDirectory();

// Test hook: replaces the free-space answer (negative restores the real one).
void SetFreeDiskSpaceOverride(double bytes);

}  // namespace plat
