// Numbered file channels and file-system services. Input files are read into
// memory whole and consumed field by field or line by line; both LF and CRLF
// line ends are accepted. Output lines end with CRLF. The channels are the
// edge of the Windows-1252 file formats: lines are decoded as they are read
// in and encoded as they are written (TextOfFileBytes / FileBytesOfLine).
#include "platform/files.h"

#include <array>
#include <cstdlib>
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

struct Channel {
  bool input = false;
  std::string path;      // program form
  std::string data;      // whole input file
  size_t pos = 0;
  bool trailingEmptyField = false;  // the file ended with a comma: one empty field remains
  std::ofstream out;
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

fs::path Native(const std::string& path) { return fs::path(NativePath(path)); }

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

static void OpenWrite(int channel, const std::string& path, std::ios::openmode mode) {
  CheckChannelNumber(channel, path);
  Close(channel);
  auto c = std::make_unique<Channel>();
  c->path = path;
  c->out.open(Native(path), std::ios::binary | mode);
  if (!c->out) throw FileError("cannot open file for writing", path);
  g_channels[channel] = std::move(c);
}

void OpenOutput(int channel, const std::string& path) { OpenWrite(channel, path, std::ios::trunc); }
void OpenAppend(int channel, const std::string& path) { OpenWrite(channel, path, std::ios::app); }

void Close(int channel) {
  if (channel < 1 || channel > 255 || !g_channels[channel]) return;
  auto c = std::move(g_channels[channel]);
  if (!c->input) c->out.close();
}

void CloseAll() {
  for (int i = 1; i < 256; ++i) Close(i);
}

bool IsOpen(int channel) { return channel >= 1 && channel <= 255 && g_channels[channel] != nullptr; }

std::string ChannelPath(int channel) { return IsOpen(channel) ? g_channels[channel]->path : std::string(); }

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
  c.out << FileBytesOfLine(text) << kLineEnd;
  if (!c.out) throw FileError("cannot write to file", c.path);
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

bool CreateFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directories(Native(path), ec);
  return FolderExists(path);
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy_file(Native(from), Native(to), fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  return fs::remove(Native(path), ec);
}

void ReplaceFileWithLines(const std::string& path, const std::vector<std::string>& lines) {
  const fs::path target = Native(path);
  fs::path temporary = target;
  temporary += ".tmp";
  std::error_code ec;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw FileError("cannot open a temporary file for writing", ProgramPath(temporary.string()));
    for (const std::string& line : lines) out << FileBytesOfLine(line) << kLineEnd;
    out.flush();
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      throw FileError("cannot write the file", path);
    }
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw FileError("cannot replace the file", path);
  }
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

void ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(Native(path), std::ios::binary);
  if (!in) throw FileError("cannot open file for reading", path);
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

std::string ReadWholeTextFile(const std::string& path) { return TextOfFileBytes(ReadWholeFile(path)); }

void ReadWholeTextFile(const std::string& path, std::string& text) {
  ReadWholeFile(path, text);
  if (!IsUtf8(text)) text = TextOfFileBytes(text);
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
