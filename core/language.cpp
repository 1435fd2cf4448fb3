// The language file: a header field, the five single texts, then the five
// groups of texts, each group after a separator field; every text is five
// fields, one per language slot.
#include "core/language.h"

#include <string>
#include <vector>

#include "core/model.h"
#include "core/reference_files.h"
#include "platform/files.h"

namespace sorvan {

namespace {

constexpr int kSlots = 5;

// Walks the fields of the file in order and hands out the field of the
// chosen slot; `complete` turns false once the file has run out.
class SlotReader {
 public:
  SlotReader(const std::vector<std::string>& fields, int slot) : fields_(fields), slot_(slot) {}

  // Drops one field (the header and the separators).
  void Skip() { Advance(1); }

  // Consumes the five fields of one text and assigns the chosen one, when the
  // file holds it and the slot exists.
  void Take(std::string& text) {
    if (slot_ >= 0 && slot_ < kSlots && next_ + static_cast<std::size_t>(slot_) < fields_.size())
      text = fields_[next_ + static_cast<std::size_t>(slot_)];
    Advance(kSlots);
  }

  bool complete() const { return complete_; }

 private:
  void Advance(std::size_t n) {
    if (next_ + n > fields_.size()) complete_ = false;
    next_ += n;
  }

  const std::vector<std::string>& fields_;
  int slot_;
  std::size_t next_ = 0;
  bool complete_ = true;
};

template <class Group>
void TakeGroup(SlotReader& reader, Group& group, int size) {
  reader.Skip();
  for (int i = 1; i <= size; ++i) reader.Take(group[i]);
}

}  // namespace

void ReadLanguageFile() {
  const std::string path = G.LanguageFilePath;
  const std::vector<std::string> fields = ReadAllFields(path);  // throws when missing

  SlotReader reader(fields, G.LanguageIndex);
  reader.Skip();
  reader.Take(G.BindingEnergyTitle);
  reader.Take(G.KineticEnergyTitle);
  reader.Take(G.CountsTitle);
  reader.Take(G.CpsTitle);
  reader.Take(G.ReadoutPrefix);
  TakeGroup(reader, G.MenuTexts, 89);
  TakeGroup(reader, G.ButtonTexts, 17);
  TakeGroup(reader, G.MessageTexts, 129);
  TakeGroup(reader, G.CaptionTexts, 20);
  TakeGroup(reader, G.LabelTexts, 220);

  if (!reader.complete())
    throw plat::FileError("the language file ends early; the texts after its end are missing",
                          path);
}

}  // namespace sorvan
