#pragma once
// A file in a directory of its own under the system's temporary directory,
// removed with the object.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace vx::test {

class TempFile {
 public:
  explicit TempFile(const std::string& content, const std::string& name = "cards.txt") {
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() / ("vx-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / name).string();
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }
  std::string dir() const { return dir_.string(); }
  // A path in the same directory that names no file.
  std::string absent() const { return (dir_ / "absent.txt").string(); }

 private:
  std::filesystem::path dir_;
  std::string path_;
};

}  // namespace vx::test
