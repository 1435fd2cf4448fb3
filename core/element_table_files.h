// The four element tables as the table editor reads and writes them: line
// positions ("*.pos"), Auger parameters ("*.aup"), sensitivity factors
// ("*.sen", header "Sensitivity Factors") and doublet values ("*.dda", header
// "Dublett Werte"). The editor holds one text per entry: the whole line for
// line positions and Auger parameters, name "=" factor for sensitivity
// factors, name "=" ratio "/" splitting for doublets. The start-up readers of
// the same files are in core/reference_files.h.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

enum class ElementTableKind { LinePositions, AugerParameters, SensitivityFactors, Doublets };

// The first line a sensitivity-factor or doublet file must carry; "" for the
// kinds without a header.
const char* ElementTableHeader(ElementTableKind kind);

// Reads the entries of a table file in file order, in the editor's entry
// form. False when a sensitivity-factor or doublet file does not begin with
// its header (nothing is read). Blank lines are skipped; a line that lacks a
// field gives an entry with that part empty, so nothing of the file is lost.
// Throws plat::FileError when the file cannot be read.
bool ReadElementTableEntries(ElementTableKind kind, const std::string& path,
                             std::vector<std::string>& entries);

// Sorts by exchange, ascending (descending when `descending`): by the leading
// number for line positions and Auger parameters (0 for an entry that does
// not begin with one), byte by byte for sensitivity factors and doublets.
void SortElementTableEntries(ElementTableKind kind, bool descending,
                             std::vector<std::string>& entries);

// How an entry is written.
enum class EntryLine {
  Skipped,    // empty after trimming: nothing is written
  Written,    // `line` holds the file line
  Malformed,  // a sensitivity factor without "=" or a doublet without "/"
};
// The file line of one entry: decimal commas become points (every comma of
// the number part, or of the whole entry for sensitivity factors and
// doublets, so that a table read back and saved again keeps its bytes);
// line positions and Auger parameters become a blank, the number part, two
// blanks and the text; sensitivity factors name "," factor; doublets name ","
// ratio "," splitting (the "/" after the "=", so a name may hold "/").
EntryLine ElementTableLine(ElementTableKind kind, const std::string& entry, std::string& line);

// The file lines of a whole table (header first where the kind has one).
// The 1-based positions of malformed entries go to `malformed`; the lines
// are complete only when it comes back empty.
std::vector<std::string> ElementTableFileLines(ElementTableKind kind,
                                               const std::vector<std::string>& entries,
                                               std::vector<int>& malformed);

// Writes a table file through a temporary file renamed over the old one, so
// a failed save leaves the old file whole. Throws plat::FileError.
void WriteElementTableFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace sorvan
