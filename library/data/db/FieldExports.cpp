// The RS field exports: getters, setters and type queries by column number and by name.
#include <cstring>

#include "data/db/CLARS.h"
#include "data/db/DbCodes.h"
#include "data/db/ExportSupport.h"
#include "frame/Exports.h"
#include "zqvantor/data.h"

using namespace zqv::db;

namespace {

// How a getter or setter names its column.
struct ByNumber {
  int32_t column;
};
struct ByName {
  int32_t length;
  const char* text;
};

CDBField& FieldOf(CLARS& set, const ByNumber& at, const std::string&) { return set.Field(at.column); }
CDBField& FieldOf(CLARS& set, const ByName&, const std::string& name) {
  const int32_t id = set.GetFieldID(name);
  return id == kFieldNotFound ? set.SpareField() : set.Field(id);
}

bool NullName(const ByNumber&) { return false; }
bool NullName(const ByName& at) { return at.text == nullptr; }
// The trimmed name (empty for a number), and whether it is usable.
bool NameOf(const ByNumber&, std::string&) { return true; }
bool NameOf(const ByName& at, std::string& name) {
  name = TrimBlanks(zqv::HostText(at.length, at.text));
  return !name.empty();
}

// The field a getter reads: the spare field after a column failure; null (with the code) when
// the record set cannot be reached.
template <class At>
CDBField* ReadField(int32_t db, int32_t rs, const At& at, int32_t& code) {
  code = 0;
  if (NullName(at)) {
    code = kNoName;
    return nullptr;
  }
  CLASQL* database = LookupDatabase(db, &code);
  if (!database) return nullptr;
  std::string name;
  if (!NameOf(at, name)) {
    code = kNoName;
    return nullptr;
  }
  CLARS* set = database->GetOpenRecordset(rs, &code);
  if (!set) return nullptr;
  return &FieldOf(*set, at, name);
}

template <class R, class At, class Conv>
R Get(int32_t db, int32_t rs, int32_t* err, const At& at, Conv&& conv) {
  return zqv::Export<R>(R{}, [&]() -> R {
    int32_t code = 0;
    CDBField* field = ReadField(db, rs, at, code);
    zqv::SetCode(err, code);
    return field ? static_cast<R>(conv(*field)) : R{};
  });
}

template <class At>
BSTR GetText(int32_t db, int32_t rs, int32_t* err, const At& at) {
  return zqv::ExportText(err, [&]() -> BSTR {
    int32_t code = 0;
    CDBField* field = ReadField(db, rs, at, code);
    if (!field) return zqv::Fail(err, code);
    return zqv::TextResult(field->AsString());
  });
}

template <class At>
int32_t GetDate(int32_t db, int32_t rs, const At& at, int32_t size, void* record) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    if (NullName(at)) {
      if (record && size == static_cast<int32_t>(sizeof(SYSTEMTIME))) std::memset(record, 0, sizeof(SYSTEMTIME));
      return kNoName;
    }
    if (!record || size != static_cast<int32_t>(sizeof(SYSTEMTIME))) return kBadRecord;
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) {
      std::memset(record, 0, sizeof(SYSTEMTIME));
      return code;
    }
    CDBField* field = ReadField(db, rs, at, code);
    if (code == kNoName) {
      std::memset(record, 0, sizeof(SYSTEMTIME));
      return kNoName;
    }
    const COleDateTime date = field ? field->AsDate() : database->m_defaultDate;
    SYSTEMTIME st{};
    if (date.GetStatus() == COleDateTime::valid && VariantTimeToSystemTime(date.m_dt, &st)) {
      std::memcpy(record, &st, sizeof st);
      return 0;
    }
    std::memset(record, 0, sizeof(SYSTEMTIME));
    return kNoDate;
  });
}

// A setter; badRecord (when not 0) is returned after the null-name test, before the look-up.
template <class At, class Apply>
int32_t Set(int32_t db, int32_t rs, const At& at, Apply&& apply, int32_t badRecord = 0) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    if (NullName(at)) return kNoName;
    if (badRecord) return badRecord;
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return code;
    std::string name;
    if (!NameOf(at, name)) return kNoName;
    CLARS* set = database->GetRecordsetForUpdate(rs, &code);
    if (!set) return code;
    apply(FieldOf(*set, at, name));
    return 0;
  });
}

