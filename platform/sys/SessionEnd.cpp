// Ending the session through the login manager's command-line tools.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "zqplatform/system.h"

extern char** environ;

namespace zq::sys {

namespace {

int RunCommand(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t child = 0;
  if (argv.empty() || posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::atomic<CommandRunner> runner{nullptr};

// The command for a request; empty for flags that name none.
std::vector<std::string> CommandFor(uint32_t flags) {
  const uint32_t request = flags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF);
  if (request == EWX_LOGOFF) {
    const char* session = std::getenv("XDG_SESSION_ID");
    if (session && *session) return {"loginctl", "--no-ask-password", "terminate-session", session};
    return {"loginctl", "--no-ask-password", "terminate-user", std::to_string(getuid())};
  }
  std::vector<std::string> command{"systemctl", "--no-ask-password"};
  // Ending applications without asking them overrides what they hold the shutdown off with.
  if (flags & EWX_FORCE) command.push_back("--ignore-inhibitors");
  if (request & EWX_POWEROFF) {
    command.push_back("poweroff");
  } else if (request & EWX_REBOOT) {
    command.push_back("reboot");
  } else {
    command.push_back("halt");
  }
  return command;
}

}  // namespace

void SetCommandRunner(CommandRunner r) { runner.store(r); }

bool ExitWindowsEx(uint32_t flags, uint32_t /*reason*/) {
  CommandRunner run = runner.load();
  return (run ? run : RunCommand)(CommandFor(flags)) == 0;
}

}  // namespace zq::sys
