// The library's general record set: binds every column of whatever statement it runs as a
// field of its own, and wraps each framework operation with a context name, a last-error
// record and the capture of the framework's exceptions.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/db/CDBField.h"
#include "data/db/LastError.h"
#include "zqplatform/recordset.h"

class CODBCRecordset : public CRecordset {
 public:
  explicit CODBCRecordset(CDatabase* db);
  ~CODBCRecordset() override;

  void SetContext(const char* name) { m_error.SetContext(name); }

  // flags: bit 1 shows messages for this open, bit 2 for field-lookup failures.
  int32_t Open(const std::string& sql, uint32_t openType, uint32_t options, uint32_t flags);

  bool Edit(bool show);
  bool AddNew(bool show);
  bool CancelUpdate(bool show);
  bool Delete(bool show);
  bool Update(bool show);
  bool Move(int32_t rows, uint16_t fetchType, bool show);
  bool MoveFirst(bool show);
  bool MoveLast(bool show);
  bool MoveNext(bool show);
  bool MovePrev(bool show);
  bool SetAbsolutePosition(int32_t row, bool show);
  bool GetBookmark(CDBVariant& bookmark, bool show);
  bool SetBookmark(const CDBVariant& bookmark, bool show);

  bool IsFound() const { return !IsBOF() && !IsEOF(); }
  int32_t GetRecordCount(bool exact);

  // The field of a column, or the spare field after a recorded failure.
  CDBField& Field(int32_t n);
  // The column of a name (case-blind), or -999 after a recorded failure.
  int32_t GetFieldID(const std::string& name);
  std::string GetFieldName(int32_t n) const;
  CDBField& SpareField() { return m_spare; }

  const zqv::db::LastError& LastErrorRecord() const { return m_error; }

 protected:
  void DoFieldExchange(CFieldExchange* pFX) override;
  void PreBindFields() override;

 private:
  void BuildFieldSet();
  void FreeFieldSet();
  void FieldFailure(int32_t code, std::string text);

  bool m_bFieldMessages = false;
  zqv::db::LastError m_error;
  bool m_bReportMissing = true;
  bool m_bSavedReport = true;
  std::unique_ptr<CDBField[]> m_fields;
  uint32_t m_nCapacity = 0;
  std::unordered_map<std::string, int32_t> m_nameMap;  // upper-case name to column
  std::vector<std::string> m_names;                    // column to its key
  bool m_bBindOnce = false;
  CDBField m_spare;
};
