// The reader of INF measurements: a header file "*.INF" that describes the
// acquisition and its regions (one region = one spectrum) and a companion
// value file of the same name ending in "ASC" that holds the intensities of
// all regions one after another.
#pragma once
#include <string>

namespace sorvan {

// The value file of header file `infPath`: the path with its last three
// characters replaced by "ASC"; when no such file exists, the first existing
// file with those characters in another letter case ("asc", "Asc", ...).
// The "ASC" path when none exists.
std::string InfCompanionPath(const std::string& infPath);

// The name of a region code: the text of the region-name table for the code,
// the code itself when the table does not list it.
std::string RegionNameOfCode(const std::string& code);

// The reader. w = 0 with ImportFormat[0] = 10: asks for the header file;
// w = 1..100 with ImportFormat[w] = 11 reads SourceFilePath again without a
// dialog. All regions (at most ten) go into the store; the excitation energy
// of the file becomes DefaultExcitationEnergy. A header without its
// signature, a searched item that never comes, more than ten regions, a
// region without points or a missing value file refuse the file with
// message 3. A value file that ends early keeps the regions it holds
// completely and says so with message 3.
void ImportInfAsc(int w);

}  // namespace sorvan
