#include "platform/os/ProfileText.h"

#include <string>
#include <unordered_set>

namespace os {
namespace {

const Text kNewLine = "\r\n";

bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

Text TrimWhite(const Text& t) {
  size_t begin = 0;
  size_t end = t.size();
  while (begin < end && IsWhite(t[begin])) ++begin;
  while (end > begin && IsWhite(t[end - 1])) --end;
  return t.substr(begin, end - begin);
}

char FoldAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names compare without regard to the case of ASCII letters. The second byte
// of a GBK character may look like a letter, so only single-byte characters
// are folded.
bool SameName(const Text& a, const Text& b) {
  if (a.size() != b.size()) return false;
  for (int p = 1; p <= length(a); p += CharacterLength(a, p)) {
    if (CharacterLength(a, p) == 2) {
      if (mid(a, p, 2) != mid(b, p, 2)) return false;
    } else if (FoldAscii(a[p - 1]) != FoldAscii(b[p - 1])) {
      return false;
    }
  }
  return true;
}

// The name with its single-byte ASCII letters in upper case: two names are
// the same name when their folded forms are equal.
Text FoldedName(const Text& name) {
  Text folded = name;
  for (int p = 1; p <= length(name); p += CharacterLength(name, p)) {
    if (CharacterLength(name, p) == 1) folded[p - 1] = FoldAscii(name[p - 1]);
  }
  return folded;
}

// One text for a section and key pair; the section's length keeps any two
// pairs apart.
Text KeyIndexOf(const Text& section, const Text& key) {
  return std::to_string(section.size()) + ":" + FoldedName(section) + FoldedName(key);
}

bool HasLineBreakOrZero(const Text& t) {
  return t.find_first_of(Text("\r\n\0", 3)) != Text::npos;
}

// Adds the name unless a name that is the same name is already there.
void AddUnique(std::vector<Text>& names, std::unordered_set<Text>& seen, const Text& name) {
  if (seen.insert(FoldedName(name)).second) names.push_back(name);
}

}  // namespace

ProfileText::ProfileText(const Text& content) {
  size_t start = 0;
  while (start < content.size()) {
    size_t newline = content.find('\n', start);
    if (newline == Text::npos) {
      lines_.push_back(Classify(content.substr(start), Text()));
      break;
    }
    size_t bodyEnd = (newline > start && content[newline - 1] == '\r') ? newline - 1 : newline;
    lines_.push_back(Classify(content.substr(start, bodyEnd - start),
                              content.substr(bodyEnd, newline + 1 - bodyEnd)));
    start = newline + 1;
  }
  Renumber();
}

ProfileText::Line ProfileText::Classify(Text body, Text ending) {
  Line line;
  line.body = std::move(body);
  line.ending = std::move(ending);
  Text trimmed = TrimWhite(line.body);
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') return line;
  if (trimmed[0] == '[') {
    // "]" may be the second byte of a GBK character: search by character.
    int close = find(trimmed, "]");
    line.kind = Kind::Section;
    line.name = TrimWhite(close < 0 ? trimmed.substr(1) : trimmed.substr(1, close - 2));
    return line;
  }
  size_t equals = trimmed.find('=');  // never the second byte of a GBK character
  if (equals != Text::npos) {
    line.kind = Kind::Key;
    line.name = TrimWhite(trimmed.substr(0, equals));
  }
  return line;
}

void ProfileText::Renumber() {
  int current = -1;
  firstKeyLine_.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    Line& line = lines_[i];
    if (line.kind == Kind::Section) current = static_cast<int>(i);
    line.section = current;
    if (line.kind == Kind::Key && current >= 0) {
      firstKeyLine_.emplace(KeyIndexOf(lines_[current].name, line.name), static_cast<int>(i));
    }
  }
}

bool ProfileText::InSection(const Line& line, const Text& section) const {
  return line.section >= 0 && SameName(lines_[line.section].name, section);
}

