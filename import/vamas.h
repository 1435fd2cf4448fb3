// The VAMAS reader (ISO 14976 surface-analysis transfer format, *.vms, *.vam):
// a parser that turns the text of a file into experiment and block records,
// and the reader that puts the blocks into the imported-spectrum store.
//
// The parser honours every count the format puts in the file: header and
// block comment lines, experimental variables, the parameter inclusion or
// exclusion list, manually entered items, future-upgrade entries, additional
// numerical parameters, corresponding variables, and the items that depend on
// the experiment mode and the technique. REGULAR scans give the abscissa by
// start and increment; IRREGULAR scans carry it as the first corresponding
// variable, and an evenly spaced one is turned into start and increment.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvan {

struct VamasBlock {
  long long Index = 0;  // position in the file, from 0
  std::string BlockId;
  std::string Sample;
  std::string Year, Month, Day;
  std::string Comment;  // block comment lines joined without separator
  std::string Technique;
  // The value of the first experimental variable (the depth of a depth
  // profile); "" when the file has none.
  std::string FirstExperimentalValue;
  double ExcitationEnergy = 0;  // analysis source characteristic energy
  std::string AnalyserMode;
  double PassEnergy = 0;
  std::string Species;
  std::string Transition;
  std::string AbscissaLabel;
  double AbscissaStart = 0;
  double AbscissaIncrement = 0;
  int VariableCount = 0;  // corresponding variables
  double CollectionTime = 0;
  double ScanCount = 0;
  // Intensities, one per point, in file order (the first corresponding
  // variable; for IRREGULAR scans the one after the abscissa).
  std::vector<double> Values;
};

enum class VamasStatus {
  Ok,         // every block the header announces was read
  NotVamas,   // the first line does not start with "VAMAS"
  Malformed,  // a count is not a number, an item is missing, the file ends early,
              // a block is too large or its abscissa cannot be derived
};

struct VamasFile {
  VamasStatus Status = VamasStatus::Ok;
  std::string Problem;  // what was wrong (for logs and tests)
  std::string Comment;  // header comment lines joined without separator
  std::string Mode;     // experiment mode line as it stands
  std::string ScanMode;
  long long RegionCount = 0;
  long long BlockCount = 0;  // blocks announced by the header
  long long BlocksRead = 0;  // blocks read completely, kept or not
  // The blocks kept, in file order. Every block is read and checked, but only
  // those the caller asks for are kept, so that memory follows what is
  // stored, not what the file announces.
  std::vector<VamasBlock> Blocks;

  // The kept block at file position `index`; nullptr when it was not kept.
  const VamasBlock* Block(long long index) const;
};

// Which blocks a parse keeps: asked for each block with the file's header
// read (mode, region and block counts) and the block's position from 0.
using VamasKeep = std::function<bool(const VamasFile& header, long long index)>;

// Parses a VAMAS file held in memory (LF, CRLF or CR line ends; blank lines
// before the format line are skipped). Every block is read; those `keep`
// accepts are kept. A problem stops the reading and keeps the blocks read
// completely before it.
VamasFile ParseVamas(std::string_view text, const VamasKeep& keep);
// The same, keeping the first `maxBlocks` blocks (the store's 100 spectra).
VamasFile ParseVamas(std::string_view text, std::size_t maxBlocks = 100);

// The spectrum name of a block: species, followed by the transition unless it
// is the same text; the block identifier when both are empty.
std::string VamasSpectrumName(const VamasBlock& block);

// The reader. w = 0 with ImportFormat[0] = 12 imports a new file: `command`
// CmdImportVamas asks for it in ImportFolder (and remembers the folder),
// CmdImportTestSpectrum in the test-spectra folder below the program folder, any other number takes
// FileDialogResult as it stands. w = 1..100 with ImportFormat[w] = 13 reads
// SourceFilePath again without a dialog. NORM and MAP files go completely
// into the store (at most 100 blocks); an SDP file leaves its region names in
// BlockNames for the block choice, and RereadVamasDepthProfile then reads the
// chosen regions.
void ImportVamas(int w, int command);

// Reads every depth level of the regions chosen in ChosenDepthBlocks from
// the depth-profile file FileDialogResult into the store (SdpBlockCount).
void RereadVamasDepthProfile(int w);

}  // namespace sorvan
