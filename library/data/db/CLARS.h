// A record set registered in a database object.
#pragma once
#include "data/db/CODBCRecordset.h"

class CLARS : public CODBCRecordset {
 public:
  explicit CLARS(CDatabase* db) : CODBCRecordset(db) {}
  ~CLARS() override = default;
};
