// A second process that opens a file and keeps it open until it is released or killed.
#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace zqtest {

class HoldingProcess {
 public:
  // open runs in the child; its answer tells whether the child holds the file.
  explicit HoldingProcess(const std::function<bool()>& open) {
    if (pipe(ready_) != 0 || pipe(done_) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      char c = open() ? '1' : '0';
      (void)!write(ready_[1], &c, 1);
      (void)!read(done_[0], &c, 1);
      _exit(0);
    }
    char c = 0;
    holding_ = child_ > 0 && read(ready_[0], &c, 1) == 1 && c == '1';
  }
  ~HoldingProcess() {
    Release();
    for (int fd : {ready_[0], ready_[1], done_[0], done_[1]})
      if (fd >= 0) close(fd);
  }
  HoldingProcess(const HoldingProcess&) = delete;
  HoldingProcess& operator=(const HoldingProcess&) = delete;

  bool holding() const { return holding_; }

  // Lets the child close the file and end, and waits for it.
  void Release() {
    if (child_ <= 0) return;
    char c = 0;
    (void)!write(done_[1], &c, 1);
    waitpid(child_, nullptr, 0);
    child_ = -1;
  }

  // Ends the child at once, as kill -9 does, and waits for it; true when the signal ended it.
  bool Kill() {
    if (child_ <= 0) return false;
    kill(child_, SIGKILL);
    int status = 0;
    const bool killed = waitpid(child_, &status, 0) == child_ && WIFSIGNALED(status);
    child_ = -1;
    return killed;
  }

 private:
  int ready_[2] = {-1, -1};
  int done_[2] = {-1, -1};
  pid_t child_ = -1;
  bool holding_ = false;
};

}  // namespace zqtest
