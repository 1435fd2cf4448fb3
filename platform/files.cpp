// Numbered file channels and file-system services. Input files are read into
// memory whole and consumed field by field or line by line; both LF and CRLF
// line ends are accepted. Output lines end with CRLF. The channels are the
// edge of the Windows-1252 file formats: lines are decoded as they are read
// in and encoded as they are written (TextOfFileBytes / FileBytesOfLine).
#include "platform/files.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "platform/text.h"

namespace fs = std::filesystem;

namespace plat {

namespace {

constexpr const char* kLineEnd = "\r\n";

fs::path Native(const std::string& path) { return fs::path(NativePath(path)); }

// The reason of the last failed call, for the file error's text.
std::string Reason(const char* what) {
  const int e = errno;
  return e != 0 ? std::string(what) + " (" + std::strerror(e) + ")" : std::string(what);
}

FileStepHook g_stepHook;

// The test hook's answer for a step: 0 to run it, else the error to fail with.
int Step(FileStep step, const fs::path& path) { return g_stepHook ? g_stepHook(step, path.string()) : 0; }

// The name of a temporary file of this process beside `stem`'s file: hidden,
// unique, and short enough for any file name. RemoveLeftoverTemporaries
// knows the form.
fs::path TemporaryName(const fs::path& folder, const std::string& stem) {
  static std::atomic<unsigned> counter{0};
  return folder / ("." + stem.substr(0, 100) + ".~" + std::to_string(::getpid()) + "-" +
                   std::to_string(counter++) + ".tmp");
}
constexpr const char* kBackupEnding = ".old";

// Syncs a folder's entries to the disk; the error number, 0 when done. A
// file system that cannot sync a folder (EINVAL) counts as done.
int SyncFolderEntries(const fs::path& folder) {
  if (int e = Step(FileStep::SyncFolder, folder)) return e;
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int e = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return e == EINVAL || e == ENOTSUP ? 0 : e;
}

// A file written under a temporary name beside its target: the target is
// touched only by the rename that puts the finished file in its place. A
// target that is a link is replaced by the rename like any file: the file
// the link names is never opened for writing.
class StagedFile {
 public:
  explicit StagedFile(std::string target) : target_(std::move(target)) {
    std::error_code ec;
    destination_ = Native(target_);
    const fs::file_status status = fs::symlink_status(destination_, ec);
    if (fs::is_directory(status)) throw FileError("cannot write the file: a folder has its name", target_);
    const bool existingFile = fs::is_regular_file(status);
    if (existingFile && ::access(destination_.c_str(), W_OK) != 0)
      throw FileError(Reason("cannot write the file"), target_, errno);
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
      temporary_ = TemporaryName(destination_.parent_path(), destination_.filename().string());
      errno = Step(FileStep::Create, temporary_);
      if (errno != 0) break;
      file_ = std::fopen(temporary_.c_str(), "wbx");
      if (!file_ && errno != EEXIST) break;
    }
    if (!file_) {
      const int code = errno;
      temporary_.clear();
      throw FileError(Reason("cannot make a temporary file beside the file"), target_, code);
    }
    // The new file keeps the permissions of the file it replaces.
    if (existingFile) fs::permissions(temporary_, status.permissions(), ec);
  }

  ~StagedFile() { Drop(); }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  void Write(const char* data, std::size_t size) {
    errno = 0;
    if (!file_ || std::fwrite(data, 1, size, file_) != size) Fail("cannot write the file");
  }
  void Write(const std::string& text) { Write(text.data(), text.size()); }

  // Every byte on the disk and the file closed; the write errors that a
  // buffered write keeps for its flush show here.
  void Finish() {
    if (!file_) Fail("cannot write the file");
    errno = 0;
    bool flushed = std::fflush(file_) == 0;
    if (flushed) {
      errno = Step(FileStep::SyncFile, temporary_);
      flushed = errno == 0 && ::fsync(::fileno(file_)) == 0;
    }
    const int code = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
      if (!flushed) errno = code;
      Fail("cannot write the file");
    }
  }

