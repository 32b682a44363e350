// Another program started for a benchmark: its standard output read line by line on a
// thread of its own, each line stamped with the time it arrived; ended with SIGTERM.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/SimTrace.h"

namespace vigil::bench {

class ChildProgram {
 public:
  /// Starts `arguments[0]` with the given environment additions ("NAME=value").
  explicit ChildProgram(const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment = {});
  ~ChildProgram();
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }

  /// SIGTERM and wait; safe to call twice.
  void Stop();

  /// The lines so far; times in ms since `origin`.
  std::vector<TraceLine> Lines(std::chrono::steady_clock::time_point origin);
  void ClearLines();

 private:
  void ReadLines(int fd);

  pid_t pid_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::vector<std::pair<std::chrono::steady_clock::time_point, std::string>> lines_;
};

}  // namespace vigil::bench