int ProfileText::FindKey(const Text& section, const Text& key) const {
  auto found = firstKeyLine_.find(KeyIndexOf(section, key));
  return found == firstKeyLine_.end() ? -1 : found->second;
}

std::optional<Text> ProfileText::Value(const Text& section, const Text& key) const {
  int at = FindKey(TrimWhite(section), TrimWhite(key));
  if (at < 0) return std::nullopt;
  const Text& body = lines_[at].body;
  return TrimWhite(body.substr(body.find('=') + 1));
}

std::vector<Text> ProfileText::SectionNames() const {
  std::vector<Text> names;
  std::unordered_set<Text> seen;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Section) AddUnique(names, seen, line.name);
  }
  return names;
}

std::vector<Text> ProfileText::KeyNames(const Text& section) const {
  Text wanted = TrimWhite(section);
  std::vector<Text> names;
  std::unordered_set<Text> seen;
  for (const Line& line : lines_) {
    if (line.kind == Kind::Key && InSection(line, wanted)) AddUnique(names, seen, line.name);
  }
  return names;
}

void ProfileText::Insert(size_t at, Line line) {
  // The line before a new one may be the file's last, without a line ending.
  if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = kNewLine;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  Renumber();
}

bool ProfileText::SetValue(const Text& section, const Text& key, const Text& value) {
  Text sectionName = TrimWhite(section);
  Text keyName = TrimWhite(key);
  if (sectionName.empty() || keyName.empty()) return false;
  if (HasLineBreakOrZero(sectionName) || HasLineBreakOrZero(keyName) || HasLineBreakOrZero(value)) {
    return false;
  }
  // Each name must come back from its own line as written. This refuses a
  // "]" in the section name, a "=" in the key, a key that starts a header or
  // a comment, and a lone GBK lead byte at the end of a section name, which
  // would take the closing "]" as its second byte.
  Line header = Classify("[" + sectionName + "]", kNewLine);
  Line keyLine = Classify(keyName + "=" + value, kNewLine);
  if (header.kind != Kind::Section || header.name != sectionName) return false;
  if (keyLine.kind != Kind::Key || keyLine.name != keyName) return false;

  int existing = FindKey(sectionName, keyName);
  if (existing >= 0) {
    // Keep the name as the file spells it, and the line's place and ending.
    Line& line = lines_[existing];
    line.body = line.name + "=" + value;
    return true;
  }
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::Section || !SameName(lines_[i].name, sectionName)) continue;
    // After the section's last key line (or its header), before the blank and
    // comment lines that end it.
    size_t at = i + 1;
    for (size_t j = i + 1; j < lines_.size() && lines_[j].section == static_cast<int>(i); ++j) {
      if (lines_[j].kind == Kind::Key) at = j + 1;
    }
    Insert(at, std::move(keyLine));
    return true;
  }
  Insert(lines_.size(), std::move(header));
  Insert(lines_.size(), std::move(keyLine));
  return true;
}

void ProfileText::RemoveKey(const Text& section, const Text& key) {
  Text sectionName = TrimWhite(section);
  Text keyName = TrimWhite(key);
  RemoveLines([&](const Line& line) {
    return line.kind == Kind::Key && SameName(line.name, keyName) && InSection(line, sectionName);
  });
}

void ProfileText::RemoveSection(const Text& section) {
  Text sectionName = TrimWhite(section);
  RemoveLines([&](const Line& line) { return InSection(line, sectionName); });
}

void ProfileText::RemoveLines(const std::function<bool(const Line&)>& unwanted) {
  // Decide for every line first: the test looks at the header lines.
  std::vector<Line> kept;
  for (const Line& line : lines_) {
    if (!unwanted(line)) kept.push_back(line);
  }
  lines_ = std::move(kept);
  Renumber();
}

Text ProfileText::Content() const {
  Text content;
  for (const Line& line : lines_) content += line.body + line.ending;
  return content;
}

}  // namespace os