// A host's date record as a date: invalid unless it converts there and back unchanged.
COleDateTime DateOf(const SYSTEMTIME& st) {
  COleDateTime date;
  DATE value = 0;
  SYSTEMTIME back{};
  if (SystemTimeToVariantTime(&st, &value) && VariantTimeToSystemTime(value, &back) && back.wYear == st.wYear &&
      back.wMonth == st.wMonth && back.wDay == st.wDay && back.wHour == st.wHour && back.wMinute == st.wMinute &&
      back.wSecond == st.wSecond) {
    date = COleDateTime(value);
  } else {
    date.m_dt = 0;
    date.SetStatus(COleDateTime::invalid);
  }
  return date;
}

template <class At>
int32_t SetDate(int32_t db, int32_t rs, const At& at, int32_t size, const void* record) {
  const bool bad = !record || size != static_cast<int32_t>(sizeof(SYSTEMTIME));
  SYSTEMTIME st{};
  if (!bad) std::memcpy(&st, record, sizeof st);
  const COleDateTime date = DateOf(st);
  return Set(db, rs, at, [&](CDBField& field) { field.SetDate(date); }, bad ? kBadRecord : 0);
}

int16_t TypeCode(uint32_t type) {
  switch (type) {
    case DBVT_NULL: return 0;
    case DBVT_BOOL: return 1;
    case DBVT_UCHAR: return 2;
    case DBVT_SHORT: return 3;
    case DBVT_LONG: return 4;
    case DBVT_SINGLE: return 5;
    case DBVT_DOUBLE: return 6;
    case DBVT_STRING: return 7;
    case DBVT_DATE: return 8;
    case DBVT_BINARY: return 9;
    default: return -1;
  }
}

template <class At>
int16_t FieldType(int32_t db, int32_t rs, const At& at) {
  return zqv::Export<int16_t>(zqv::kMemoryExhausted, [&]() -> int16_t {
    if (NullName(at)) return kNoName;
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return static_cast<int16_t>(code);
    std::string name;
    if (!NameOf(at, name)) return kNoName;
    if (!database->IsOpen()) return kNotConnected;
    CLARS* set = database->LookupRecordset(rs, &code);
    if (!set) return static_cast<int16_t>(code);
    return TypeCode(FieldOf(*set, at, name).m_dwType);
  });
}

std::string HostValue(int32_t length, const char* text) { return std::string(zqv::HostText(length, text)); }

}  // namespace

ZQV_API int16_t RSGetFieldTypeC(int32_t db, int32_t rs, int32_t column) { return FieldType(db, rs, ByNumber{column}); }
ZQV_API int16_t RSGetFieldTypeN(int32_t db, int32_t rs, int32_t nameLen, const char* name) {
  return FieldType(db, rs, ByName{nameLen, name});
}

ZQV_API int32_t RSGetBoolC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return Get<int32_t>(db, rs, err, ByNumber{column}, [](CDBField& f) { return f.AsBool() ? 1 : 0; });
}
ZQV_API char RSGetCharC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return Get<char>(db, rs, err, ByNumber{column}, [](CDBField& f) { return f.AsChar(); });
}
ZQV_API int16_t RSGetShortC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return Get<int16_t>(db, rs, err, ByNumber{column}, [](CDBField& f) { return f.AsShort(); });
}
ZQV_API int32_t RSGetLongC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return Get<int32_t>(db, rs, err, ByNumber{column}, [](CDBField& f) { return f.AsLong(); });
}
ZQV_API float RSGetFloatC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return Get<float>(db, rs, err, ByNumber{column}, [](CDBField& f) { return f.AsFloat(); });
}
ZQV_API double RSGetDoubleC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return Get<double>(db, rs, err, ByNumber{column}, [](CDBField& f) { return f.AsDouble(); });
}
ZQV_API BSTR RSGetStringC(int32_t db, int32_t rs, int32_t* err, int32_t column) {
  return GetText(db, rs, err, ByNumber{column});
}
ZQV_API int32_t RSGetDateC(int32_t db, int32_t rs, int32_t column, int32_t size, void* record) {
  return GetDate(db, rs, ByNumber{column}, size, record);
}

