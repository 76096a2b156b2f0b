#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "wrappers/Created.h"
#include "wrappers/HostArgs.h"

using namespace hostlib::detail;

REVARRAY::REVARRAY()
    : RAHANDLE(Created(RACreate(), {"Critical System Error Creating RevArray Object.", "RevArray.Construct"},
                       INTERROR)) {}

void REVARRAY::DESTRUCT() { Destructed(RAHANDLE, INTERROR, RADestroy); }

int32_t REVARRAY::SETDELIM(std::string_view delimiters) {
  return Status(INTERROR, RASetDelim(RAHANDLE, Len(delimiters), Ptr(delimiters)));
}

int32_t REVARRAY::SETS(std::string_view value, int32_t field, int32_t valueNo, int32_t subvalue) {
  return Status(INTERROR, RASetS(RAHANDLE, Len(value), Ptr(value), field, valueNo, subvalue));
}

int32_t REVARRAY::SETL(int32_t number, int32_t field, int32_t valueNo, int32_t subvalue) {
  return Status(INTERROR, RASetL(RAHANDLE, number, field, valueNo, subvalue));
}

std::string REVARRAY::GET(int32_t field, int32_t valueNo, int32_t subvalue) {
  return FIX(RAGet(RAHANDLE, &INTERROR, field, valueNo, subvalue));
}

int32_t REVARRAY::GETL(int32_t field, int32_t valueNo, int32_t subvalue) {
  return RAGetL(RAHANDLE, &INTERROR, field, valueNo, subvalue);
}

int32_t REVARRAY::LOCATE(std::string_view text, int32_t field, int32_t valueNo) {
  return Value(INTERROR, RALocate(RAHANDLE, Len(text), Ptr(text), field, valueNo));
}

int32_t REVARRAY::FIELDCOUNT() { return Value(INTERROR, RAFieldCount(RAHANDLE)); }

int32_t REVARRAY::READARRAY(std::string_view file, int32_t count, int32_t offset, uint32_t access, uint32_t share,
                            uint32_t disposition, uint32_t flags) {
  return Value(INTERROR,
               RAReadFromFile(RAHANDLE, Len(file), Ptr(file), count, offset, access, share, disposition, flags));
}

int32_t REVARRAY::WRITEARRAY(std::string_view file, int32_t count, int32_t offset, uint32_t access, uint32_t share,
                             uint32_t disposition, uint32_t flags) {
  return Value(INTERROR,
               RAWriteToFile(RAHANDLE, Len(file), Ptr(file), count, offset, access, share, disposition, flags));
}
