// The reader of numbered region files: a set of text files that share one
// name and differ in a final number (name.1, name.2, ...), each holding one
// or more regions of one acquisition. All regions of the set go into the
// imported store in one pass.
#pragma once
#include <string>

namespace sorvan {

// The next file of a set: the path with its trailing number raised by one
// (x.1 -> x.2, x.9 -> x.10, x.19 -> x.20); "" when the path does not end in
// a number.
std::string NumberedFileSuccessor(const std::string& path);
// The file before it in a set whose numbers keep their width: the trailing
// number lowered by one with its leading zeros (x.002 -> x.001, x.10 ->
// x.09); "" when the path does not end in a number or the number is 0.
std::string NumberedFilePredecessor(const std::string& path);

// The short name of a file of a set: the extension of its file name ("2" for
// x.2), whatever the folders above it are called.
std::string NumberedFileShortName(const std::string& path);

// The reader. w = 0 with ImportFormat[0] = 8: asks for a file of the set and
// for the excitation energy, then reads that file and its successors.
// w = 1..100 with ImportFormat[w] = 9: reads the set that starts at
// NumberedFilePath again without asking, with window w's excitation energy.
// A file whose identification field is foreign refuses the whole set
// (message 3). A region cut short, a point count outside 1..32767 or more
// than 80 regions end the reading with message 3; the complete regions read
// before stay in the store.
void ImportNumberedFiles(int w);

}  // namespace sorvan
