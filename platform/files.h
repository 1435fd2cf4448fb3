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
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// What made a file fail, as far as the user can act on it.
enum class FileFailure {
  NoSpace,         // the disk (or the user's share of it) is full
  WriteProtected,  // a read-only disk, or a file or folder the user may not write
  Other,           // anything else (a damaged disk, a folder where a file should be, ...)
};

// A file that cannot be opened, read or written. `path()` names the file in
// program form so that the message shown to the user can name it; `code()`
// is the system's error number of the failure (0 when the layer itself
// refused).
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& what, const std::string& path, int code = 0)
      : std::runtime_error(what), path_(path), code_(code) {}
  const std::string& path() const { return path_; }
  int code() const { return code_; }
  FileFailure failure() const;

 private:
  std::string path_;
  int code_ = 0;
};

// Channel numbers 1..255. Opening a channel that is open drops it first.
void OpenInput(int channel, const std::string& path);    // throws FileError
// An output channel writes into a temporary file beside `path`; the old file
// stays as it is until Close puts the new one in its place. Throws FileError
// when the temporary file cannot be made or `path` is write-protected.
void OpenOutput(int channel, const std::string& path);
// Closes a channel (no-op when closed). An output channel is finished: every
// byte written and flushed, then the file renamed over the old one. When that
// fails, Close throws FileError naming the file and the old file stays whole.
// A channel whose write already failed is only dropped.
void Close(int channel);
// Drops a channel without finishing it: an output channel's temporary file
// is removed and the old file stays. Never throws.
void Discard(int channel);
void CloseAll();  // drops every channel, as Discard does
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
// With parents; on failure `errorCode` (when given) takes the system's error number.
bool CreateFolder(const std::string& path, int* errorCode = nullptr);
// What a path names itself, a link not followed.
enum class EntryKind { None, File, Folder, Link, Other };
EntryKind KindOfEntry(const std::string& path);
// The names of the entries directly in a folder (none when it is no folder).
std::vector<std::string> FolderEntries(const std::string& folder);
// Makes the renames and removals in a folder durable (the folder's own
// fsync). Throws FileError when the system reports a failure; a file system
// that cannot sync folders counts as done.
void SyncFolder(const std::string& folder);
// Removes the temporary files that writers of processes that no longer run
// left in `folder` (a program killed while it wrote); with `forName`, only
// those of the file of that name. Returns how many were removed.
int RemoveLeftoverTemporaries(const std::string& folder, const std::string& forName = "");
// Copies a file through a temporary file beside `to`; false when that
// failed (then `to` is as it was).
bool CopyFileReplacing(const std::string& from, const std::string& to);
// Removes a file or a link (never what a link names, never a folder).
bool RemoveFile(const std::string& path);
bool RemoveEmptyFolder(const std::string& path);  // false when it holds anything
// Every writer below (and the output channels) writes a temporary file beside
// its target, syncs it to the disk and renames it over the target, then syncs
// the folder: at any moment the target is the old file or the new one, whole,
// also when the program is killed. A target that is a link is replaced by
// the new file; what the link names is never written.

// Writes `lines` (each in its file form, FileBytesOfLine, ended by CRLF)
// into a temporary file beside `path`, then renames it over `path`. A failure at any step throws FileError and
// leaves `path` as it was: a failed save never truncates the old file.
void ReplaceFileWithLines(const std::string& path, const std::vector<std::string>& lines);
// The same for a file of bytes written as they are (a picture, or text the
// caller put into file form itself).
void ReplaceFileWithBytes(const std::string& path, const std::string& bytes);

// Several files replaced together: each is written completely under a
// temporary name beside its target first; Commit then puts all of them in
// place, one rename each, and syncs their folders, or, when one rename
// fails, puts every old file back and throws. Files not committed (an error
// on the way, no Commit) are removed, so the old files stay byte for byte.
// Every failure throws FileError naming the file it concerns. A program
// killed between two renames leaves each file old or new, but not the set:
// a caller that needs the set to change at once writes only to names that
// nothing uses yet and names them last in one file (a project does).
class FileReplacement {
 public:
  FileReplacement();
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // `to` will hold a copy of `from`.
  void Copy(const std::string& from, const std::string& to);
  // `path` will hold `lines`, each in its file form (FileBytesOfLine) and
  // ended by CRLF.
  void Lines(const std::string& path, const std::vector<std::string>& lines);
  // `path` will hold `bytes` as they are.
  void Bytes(const std::string& path, const std::string& bytes);
  void Commit();

 private:
  struct Staged;
  std::vector<std::unique_ptr<Staged>> staged_;
};

// Reads a file line by line through a buffer of its own, for files too large
// to hold whole (a project of many long spectra). A line ends at CR LF, LF or
// CR; the last line needs no line end. The file stays open while the reader
// lives, so a second pass reads the same file even if it is replaced meanwhile.
// Lines come as the file's bytes: a text line becomes a program text through
// TextOfFileBytes (numbers are ASCII and need nothing).
class LineReader {
 public:
  explicit LineReader(const std::string& path);  // throws FileError
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line, valid until the next call; false at the end of the file.
  // Throws FileError when the file cannot be read.
  bool Next(std::string_view& line);
  bool AtEnd();
  // Where the next line begins, and going back (or on) to such a place.
  std::uint64_t Offset() const { return bufferOffset_ + begin_; }
  void Seek(std::uint64_t offset);

 private:
  bool Fill();  // more bytes after the ones held; false at the end

  std::string path_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::uint64_t bufferOffset_ = 0;
  bool atEnd_ = false;
};

// True when `path` names an entry directly inside `folder` once every link
// and "." or ".." is resolved (the entry itself need not exist).
bool LiesDirectlyInFolder(const std::string& path, const std::string& folder);
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

// Test hook: the steps by which the writers change what a folder holds or
// make it durable. The hook is called before each step with the step and the
// native path it concerns; it may end the process there (a test of what a
// kill leaves), or return a system error number, with which the step then
// fails as it would on such a disk; 0 lets the step run. An empty hook
// removes it.
enum class FileStep {
  Create,      // making a temporary file or a folder
  SyncFile,    // a written file to the disk
  Rename,      // a new file over its target (or an old one aside)
  Remove,      // a file removed
  SyncFolder,  // a folder's renames and removals to the disk
};
using FileStepHook = std::function<int(FileStep step, const std::string& nativePath)>;
void SetFileStepHook(FileStepHook hook);
const char* FileStepName(FileStep step);

}  // namespace plat
