// The scan thread.
#include <algorithm>
#include <string>
#include <vector>

#include "LeftOut.h"
#include "app/MainWindow.h"
#include "app/Scan.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "zqruntime/dirlist.h"

namespace {

// Writes the left-out file; the final status line, naming the file when entries were left out
// and counting the unreadable folders among them.
std::string ReportLeftOut(std::string_view root, const std::vector<LEFTOUTENTRY>& leftOut) {
  const int32_t written = WRITELEFTOUT(root, leftOut);
  if (leftOut.empty()) return "Ready";
  std::string count = "Ready - " + LEFTOUTCOUNT(leftOut.size()) + " left out";
  const auto unreadable = std::count_if(leftOut.begin(), leftOut.end(),
                                        [](const LEFTOUTENTRY& e) { return e.reason == LeftOutReason::Unreadable; });
  if (unreadable > 0) count += ", " + std::to_string(unreadable) + " unreadable";
  return count + (written > 0 ? ", see " : "; not written: ") + std::string(kLeftOutFile);
}

}  // namespace

void SCANDIRTH(std::string_view group) {
  zq::rt::Record parameter(SharedLayout(T1GROUPTYPE()));
  parameter.AssignBytes(group);
  const auto thread = static_cast<uint32_t>(T1GROUPF.THREADNR(parameter));
  RUNJOB(kScanEnded, thread, [&] {
    // A root typed as a POSIX path is scanned in its drive-letter form.
    const std::string root = CHECKPATH(zq::rt::WindowsForm(T1GROUPF.ROOT(parameter)));
    QDIR.Free();
    MFQ.Free();
    CLEARLEFTOUT();
    TI.START();
    SCANDIR(QDIR, root, 0);

    UPDATESTATUS(0, ReportLeftOut(root, SCANLEFTOUT()));
  });
}
