// A program folder for one test, so that the program starts as it would
// after installation:
//   - a copy of the shipped data/ folder in a fresh temporary folder,
//   - a Windows directory beside it holding "System/sorvan 2006.ini", which
//     names the copy exactly as the install step writes it,
//   - SORVAN_WINDOWS_DIR pointing at that Windows directory.
// Files are named relative to the program folder with '/' ("settings/satellite.set").
// Typical use in an end-to-end test:
//   testsupport::ProgramFolder folder;
//   folder.SetPresettingLine(352, "0");     // DefaultExcitationEnergy
//   ASSERT_TRUE(sorvan::PrepareProgram());
#pragma once
#include <string>

namespace testsupport {

class ProgramFolder {
 public:
  ProgramFolder();
  // Removes both folders and restores SORVAN_WINDOWS_DIR.
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::string& Root() const { return root_; }             // native path of the program folder
  const std::string& WindowsDir() const { return windowsDir_; }  // native path of the Windows directory
  std::string StartupFilePath() const;                           // native path of the start-up file

  // Native path of a file below the program folder.
  std::string Path(const std::string& relative) const;
  std::string Read(const std::string& relative) const;  // "" when missing
  void Write(const std::string& relative, const std::string& bytes) const;
  bool Exists(const std::string& relative) const;
  void Remove(const std::string& relative) const;

  // Line n (from 1) of a text file below the folder, and its replacement;
  // the file keeps its line ends. Defaults to the default presetting file.
  std::string Line(int n, const std::string& relative = kPresetting) const;
  void SetLine(int n, const std::string& value, const std::string& relative = kPresetting) const;
  void SetPresettingLine(int n, const std::string& value) const { SetLine(n, value, kPresetting); }

  // Replaces the start-up file with the given bytes (or removes it).
  void WriteStartupFile(const std::string& bytes) const;
  void RemoveStartupFile() const;

  static constexpr const char* kPresetting = "presetting/presetting.set";

 private:
  std::string base_;
  std::string root_;
  std::string windowsDir_;
  std::string savedWindowsDir_;
  bool hadWindowsDir_ = false;
};

}  // namespace testsupport
