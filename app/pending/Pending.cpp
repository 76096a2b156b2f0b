// Stand-ins of the windows and jobs still to come: each job ends at once, each window says
// that it is still to come.
#include "app/Explorer.h"
#include "app/Pass.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"

namespace {
void EndAtOnce(std::string_view group, const zq::rt::RecordLayout& layout, int32_t event) {
  zq::rt::Record parameter(std::shared_ptr<const zq::rt::RecordLayout>(&layout, [](const zq::rt::RecordLayout*) {}));
  parameter.AssignBytes(group);
  POSTJOBEND(event, static_cast<uint32_t>(parameter.Whole("THREADNR")));
}
}  // namespace

void WRITESCRIPTTH(std::string_view group) { EndAtOnce(group, T2GROUPTYPE(), kPassEnded); }

void SETTINGS() { MBOX("The settings window comes with a later version of Orvid.", 3000, 0, MWHANDLE); }

void DUNECOMMANDER(std::string_view) {
  MBOX("The explorer comes with a later version of Orvid.", 3000, 0, 0);
  EXPTHREAD = 0;
  EXPRUNNING = 0;
}
