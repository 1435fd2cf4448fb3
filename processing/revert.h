// Reverting a spectrum window to its measured values, and bringing a
// window's source file back into the imported store.
#pragma once
#include <string>

namespace sorvan {

// Makes the imported store hold window w's source, reading its file again
// (without a dialog) when another file or block list was read since. True
// when the store holds w's source afterwards. When the file cannot be read,
// message 8 is shown, the store counts as holding no file and the caller
// must stop: its values may belong to no window at all.
bool ReloadSourceData(int w);

// Throws away all processing of single-spectrum window w: default peak table,
// no labels, reset state, the whole spectrum as region, no background, and
// the measured values again. Other window kinds are left as they are; a
// source that cannot be read leaves the window's spectrum as it was.
void RevertSpectrum(int w);

// The reader of the import subsystem: reads the source of window w whose
// ImportFormat holds the format's code + 1 (read again, no dialog, nothing
// placed). Returns false when the format has no reader. Set at start-up by
// the import subsystem; while it is not set no source can be read again.
using SourceReader = bool (*)(int code, int w);
SourceReader& SourceReaderHook();

// The two-character block numbers of a block list ("character 2k" starts
// block k, k = 1..count) into ChosenDepthBlocks[1..count].
void DecodeBlockList(const std::string& list, int count);

}  // namespace sorvan
