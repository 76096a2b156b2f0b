// The scan thread.
#include <string>

#include "LeftOut.h"
#include "app/MainWindow.h"
#include "app/Scan.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "zqruntime/dirlist.h"

void SCANDIRTH(std::string_view group) {
  zq::rt::Record parameter(std::shared_ptr<const zq::rt::RecordLayout>(&T1GROUPTYPE(), [](const auto*) {}));
  parameter.AssignBytes(group);
  const auto thread = static_cast<uint32_t>(parameter.Whole("THREADNR"));
  RUNJOB(kScanEnded, thread, [&] {
    // A root typed as a POSIX path is scanned in its drive-letter form.
    const std::string root = CHECKPATH(zq::rt::WindowsForm(parameter.Text("ROOT")));
    QDIR.Free();
    MFQ.Free();
    CLEARLEFTOUT();
    TI.START();
    SCANDIR(QDIR, root, 0);

    const size_t leftOut = SCANLEFTOUT().size();
    UPDATESTATUS(0, leftOut == 0
                        ? std::string("Ready")
                        : "Ready - " + std::to_string(leftOut) + " entries left out (names, paths or links)");
  });
}
