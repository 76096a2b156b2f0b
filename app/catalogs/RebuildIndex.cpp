// Rebuilding a catalog from the folder list.
#include <optional>
#include <string>

#include "CatalogText.h"
#include "app/Catalogs.h"
#include "app/MainWindow.h"
#include "hostlib/Procedures.h"

namespace {

using orvid::catalogs::Report;

constexpr const char* kIndexes[] = {"(All)", "0", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",
                                    "M",     "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};

}  // namespace

bool REBUILDINDEX(zq::rt::Queue& q, std::string_view root, CatalogKind kind, const PASSSETTINGS& s) {
  const uint32_t reported = orvid::catalogs::ReportsMade();
  if (TLEN(root) == 0) return Report("Error Invalid Path.", "RebuildIndex", root, -1);
  const uint32_t n = q.Records();
  if (n == 0) return Report("Error No Data available.", "RebuildIndex", "Run Scan Root First.", -1);
  UPDATESTATUS(0, "Removing Old Catalog, Please Wait.");
  if (kind != CatalogKind::Video && kind != CatalogKind::Audio) return false;
  const std::string catalog =
      CHECKPATH(WithoutTrailingBlanks(root)) + (kind == CatalogKind::Video ? "_CatVideo\\" : "_CatAudio\\");
  if (const int16_t result = DELETETREE(catalog, 1); result != 0) {
    return Report("Error Deleting Catalog - Delete it Manually Please.", "RebuildIndex", catalog, result);
  }
  UPDATESTATUS(0, "Creating new Root for Catalog.");
  if (MAKEROOTDIR(catalog, kind, s) != 0) return false;
  UPDATESTATUS(0, "Building Movie Catalog.");
  for (uint32_t i = 1; i <= n; ++i) {
    const std::optional<zq::rt::Record> r = q.Peek(i);
    if (!r) return Report("Error Reading Mem Queue.", "RebuildIndex", "", zq::rt::kQueueEntryNotFound);
    if (WRITECATALOG(*r, catalog, root, kind, s) != 0) return false;
    UPDATESTATUS(static_cast<int32_t>(100.0 / n * i), "");
  }
  if ((kind == CatalogKind::Video ? s.REMEMPTYV : s.REMEMPTYA) == 0) {
    UPDATESTATUS(0, "Cleaning Up.");
    for (const char* index : kIndexes) MAKEDIR(catalog + index, index, s);
  }
  // An index picture that could not be copied was reported, and the catalog went on without it.
  if (orvid::catalogs::ReportsMade() != reported) {
    UPDATESTATUS(0, orvid::catalogs::LastReported());
    return false;
  }
  UPDATESTATUS(0, "Ready.");
  return true;
}
