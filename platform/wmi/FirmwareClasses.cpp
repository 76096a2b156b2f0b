// Win32_BIOS and Win32_BaseBoard from the firmware's tables (/sys/class/dmi/id).
#include <charconv>

#include "CimTime.h"
#include "ClassDef.h"
#include "Machine.h"

namespace zq::wmi {

namespace {

constexpr PropertyDef kBiosProperties[] = {
    {"BIOSVersion", CIM_STRING | CIM_FLAG_ARRAY}, {"Caption", CIM_STRING},
    {"Description", CIM_STRING},                  {"Manufacturer", CIM_STRING},
    {"Name", CIM_STRING},                         {"PrimaryBIOS", CIM_BOOLEAN},
    {"ReleaseDate", CIM_DATETIME},                {"SerialNumber", CIM_STRING},
    {"SMBIOSBIOSVersion", CIM_STRING},            {"Status", CIM_STRING},
    {"Version", CIM_STRING},
};

// The firmware's "MM/DD/YYYY" as a date-time; null for any other text.
Value ReleaseDate(const Value& date) {
  std::string text = date.Text();
  int32_t month = 0, day = 0, year = 0;
  auto number = [&](std::size_t at, std::size_t len, int32_t& out) {
    if (text.size() < at + len) return false;
    auto [end, error] = std::from_chars(text.data() + at, text.data() + at + len, out);
    return error == std::errc() && end == text.data() + at + len;
  };
  if (text.size() != 10 || text[2] != '/' || text[5] != '/' || !number(0, 2, month) || !number(3, 2, day) ||
      !number(6, 4, year) || month < 1 || month > 12 || day < 1 || day > 31) {
    return {};
  }
  return CimDate(year, month, day);
}

std::vector<Record> ReadBios(const SystemFiles& system, const ClassDef& self) {
  Record r = self.NewRecord();
  Value vendor = Dmi(system, "bios_vendor"), version = Dmi(system, "bios_version");
  Value release = Dmi(system, "bios_release");
  self.Set(r, "Manufacturer", vendor);
  self.Set(r, "Name", version);
  self.Set(r, "Caption", version);
  self.Set(r, "Description", version);
  self.Set(r, "SMBIOSBIOSVersion", version);
  if (!vendor.IsNull() && !version.IsNull()) self.Set(r, "Version", vendor.Text() + " - " + version.Text());
  TextList versions;
  if (!version.IsNull()) versions.push_back(version.Text());
  if (!vendor.IsNull() && !release.IsNull()) versions.push_back(vendor.Text() + " - " + release.Text());
  if (!versions.empty()) self.Set(r, "BIOSVersion", versions);
  self.Set(r, "ReleaseDate", ReleaseDate(Dmi(system, "bios_date")));
  self.Set(r, "SerialNumber", Dmi(system, "product_serial"));
  self.Set(r, "PrimaryBIOS", true);
  self.Set(r, "Status", "OK");
  return {r};
}

constexpr PropertyDef kBoardProperties[] = {
    {"Caption", CIM_STRING},      {"HostingBoard", CIM_BOOLEAN}, {"Manufacturer", CIM_STRING},
    {"Name", CIM_STRING},         {"Product", CIM_STRING},       {"SerialNumber", CIM_STRING},
    {"Status", CIM_STRING},       {"Tag", CIM_STRING},           {"Version", CIM_STRING},
};

std::vector<Record> ReadBoard(const SystemFiles& system, const ClassDef& self) {
  Record r = self.NewRecord();
  self.Set(r, "Manufacturer", Dmi(system, "board_vendor"));
  self.Set(r, "Product", Dmi(system, "board_name"));
  self.Set(r, "Version", Dmi(system, "board_version"));
  self.Set(r, "SerialNumber", Dmi(system, "board_serial"));
  for (const char* name : {"Caption", "Name", "Tag"}) self.Set(r, name, "Base Board");
  self.Set(r, "HostingBoard", true);
  self.Set(r, "Status", "OK");
  return {r};
}

}  // namespace

const ClassDef kBiosClass{"Win32_BIOS", kBiosProperties, ReadBios};
const ClassDef kBaseBoardClass{"Win32_BaseBoard", kBoardProperties, ReadBoard};

}  // namespace zq::wmi