  // Renames the finished file over the target (the folder is not synced).
  void PutInPlace() {
    std::error_code ec;
    if (int e = Step(FileStep::Rename, destination_)) ec.assign(e, std::generic_category());
    if (!ec) fs::rename(temporary_, destination_, ec);
    if (ec) {
      errno = ec.value();
      Fail("cannot replace the file");
    }
    temporary_.clear();
  }

  // Removes the temporary file (nothing when it is in place already).
  void Drop() noexcept {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) {
      std::error_code ec;
      fs::remove(temporary_, ec);
      temporary_.clear();
    }
  }

  const std::string& Target() const { return target_; }
  const fs::path& Destination() const { return destination_; }
  const fs::path& Temporary() const { return temporary_; }

 private:
  [[noreturn]] void Fail(const char* what) {
    const int code = errno;
    const std::string reason = Reason(what);
    Drop();
    throw FileError(reason, target_, code);
  }

  std::string target_;   // program form
  fs::path destination_;
  fs::path temporary_;
  std::FILE* file_ = nullptr;
};

struct Channel {
  bool input = false;
  std::string path;      // program form
  std::string data;      // whole input file
  size_t pos = 0;
  bool trailingEmptyField = false;  // the file ended with a comma: one empty field remains
  std::unique_ptr<StagedFile> out;
  bool failed = false;   // a write failed and was reported
};

std::array<std::unique_ptr<Channel>, 256> g_channels;
double g_freeSpaceOverride = -1;

Channel& Checked(int channel, bool wantInput) {
  if (channel < 1 || channel > 255 || !g_channels[channel])
    throw FileError("file channel " + std::to_string(channel) + " is not open", "");
  Channel& c = *g_channels[channel];
  if (c.input != wantInput)
    throw FileError(std::string("file channel is not open for ") + (wantInput ? "input" : "output"), c.path);
  return c;
}

void CheckChannelNumber(int channel, const std::string& path) {
  if (channel < 1 || channel > 255) throw FileError("bad file channel " + std::to_string(channel), path);
}

}  // namespace

void OpenInput(int channel, const std::string& path) {
  CheckChannelNumber(channel, path);
  Close(channel);
  std::ifstream in(Native(path), std::ios::binary);
  std::error_code ec;
  if (!in || fs::is_directory(Native(path), ec)) throw FileError("cannot open file for reading", path);
  auto c = std::make_unique<Channel>();
  c->input = true;
  c->path = path;
  std::ostringstream s;
  s << in.rdbuf();
  c->data = TextOfFileBytes(s.str());
  g_channels[channel] = std::move(c);
}

void OpenOutput(int channel, const std::string& path) {
  CheckChannelNumber(channel, path);
  Discard(channel);
  auto c = std::make_unique<Channel>();
  c->path = path;
  c->out = std::make_unique<StagedFile>(path);
  g_channels[channel] = std::move(c);
}

void Close(int channel) {
  if (channel < 1 || channel > 255 || !g_channels[channel]) return;
  auto c = std::move(g_channels[channel]);
  if (c->input || c->failed) return;  // a failed output is dropped with its temporary file
  c->out->Finish();
  c->out->PutInPlace();
  SyncFolderEntries(c->out->Destination().parent_path());
}

void Discard(int channel) {
  if (channel < 1 || channel > 255) return;
  g_channels[channel].reset();
}

void CloseAll() {
  for (int i = 1; i < 256; ++i) Discard(i);
}

bool IsOpen(int channel) { return channel >= 1 && channel <= 255 && g_channels[channel] != nullptr; }

