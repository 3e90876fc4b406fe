#pragma once
// A fresh directory in the system's temporary folder for one test, removed
// with everything in it when the object goes.

#include <filesystem>
#include <random>
#include <string>

class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) return;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate =
          base / ("korvello-test-" + std::to_string(random()) + std::to_string(random()));
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = candidate;
        return;
      }
    }
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
