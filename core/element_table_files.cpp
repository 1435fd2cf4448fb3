// Reading, sorting and writing the element tables of the table editor.
#include "core/element_table_files.h"

#include <utility>

#include "core/reference_files.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

// The fields of one line: the texts between its commas.
std::vector<std::string> LineFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string FieldOr(const std::vector<std::string>& fields, std::size_t i) {
  return i < fields.size() ? fields[i] : std::string();
}

// Every decimal comma becomes a point. Every one, not only the first: a
// comma left behind would become a point at the next save (a table would
// change each time it is saved), or a field separator for the readers.
void CommasToPoints(std::string& text) {
  for (char& c : text)
    if (c == ',') c = '.';
}

bool IsDigit(const std::string& text, std::size_t i) {
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// An exponent begins at i: "e" or "E" right after a digit, followed by a
// digit or by a sign and a digit ("1e10", "2.846E+2").
bool ExponentAt(const std::string& text, std::size_t i) {
  if (i == 0 || (text[i] != 'e' && text[i] != 'E') || !IsDigit(text, i - 1)) return false;
  if (IsDigit(text, i + 1)) return true;
  return i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') && IsDigit(text, i + 2);
}

// Where the number part of a line-position or Auger-parameter entry ends:
// before its first letter (any character above code 64) that does not begin
// an exponent, its first "(", or a "-" that is neither its first character
// nor the sign of an exponent. A number with an exponent stays whole, as the
// table sorts by it.
std::size_t NumberPartEnd(const std::string& entry) {
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(entry[i]);
    if (ExponentAt(entry, i)) {
      i += IsDigit(entry, i + 1) ? 1 : 2;
      continue;
    }
    if (c > 64 || c == '(' || (c == '-' && i > 0)) return i;
  }
  return entry.size();
}

}  // namespace

const char* ElementTableHeader(ElementTableKind kind) {
  switch (kind) {
    case ElementTableKind::SensitivityFactors: return "Sensitivity Factors";
    case ElementTableKind::Doublets: return "Dublett Werte";
    default: return "";
  }
}

bool ReadElementTableEntries(ElementTableKind kind, const std::string& path,
                             std::vector<std::string>& entries) {
  const std::vector<std::string> lines = ReadAllLines(path);
  entries.clear();
  if (kind == ElementTableKind::LinePositions || kind == ElementTableKind::AugerParameters) {
    entries = lines;
    return true;
  }
  if (lines.empty() || FirstField(lines[0]) != ElementTableHeader(kind)) return false;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    if (plat::Trim(lines[k]).empty()) continue;
    const std::vector<std::string> f = LineFields(lines[k]);
    if (kind == ElementTableKind::SensitivityFactors)
      entries.push_back(f[0] + "=" + FieldOr(f, 1));
    else
      entries.push_back(f[0] + "=" + FieldOr(f, 1) + "/" + FieldOr(f, 2));
  }
  return true;
}

void SortElementTableEntries(ElementTableKind kind, bool descending,
                             std::vector<std::string>& entries) {
  const bool byNumber =
      kind == ElementTableKind::LinePositions || kind == ElementTableKind::AugerParameters;
  // The number an entry is sorted by is the number its line is written with
  // (decimal commas as points), so that the next save sorts it alike.
  std::vector<double> keys(entries.size(), 0.0);
  if (byNumber)
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::string e = plat::Trim(entries[i]);
      std::string number = e.substr(0, NumberPartEnd(e));
      CommasToPoints(number);
      keys[i] = plat::TextToNumber(number);
    }
  auto outOfOrder = [&](std::size_t i, std::size_t j) {
    if (byNumber) return descending ? keys[i] < keys[j] : keys[i] > keys[j];
    return descending ? entries[i] < entries[j] : entries[i] > entries[j];
  };
  // The exchange sort the table files have always been sorted with, so that
  // entries with equal keys keep the order users know from it.
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      if (!outOfOrder(i, j)) continue;
      std::swap(entries[i], entries[j]);
      std::swap(keys[i], keys[j]);
    }
  }
}

EntryLine ElementTableLine(ElementTableKind kind, const std::string& entry, std::string& line) {
  std::string e = plat::Trim(entry);
  line.clear();
  if (e.empty()) return EntryLine::Skipped;
  switch (kind) {
    case ElementTableKind::LinePositions:
    case ElementTableKind::AugerParameters: {
      const std::size_t end = NumberPartEnd(e);
      std::string number = plat::Trim(e.substr(0, end));
      CommasToPoints(number);
      line = " " + number + "  " + plat::Trim(e.substr(end));
      return EntryLine::Written;
    }
    case ElementTableKind::SensitivityFactors: {
      CommasToPoints(e);
      const std::size_t equals = e.find('=');
      if (equals == std::string::npos) return EntryLine::Malformed;
      e[equals] = ',';
      line = e;
      return EntryLine::Written;
    }
    case ElementTableKind::Doublets: {
      CommasToPoints(e);
      // A name may hold "/" itself (Ti2p3/2), so the "/" between ratio and
      // splitting is looked for after the "=" that ends the name.
      const std::size_t equals = e.find('=');
      std::size_t from = 0;
      if (equals != std::string::npos) {
        e[equals] = ',';
        from = equals + 1;
      }
      const std::size_t slash = e.find('/', from);
      if (slash == std::string::npos) return EntryLine::Malformed;
      e[slash] = ',';
      line = e;
      return EntryLine::Written;
    }
  }
  return EntryLine::Skipped;
}

std::vector<std::string> ElementTableFileLines(ElementTableKind kind,
                                               const std::vector<std::string>& entries,
                                               std::vector<int>& malformed) {
  std::vector<std::string> lines;
  malformed.clear();
  const std::string header = ElementTableHeader(kind);
  if (!header.empty()) lines.push_back(header);
  std::string line;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    switch (ElementTableLine(kind, entries[k], line)) {
      case EntryLine::Written: lines.push_back(line); break;
      case EntryLine::Malformed: malformed.push_back(static_cast<int>(k + 1)); break;
      case EntryLine::Skipped: break;
    }
  }
  return lines;
}

void WriteElementTableFile(const std::string& path, const std::vector<std::string>& lines) {
  plat::ReplaceFileWithLines(path, lines);
}

}  // namespace sorvan