std::string ReadField(int channel) {
  Channel& c = Checked(channel, true);
  if (c.trailingEmptyField) {
    c.trailingEmptyField = false;
    return {};
  }
  if (c.pos >= c.data.size()) throw FileError("read past the end of the file", c.path);
  size_t i = c.pos;
  const std::string& d = c.data;
  while (i < d.size() && d[i] != ',' && d[i] != '\n' && d[i] != '\r') ++i;
  std::string field = d.substr(c.pos, i - c.pos);
  if (i < d.size()) {
    if (d[i] == ',') {
      // A comma just before a line end leaves that line end for the next
      // read, which then gives an empty field; at the end of the file the
      // empty field is remembered.
      ++i;
      if (i == d.size()) c.trailingEmptyField = true;
    } else if (d[i] == '\r') {
      ++i;
      if (i < d.size() && d[i] == '\n') ++i;
    } else {
      ++i;
    }
  }
  c.pos = i;
  return field;
}

double ReadNumberField(int channel) { return TextToNumber(ReadField(channel)); }

std::string ReadLine(int channel) {
  Channel& c = Checked(channel, true);
  if (c.trailingEmptyField) {
    c.trailingEmptyField = false;
    return {};
  }
  if (c.pos >= c.data.size()) throw FileError("read past the end of the file", c.path);
  const std::string& d = c.data;
  size_t i = c.pos;
  while (i < d.size() && d[i] != '\n' && d[i] != '\r') ++i;
  std::string line = d.substr(c.pos, i - c.pos);
  if (i < d.size()) {
    if (d[i] == '\r') {
      ++i;
      if (i < d.size() && d[i] == '\n') ++i;
    } else {
      ++i;
    }
  }
  c.pos = i;
  return line;
}

bool AtEnd(int channel) {
  Channel& c = Checked(channel, true);
  return c.pos >= c.data.size() && !c.trailingEmptyField;
}

void WriteLine(int channel, const std::string& text) {
  Channel& c = Checked(channel, false);
  if (c.failed) throw FileError("cannot write the file", c.path);
  try {
    c.out->Write(FileBytesOfLine(text));
    c.out->Write(kLineEnd, 2);
  } catch (const FileError&) {
    c.failed = true;
    throw;
  }
}

std::string ShownPath(const std::string& programPath) {
  std::string s = programPath;
  for (char& ch : s)
    if (ch == '\\') ch = '/';
  // Collapse doubled separators that joining "folder\" with "\name" gives.
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    if (ch == '/' && !out.empty() && out.back() == '/') continue;
    out += ch;
  }
  return out;
}

std::string NativePath(const std::string& programPath) { return ShownPath(programPath); }

std::string ProgramPath(const std::string& nativePath) {
  std::string s = nativePath;
  for (char& ch : s)
    if (ch == '/') ch = '\\';
  return s;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(Native(path), ec);
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(Native(path), ec);
}

bool CreateFolder(const std::string& path, int* errorCode) {
  std::error_code ec;
  if (int e = Step(FileStep::Create, Native(path))) ec.assign(e, std::generic_category());
  if (!ec) fs::create_directories(Native(path), ec);
  if (FolderExists(path)) return true;
  if (errorCode) *errorCode = ec ? ec.value() : EEXIST;
  return false;
}

