// A fresh folder under the system temporary folder, removed with everything in it.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace vigil::training::test {

class TrainingTestFolder {
 public:
  TrainingTestFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("vigil-training-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TrainingTestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TrainingTestFolder(const TrainingTestFolder&) = delete;
  TrainingTestFolder& operator=(const TrainingTestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vigil::training::test
