#pragma once
// The text of an INI file as lines, with the lookups and edits of the profile
// service. No I/O: the service reads the file, edits it here and writes the
// result back.

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "text/Text.h"

namespace os {

class ProfileText {
 public:
  explicit ProfileText(const Text& content);

  std::optional<Text> Value(const Text& section, const Text& key) const;
  std::vector<Text> SectionNames() const;
  std::vector<Text> KeyNames(const Text& section) const;

  // False, and nothing changed, when the line would not read back as written.
  bool SetValue(const Text& section, const Text& key, const Text& value);
  void RemoveKey(const Text& section, const Text& key);
  void RemoveSection(const Text& section);

  // The whole text; unchanged lines keep their bytes and line endings.
  Text Content() const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    Text body;    // without its line ending
    Text ending;  // "\r\n", "\n" or empty (last line)
    Kind kind = Kind::Other;
    Text name;         // section or key name, trimmed
    int section = -1;  // index of the header line this line belongs to
  };

  static Line Classify(Text body, Text ending);
  void Renumber();
  bool InSection(const Line& line, const Text& section) const;
  // Index of the first key line of `key` in a section named `section`, or -1.
  int FindKey(const Text& section, const Text& key) const;
  void Insert(size_t at, Line line);
  void RemoveLines(const std::function<bool(const Line&)>& unwanted);

  std::vector<Line> lines_;
  // The first key line of each section and key name, by their folded names,
  // so that a lookup does not walk the file.
  std::unordered_map<Text, int> firstKeyLine_;
};

}  // namespace os