EntryKind KindOfEntry(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(Native(path), ec);
  if (ec || !fs::exists(status)) return EntryKind::None;
  if (fs::is_symlink(status)) return EntryKind::Link;
  if (fs::is_directory(status)) return EntryKind::Folder;
  if (fs::is_regular_file(status)) return EntryKind::File;
  return EntryKind::Other;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(Native(folder), ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}

void SyncFolder(const std::string& folder) {
  if (int e = SyncFolderEntries(Native(folder))) {
    errno = e;
    throw FileError(Reason("cannot write the folder to the disk"), folder, e);
  }
}

int RemoveLeftoverTemporaries(const std::string& folder, const std::string& forName) {
  int removed = 0;
  for (const std::string& name : FolderEntries(folder)) {
    // "." stem ".~" pid "-" number ".tmp", a set-aside old file with ".old" after it.
    std::string rest = name;
    if (rest.size() > 4 && rest.compare(rest.size() - 4, 4, kBackupEnding) == 0) rest.resize(rest.size() - 4);
    if (rest.size() < 8 || rest[0] != '.' || rest.compare(rest.size() - 4, 4, ".tmp") != 0) continue;
    rest.resize(rest.size() - 4);
    const std::size_t mark = rest.rfind(".~");
    const std::size_t dash = rest.rfind('-');
    if (mark == std::string::npos || mark == 0 || dash == std::string::npos || dash < mark + 3 ||
        dash + 1 == rest.size())
      continue;
    const std::string pid = rest.substr(mark + 2, dash - mark - 2);
    const std::string number = rest.substr(dash + 1);
    auto digits = [](const std::string& t) {
      return t.find_first_not_of("0123456789") == std::string::npos && t.size() < 10;
    };
    if (!digits(pid) || !digits(number)) continue;
    if (!forName.empty() && rest.substr(1, mark - 1) != forName.substr(0, 100)) continue;
    // A writer that still runs keeps its own.
    const pid_t owner = static_cast<pid_t>(std::stol(pid));
    if (owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) continue;
    const std::string path = folder + "\\" + name;
    if (KindOfEntry(path) != EntryKind::File) continue;
    if (RemoveFile(path)) ++removed;
  }
  return removed;
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
  try {
    FileReplacement copy;
    copy.Copy(from, to);
    copy.Commit();
    return true;
  } catch (const FileError&) {
    return false;
  }
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  const fs::path native = Native(path);
  if (fs::is_directory(fs::symlink_status(native, ec))) return false;
  if (Step(FileStep::Remove, native) != 0) return false;
  return fs::remove(native, ec);
}

bool RemoveEmptyFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(Native(path), ec) && fs::is_empty(Native(path), ec) && fs::remove(Native(path), ec);
}

void ReplaceFileWithLines(const std::string& path, const std::vector<std::string>& lines) {
  FileReplacement file;
  file.Lines(path, lines);
  file.Commit();
}

void ReplaceFileWithBytes(const std::string& path, const std::string& bytes) {
  FileReplacement file;
  file.Bytes(path, bytes);
  file.Commit();
}

// ---------------------------------------------------------------------------
// Several files replaced together

struct FileReplacement::Staged {
  explicit Staged(const std::string& target) : file(target) {}
  StagedFile file;
  fs::path backup;  // the old file under a second name while the set is put in place
};

FileReplacement::FileReplacement() = default;
FileReplacement::~FileReplacement() = default;

void FileReplacement::Copy(const std::string& from, const std::string& to) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(Native(from).c_str(), "rb"), &std::fclose);
  std::error_code ec;
  if (!in || fs::is_directory(Native(from), ec)) throw FileError(Reason("cannot read the file"), from);
  auto staged = std::make_unique<Staged>(to);
  std::array<char, 1 << 16> buffer;
  for (;;) {
    errno = 0;
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in.get());
    if (n > 0) staged->file.Write(buffer.data(), n);
    if (n < buffer.size()) {
      if (std::ferror(in.get())) throw FileError(Reason("cannot read the file"), from);
      break;
    }
  }
  staged->file.Finish();
  staged_.push_back(std::move(staged));
}

void FileReplacement::Lines(const std::string& path, const std::vector<std::string>& lines) {
  auto staged = std::make_unique<Staged>(path);
  std::string block;
  for (const std::string& line : lines) {
    block += FileBytesOfLine(line);
    block += kLineEnd;
    if (block.size() >= (1u << 16)) {
      staged->file.Write(block);
      block.clear();
    }
  }
  staged->file.Write(block);
  staged->file.Finish();
  staged_.push_back(std::move(staged));
}

void FileReplacement::Bytes(const std::string& path, const std::string& bytes) {
  auto staged = std::make_unique<Staged>(path);
  staged->file.Write(bytes);
  staged->file.Finish();
  staged_.push_back(std::move(staged));
}