ZQV_API int32_t RSGetBoolF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return Get<int32_t>(db, rs, err, ByName{nameLen, name}, [](CDBField& f) { return f.AsBool() ? 1 : 0; });
}
ZQV_API char RSGetCharF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return Get<char>(db, rs, err, ByName{nameLen, name}, [](CDBField& f) { return f.AsChar(); });
}
ZQV_API int16_t RSGetShortF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return Get<int16_t>(db, rs, err, ByName{nameLen, name}, [](CDBField& f) { return f.AsShort(); });
}
ZQV_API int32_t RSGetLongF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return Get<int32_t>(db, rs, err, ByName{nameLen, name}, [](CDBField& f) { return f.AsLong(); });
}
ZQV_API float RSGetFloatF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return Get<float>(db, rs, err, ByName{nameLen, name}, [](CDBField& f) { return f.AsFloat(); });
}
ZQV_API double RSGetDoubleF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return Get<double>(db, rs, err, ByName{nameLen, name}, [](CDBField& f) { return f.AsDouble(); });
}
ZQV_API BSTR RSGetStringF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name) {
  return GetText(db, rs, err, ByName{nameLen, name});
}
ZQV_API int32_t RSGetDateF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t size, void* record) {
  return GetDate(db, rs, ByName{nameLen, name}, size, record);
}

ZQV_API int32_t RSSetLongC(int32_t db, int32_t rs, int32_t column, int32_t value) {
  return Set(db, rs, ByNumber{column}, [&](CDBField& f) { f.SetLong(value); });
}
ZQV_API int32_t RSSetBoolC(int32_t db, int32_t rs, int32_t column, int32_t value) __attribute__((alias("RSSetLongC")));
ZQV_API int32_t RSSetCharC(int32_t db, int32_t rs, int32_t column, int32_t c) {
  return Set(db, rs, ByNumber{column}, [&](CDBField& f) { f.SetChar(static_cast<unsigned char>(c)); });
}
ZQV_API int32_t RSSetShortC(int32_t db, int32_t rs, int32_t column, int32_t value) {
  return Set(db, rs, ByNumber{column}, [&](CDBField& f) { f.SetShort(static_cast<int16_t>(value)); });
}
ZQV_API int32_t RSSetFloatC(int32_t db, int32_t rs, int32_t column, float value) {
  return Set(db, rs, ByNumber{column}, [&](CDBField& f) { f.SetFloat(value); });
}
ZQV_API int32_t RSSetDoubleC(int32_t db, int32_t rs, int32_t column, double value) {
  return Set(db, rs, ByNumber{column}, [&](CDBField& f) { f.SetDouble(value); });
}
ZQV_API int32_t RSSetStringC(int32_t db, int32_t rs, int32_t column, int32_t textLen, const char* text) {
  return Set(db, rs, ByNumber{column}, [&](CDBField& f) { f.SetString(HostValue(textLen, text)); });
}
ZQV_API int32_t RSSetDateC(int32_t db, int32_t rs, int32_t column, int32_t size, const void* record) {
  return SetDate(db, rs, ByNumber{column}, size, record);
}

ZQV_API int32_t RSSetLongF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t value) {
  return Set(db, rs, ByName{nameLen, name}, [&](CDBField& f) { f.SetLong(value); });
}
ZQV_API int32_t RSSetBoolF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t value)
    __attribute__((alias("RSSetLongF")));
ZQV_API int32_t RSSetCharF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t c) {
  return Set(db, rs, ByName{nameLen, name}, [&](CDBField& f) { f.SetChar(static_cast<unsigned char>(c)); });
}
ZQV_API int32_t RSSetShortF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t value) {
  return Set(db, rs, ByName{nameLen, name}, [&](CDBField& f) { f.SetShort(static_cast<int16_t>(value)); });
}
ZQV_API int32_t RSSetFloatF(int32_t db, int32_t rs, int32_t nameLen, const char* name, float value) {
  return Set(db, rs, ByName{nameLen, name}, [&](CDBField& f) { f.SetFloat(value); });
}
ZQV_API int32_t RSSetDoubleF(int32_t db, int32_t rs, int32_t nameLen, const char* name, double value) {
  return Set(db, rs, ByName{nameLen, name}, [&](CDBField& f) { f.SetDouble(value); });
}
ZQV_API int32_t RSSetStringF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t textLen,
                             const char* text) {
  return Set(db, rs, ByName{nameLen, name}, [&](CDBField& f) { f.SetString(HostValue(textLen, text)); });
}
ZQV_API int32_t RSSetDateF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t size,
                           const void* record) {
  return SetDate(db, rs, ByName{nameLen, name}, size, record);
}
