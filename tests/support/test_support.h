// Helpers shared by the tests: temporary folders and paths of the sources.
#pragma once
#include <string>

namespace testsupport {

// A fresh empty folder below the system's temporary folder (native path).
std::string MakeTempFolder(const std::string& tag);
// Writes `bytes` to the native path, creating parent folders.
void WriteFile(const std::string& nativePath, const std::string& bytes);
// When SORVAN_TEST_FILES_COPY names a folder, copies the native file or
// folder there, below its path relative to the system's temporary folder,
// so that the fuzz harnesses can start from the files the tests write
// (WriteFile keeps every file it writes so).
void KeepTestFile(const std::string& nativePath);
// Reads a whole native file ("" when missing).
std::string ReadFile(const std::string& nativePath);
// The project's source folder and the shared samples folder (native paths).
std::string SourceDir();
std::string SamplesDir();
// The text of a PDF file as `pdftotext -layout` reads it ("" when it cannot;
// every page ends with a form feed).
std::string PdfText(const std::string& nativePath);

}  // namespace testsupport