void FileReplacement::Commit() {
  // The folders whose entries change, each synced once the renames are done.
  std::vector<fs::path> folders;
  for (const auto& s : staged_) {
    const fs::path folder = s->file.Destination().parent_path();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  auto syncFolders = [&folders] {
    for (const fs::path& folder : folders) SyncFolderEntries(folder);
  };
  if (staged_.size() == 1) {
    // One file: the rename alone replaces it, the old or the new one is there at any moment.
    staged_.front()->file.PutInPlace();
    staged_.clear();
    syncFolders();
    return;
  }
  // Each old file is kept under a second name (a hard link where the file
  // system has them) until every new file is in place.
  std::size_t done = 0;
  std::string failure;
  std::string failedTarget;
  int failedCode = 0;
  for (; done < staged_.size(); ++done) {
    Staged& s = *staged_[done];
    std::error_code ec;
    if (fs::exists(fs::symlink_status(s.file.Destination(), ec))) {
      fs::path backup = s.file.Temporary();
      backup += kBackupEnding;
      if (int e = Step(FileStep::Rename, backup)) ec.assign(e, std::generic_category());
      if (!ec) fs::create_hard_link(s.file.Destination(), backup, ec);
      if (ec && ec.value() != EROFS) {
        ec.clear();
        fs::rename(s.file.Destination(), backup, ec);
      }
      if (ec) {
        errno = failedCode = ec.value();
        failure = Reason("cannot replace the file");
        failedTarget = s.file.Target();
        break;
      }
      s.backup = backup;
    }
    try {
      s.file.PutInPlace();
    } catch (const FileError& e) {
      failure = e.what();
      failedTarget = s.file.Target();
      failedCode = e.code();
      break;
    }
  }
  std::error_code ec;
  if (done == staged_.size()) {
    syncFolders();
    bool removed = false;
    for (auto& s : staged_)
      if (!s->backup.empty() && Step(FileStep::Remove, s->backup) == 0) removed = fs::remove(s->backup, ec) || removed;
    staged_.clear();
    if (removed) syncFolders();
    return;
  }
  // Every old file back in its place; the new ones go.
  for (std::size_t k = 0; k <= done && k < staged_.size(); ++k) {
    Staged& s = *staged_[k];
    if (!s.backup.empty()) {
      fs::rename(s.backup, s.file.Destination(), ec);
    } else if (k < done) {
      fs::remove(s.file.Destination(), ec);
    }
  }
  staged_.clear();
  syncFolders();
  throw FileError(failure, failedTarget, failedCode);
}

// ---------------------------------------------------------------------------
// Reading line by line

LineReader::LineReader(const std::string& path) : path_(path), buffer_(1 << 20, '\0') {
  std::error_code ec;
  if (fs::is_directory(Native(path), ec)) throw FileError("cannot open file for reading", path);
  file_ = std::fopen(Native(path).c_str(), "rb");
  if (!file_) throw FileError(Reason("cannot open file for reading"), path);
}

LineReader::~LineReader() {
  if (file_) std::fclose(file_);
}

bool LineReader::Fill() {
  if (atEnd_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    bufferOffset_ += begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(2 * buffer_.size());
  errno = 0;
  const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  if (n == 0) {
    if (std::ferror(file_)) throw FileError(Reason("cannot read the file"), path_);
    atEnd_ = true;
    return false;
  }
  end_ += n;
  return true;
}

bool LineReader::Next(std::string_view& line) {
  std::size_t scanned = begin_;
  for (;;) {
    std::size_t i = scanned;
    while (i < end_ && buffer_[i] != '\r' && buffer_[i] != '\n') ++i;
    // A CR at the end of what is held may be followed by an LF not yet read.
    const bool complete = i < end_ && (buffer_[i] == '\n' || i + 1 < end_ || atEnd_);
    if (complete || (i == end_ && atEnd_)) {
      if (begin_ == end_ && atEnd_) return false;
      line = std::string_view(buffer_.data() + begin_, i - begin_);
      std::size_t next = i;
      if (next < end_ && buffer_[next++] == '\r' && next < end_ && buffer_[next] == '\n') ++next;
      begin_ = next;
      return true;
    }
    // Read on; the bytes held move to the front of the buffer.
    scanned = i - begin_;
    Fill();
    scanned += begin_;
  }
}

bool LineReader::AtEnd() {
  while (begin_ == end_) {
    if (!Fill()) return true;
  }
  return false;
}

void LineReader::Seek(std::uint64_t offset) {
  if (offset >= bufferOffset_ && offset <= bufferOffset_ + end_) {
    begin_ = static_cast<std::size_t>(offset - bufferOffset_);
    return;
  }
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
    throw FileError(Reason("cannot read the file"), path_);
  bufferOffset_ = offset;
  begin_ = end_ = 0;
  atEnd_ = false;
}

bool LiesDirectlyInFolder(const std::string& path, const std::string& folder) {
  std::error_code ec;
  const fs::path entry = fs::weakly_canonical(Native(path), ec);
  if (ec) return false;
  const fs::path root = fs::weakly_canonical(Native(folder), ec);
  if (ec || !entry.has_filename()) return false;
  return entry.parent_path() == root && entry.filename() != "." && entry.filename() != "..";
}

std::string FileDateText(const std::string& path) {
  std::error_code ec;
  auto t = fs::last_write_time(Native(path), ec);
  if (ec) return {};
  // GCC 12 has no clock_cast; shift by the distance between the two clocks.
  auto sys = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
      t - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
  std::time_t tt = std::chrono::system_clock::to_time_t(sys);
  std::tm tm{};
  localtime_r(&tt, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M:%S", &tm);
  return buf;
}

double FreeDiskSpace(const std::string& path) {
  if (g_freeSpaceOverride >= 0) return g_freeSpaceOverride;
  fs::path p = Native(path);
  std::error_code ec;
  while (!p.empty() && !fs::exists(p, ec)) p = p.parent_path();
  if (p.empty()) p = fs::current_path(ec);
  auto info = fs::space(p, ec);
  return ec ? 0 : double(info.available);
}

void SetFreeDiskSpaceOverride(double bytes) { g_freeSpaceOverride = bytes; }

void SetFileStepHook(FileStepHook hook) { g_stepHook = std::move(hook); }

const char* FileStepName(FileStep step) {
  switch (step) {
    case FileStep::Create: return "create";
    case FileStep::SyncFile: return "sync file";
    case FileStep::Rename: return "rename";
    case FileStep::Remove: return "remove";
    case FileStep::SyncFolder: return "sync folder";
  }
  return "";
}

FileFailure FileError::failure() const {
  switch (code_) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileFailure::NoSpace;
    case EROFS:
    case EACCES:
    case EPERM: return FileFailure::WriteProtected;
    default: return FileFailure::Other;
  }
}

void ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(Native(path), std::ios::binary);
  std::error_code ec;
  if (!in || fs::is_directory(Native(path), ec)) throw FileError("cannot open file for reading", path);
  // Read at once into a string of the file's size (a stream copy grows and
  // copies its buffer several times over for a large file); what a file
  // that tells no size, or grew meanwhile, holds further is read after it.
  text.clear();
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0 && in) {
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), size);
    if (in.bad()) throw FileError("cannot read the file", path);
    text.resize(static_cast<std::size_t>(in.gcount()));
  }
  in.clear();
  if (in.peek() != std::ifstream::traits_type::eof()) {
    std::ostringstream rest;
    rest << in.rdbuf();
    text += rest.str();
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text);
  return text;
}

void ReadWholeTextFile(const std::string& path, std::string& text) {
  ReadWholeFile(path, text);
  if (!IsUtf8(text)) text = TextOfFileBytes(text);
}

std::string ReadWholeTextFile(const std::string& path) {
  std::string text;
  ReadWholeTextFile(path, text);
  return text;
}

std::string WindowsDirectory() {
  if (const char* env = std::getenv("SORVAN_WINDOWS_DIR"); env && *env) return ProgramPath(env);
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = std::string(home) + "/.local/share";
  else
    base = "/tmp";
  return ProgramPath(base + "/sorvan/windows");
}

}  // namespace plat
