#pragma once
// A fresh directory under /tmp for one test, removed with everything in it
// when the object goes.

#include <stdlib.h>

#include <filesystem>
#include <string>

class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::string pattern = "/tmp/korvello-test-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryDirectory() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  // Empty when no directory could be made.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};
