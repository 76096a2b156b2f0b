// The rights of an ordinary user for a part of a test. Run as root, the process takes the
// effective user and group ids of "nobody" for the object's life: root's capabilities leave
// with its effective id (and come back with it), so permission bits hold as for any user.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace zqtest {

class OrdinaryUser {
 public:
  // probe: a path that no ordinary user may read, to check that the rights are gone.
  explicit OrdinaryUser(const std::filesystem::path& probe) {
    if (geteuid() == 0) {
      group_ = setegid(kNobody) == 0;
      user_ = group_ && seteuid(kNobody) == 0;
      if (!user_) {
        refused_ = "root's rights cannot be dropped here (seteuid to nobody refused)";
        Back();
        return;
      }
    }
    if (const int fd = open(probe.c_str(), O_RDONLY); fd >= 0) {
      close(fd);
      refused_ = "permission bits do not hold here: " + probe.filename().string() + " stays readable";
    }
  }
  ~OrdinaryUser() { Back(); }
  OrdinaryUser(const OrdinaryUser&) = delete;
  OrdinaryUser& operator=(const OrdinaryUser&) = delete;

  // Empty when the rights are an ordinary user's; else why not, for the test's skip.
  const std::string& Refused() const { return refused_; }

 private:
  static constexpr uid_t kNobody = 65534;

  void Back() {
    if (user_) user_ = seteuid(0) != 0;
    if (group_) group_ = setegid(0) != 0;
  }

  bool user_ = false, group_ = false;  // switched, to switch back
  std::string refused_;
};

}  // namespace zqtest
