// Win32_Environment (the system's /etc/environment and the process's own variables) and
// Win32_UserAccount (the accounts of /etc/passwd).
#include <unistd.h>

#include "ClassDef.h"
#include "Machine.h"

extern char** environ;

namespace zq::wmi {

namespace {

constexpr PropertyDef kEnvironmentProperties[] = {
    {"Caption", CIM_STRING},  {"Description", CIM_STRING},     {"Name", CIM_STRING},
    {"Status", CIM_STRING},   {"SystemVariable", CIM_BOOLEAN}, {"UserName", CIM_STRING},
    {"VariableValue", CIM_STRING},
};

Record Variable(const ClassDef& self, const std::string& user, const std::string& name, const std::string& value,
                bool system) {
  Record r = self.NewRecord();
  self.Set(r, "Name", name);
  self.Set(r, "VariableValue", value);
  self.Set(r, "UserName", user);
  self.Set(r, "SystemVariable", system);
  self.Set(r, "Caption", user + "\\" + name);
  self.Set(r, "Description", user + "\\" + name);
  self.Set(r, "Status", "OK");
  return r;
}

std::vector<Record> ReadEnvironment(const SystemFiles& system, const ClassDef& self) {
  std::vector<Record> records;
  for (const auto& [name, value] : Assignments(system.Read("/etc/environment").value_or(""))) {
    if (!name.empty()) records.push_back(Variable(self, "<SYSTEM>", name, value, true));
  }
  std::string user = QualifiedUserName().Text();
  for (char** entry = environ; entry && *entry; ++entry) {
    std::string_view text(*entry);
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    records.push_back(Variable(self, user, std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)), false));
  }
  return records;
}

constexpr PropertyDef kAccountProperties[] = {
    {"AccountType", CIM_UINT32},  {"Caption", CIM_STRING},        {"Description", CIM_STRING},
    {"Disabled", CIM_BOOLEAN},    {"Domain", CIM_STRING},         {"FullName", CIM_STRING},
    {"LocalAccount", CIM_BOOLEAN}, {"Lockout", CIM_BOOLEAN},      {"Name", CIM_STRING},
    {"PasswordRequired", CIM_BOOLEAN}, {"SID", CIM_STRING},       {"SIDType", CIM_UINT8},
    {"Status", CIM_STRING},
};

std::vector<std::string> Split(std::string_view line, char separator) {
  std::vector<std::string> parts;
  for (;;) {
    std::size_t at = line.find(separator);
    parts.emplace_back(line.substr(0, at));
    if (at == std::string_view::npos) return parts;
    line.remove_prefix(at + 1);
  }
}

std::vector<Record> ReadAccounts(const SystemFiles& system, const ClassDef& self) {
  std::vector<Record> records;
  const std::string domain = ComputerNameUtf8();
  std::string text = system.Read("/etc/passwd").value_or("");
  for (const std::string& line : Split(text, '\n')) {
    auto fields = Split(line, ':');
    if (fields.size() < 7 || fields[0].empty() || fields[0][0] == '#') continue;
    auto uid = LeadingNumber(fields[2]);
    if (!uid) continue;
    const std::string& shell = fields[6];
    Record r = self.NewRecord();
    self.Set(r, "Name", fields[0]);
    self.Set(r, "Domain", domain);
    self.Set(r, "Caption", domain + "\\" + fields[0]);
    std::string gecos = fields[4];
    if (!gecos.empty()) {
      self.Set(r, "FullName", gecos.substr(0, gecos.find(',')));
      self.Set(r, "Description", gecos);
    }
    // The identifiers that Unix accounts get in Windows networks.
    self.Set(r, "SID", "S-1-22-1-" + std::to_string(*uid));
    self.Set(r, "SIDType", uint32_t{1});
    self.Set(r, "AccountType", uint32_t{512});
    self.Set(r, "LocalAccount", true);
    self.Set(r, "Disabled", shell.ends_with("/nologin") || shell.ends_with("/false"));
    self.Set(r, "Lockout", false);
    self.Set(r, "Status", "OK");
    records.push_back(std::move(r));
  }
  return records;
}

}  // namespace

const ClassDef kEnvironmentClass{"Win32_Environment", kEnvironmentProperties, ReadEnvironment};
const ClassDef kUserAccountClass{"Win32_UserAccount", kAccountProperties, ReadAccounts};

}  // namespace zq::wmi
