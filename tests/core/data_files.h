// Reading the shipped program folder (data/) in the tests of the shipped
// files: paths below data/ and the file's fields or lines as the program's
// file channels deliver them.
#pragma once
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/test_support.h"

namespace datafiles {

// Native path of a file below data/, e.g. "settings/doublet.dda".
inline std::string DataPath(const std::string& relative) {
  return testsupport::SourceDir() + "/data/" + relative;
}

// Every field of the file (a field ends at a comma or a line end).
inline std::vector<std::string> ReadFields(const std::string& relative) {
  const int channel = 7;
  plat::OpenInput(channel, plat::ProgramPath(DataPath(relative)));
  std::vector<std::string> out;
  while (!plat::AtEnd(channel)) out.push_back(plat::ReadField(channel));
  plat::Close(channel);
  return out;
}

// Every line of the file, without its line end.
inline std::vector<std::string> ReadLines(const std::string& relative) {
  const int channel = 7;
  plat::OpenInput(channel, plat::ProgramPath(DataPath(relative)));
  std::vector<std::string> out;
  while (!plat::AtEnd(channel)) out.push_back(plat::ReadLine(channel));
  plat::Close(channel);
  return out;
}

// The raw bytes of the file.
inline std::string ReadBytes(const std::string& relative) {
  return testsupport::ReadFile(DataPath(relative));
}

// True when every line of `bytes` ends with CR LF and the last line is ended.
inline bool AllLinesEndCrLf(const std::string& bytes) {
  if (bytes.empty() || bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) return false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) return false;
  }
  return true;
}

}  // namespace datafiles
