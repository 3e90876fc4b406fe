#pragma once
// The configuration file: an INI file reached through the profile service.
//
// Every operation from WriteValue to KeyNames takes an optional file path as
// its last argument: absent, the bound path is used; given, that path is used
// for this call only and the bound path stays as it is.

#include <memory>
#include <optional>

#include "text/Text.h"

class IniFile {
 public:
  IniFile() = default;
  IniFile(const IniFile&) = default;
  IniFile& operator=(const IniFile&) = default;

  // Frees the bound path (it is empty afterwards).
  virtual void Release();
  // A new, independent object with a copy of the bound path.
  virtual std::unique_ptr<IniFile> Clone() const;
  // Binds the path; the file is not touched and need not exist.
  virtual void SetFilePath(const Text& path);
  // Writes key=value, creating the file, section or key as needed.
  virtual bool WriteValue(const Text& section, const Text& key, const Text& value,
                          const std::optional<Text>& file = std::nullopt);
  // The value, or defaultText when the section or key does not exist; cut to
  // at most 254 bytes (never inside a character), then trimmed of blanks
  // (ASCII and full-width spaces).
  virtual Text ReadText(const Text& section, const Text& key, const Text& defaultText = Text(),
                        const std::optional<Text>& file = std::nullopt);
  // The value as an integer, or defaultValue when the key does not exist.
  virtual int ReadInt(const Text& section, const Text& key, int defaultValue = 0,
                      const std::optional<Text>& file = std::nullopt);
  virtual bool DeleteSection(const Text& section, const std::optional<Text>& file = std::nullopt);
  // Deleting a key that is not there is no error.
  virtual bool DeleteKey(const Text& section, const Text& key,
                         const std::optional<Text>& file = std::nullopt);
  // All names in file order, joined by "\r\n" with none after the last; the
  // empty text when there are none. Every name is listed, however many.
  virtual Text SectionNames(const std::optional<Text>& file = std::nullopt);
  virtual Text KeyNames(const Text& section, const std::optional<Text>& file = std::nullopt);
  // A copy of the bound path (empty when none is bound).
  virtual Text FilePath() const;

  virtual ~IniFile() = default;

 private:
  const Text& PathFor(const std::optional<Text>& file) const;

  Text filePath_;
};
