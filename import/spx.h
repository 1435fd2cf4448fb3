// The reader of SPX experiment files ("*.exp", first field "#SPX"): keyword
// text in which each region (one spectrum, or in a depth profile one
// spectrum per depth level) is found by the first characters of its fields
// and its values are taken from fixed character positions after the keys.
// Checked against small files written to that layout; no real file is at
// hand.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// w = 0 with ImportFormat[0] = 24 asks for a "*.exp" file; w = 1..100 with
// ImportFormat[w] = 25 reads SourceFilePath again without a dialog. Plain
// regions go into the store at once (at most 100). When the file holds depth
// regions, ImportMode becomes "SDP_SPE" and only their names are collected
// (BlockNames, at most nine regions; BlockCount = SpxRegionCount,
// DepthLevelCount, SpectraReadCount = DepthLevelCount) for the block choice;
// RereadSpxDepthProfile then reads the chosen regions. A file cut short or
// out of step keeps the regions read completely and shows message 3.
void ImportSpxExperiment(int w);

// Reads every depth level of the depth regions r = 1..BlockCount with
// ChosenDepthBlocks[r] = r from the file FileDialogResult into the store,
// region by region, each level named by its region and its summed depth
// ("<region>_ 30"); SdpBlockCount holds the number of spectra read.
void RereadSpxDepthProfile(int w);

// The depth labels of the levels 1..levels of a region from its depth-value
// line: the number after the key of level c (" 3:") as decimal text, the
// label of level c - 1 when the key is missing (level 1: empty), then each
// summed with the labels before it. Element 0 is unused.
std::vector<std::string> SpxDepthLabels(const std::string& depthLine, int levels);

}  // namespace sorvan
