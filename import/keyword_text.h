// The reader of keyword text files: five text layouts of one spectrum (up to
// thirty for the XPD layout) that carry little or no header. Three are
// recognised by their first item ("xstart", "xywe", "TABLE"); the list and
// XPD layouts by comparing the first energy of the file with the start
// energy typed for the spectrum on the import header page.
#pragma once
#include <string>

namespace sorvan {

enum class KeywordLayout { List, Xywe, Table, Xpd, Xstart };

// The value of an xywe item: the mantissa in columns 5 to p - 1 times ten to
// the power of the two exponent digits after the sign at p + 1, p being the
// first "e" at or after column `searchFrom` (columns from 1). The sign of the
// exponent counts.
double XyweNumber(const std::string& item, int searchFrom);

// Whether a number of the file is the start energy S of a spectrum with the
// excitation energy hv: not 0 and, rounded to 0.001, equal to S (kinetic) or
// to hv - S (binding).
bool MatchesStartEnergy(double a, double startEnergy, double excitationEnergy);

// The reader. w = 0 with ImportFormat[0] = 6: asks for the file, then for
// the header of imported spectrum 1 (before the file is read, or after an
// "xstart" header), and reads it. w = 1..100 with ImportFormat[w] = 7 reads
// SourceFilePath again without asking, with window w's start energy,
// excitation energy and point count (and its end energy and step for the
// range check of the list layout). A file that does not fit the typed header
// or ends before its points are read is refused with message 3; an XPD file
// keeps the blocks read completely (at most 30) and says so.
void ImportKeywordText(int w);

// The layout found by the last ImportKeywordText that recognised its file.
KeywordLayout LastKeywordLayout();

}  // namespace sorvan
