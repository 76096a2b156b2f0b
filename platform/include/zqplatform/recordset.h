// A record set over one statement of a database, with the record field exchange.
//
// Open runs the statement (a text that does not begin with SELECT, CALL or "{" names a table and
// becomes "SELECT * FROM <text>"), calls PreBindFields, binds what DoFieldExchange exchanges and
// fetches the first record. Open types: dynaset (keyset cursor), snapshot (static), forward only,
// dynamic; the driver may give a different cursor. The record set is updatable when it is not
// read-only (option or connection), not forward-only, and the statement reads the rows of one
// table (no join, DISTINCT, GROUP BY, UNION and the like); appendable likewise, append-only
// sets included.
//
// Edit and AddNew take a copy of the fields (a second Edit keeps the first one's); Update
// writes only the fields that differ from the copy, through statements of its own:
// "UPDATE <table> SET <changed> = ? ... WHERE <row>" and "INSERT INTO <table> (<set>) VALUES
// (?...)"; Delete runs "DELETE FROM <table> WHERE <row>". The row is named by the driver's best
// row identifier or the primary key (the key before a pseudo column), fetched with every record
// behind the statement's own columns; without either, by the fetched values of every column of
// the table in the result (a null one as IS NULL). A change that would touch other than exactly
// one row is refused (kDbErrNotOneRow) and changes nothing: a change by the row identifier
// touches one row at most and is refused when it touched none; one by the values runs in a
// transaction where the connection has them, else the rows are counted first. Identifiers are
// quoted as the driver quotes them; the table is named as the statement names it. When no
// field differs Update writes nothing, returns false and the edit or add goes on; a refused or
// failed Update leaves it going on too.
// A null number or flag holds a null value of its own, so that setting it to 0 counts as a
// change (a null text holds the empty text). After an add, and when an Edit gives an add up,
// the record that was current before the add is restored; the added record is seen at the next
// open. A record updated through the set shows what was written, and one deleted through it
// reads as deleted, when the cursor comes back to it. A forward-only set moves forward only;
// MoveFirst on its first record stays there.
//
// Fields are exchanged in order of their RFX calls, column 1 first. Fixed-size values and texts
// are bound; a text longer than its buffer and long binaries are read whole with SQLGetData.
// Texts travel as UTF-8 to the driver and are held in the ANSI code page.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zqplatform/database.h"
#include "zqplatform/dbvariant.h"

// The column description of GetODBCFieldInfo.
struct CODBCFieldInfo {
  std::string m_strName;
  int16_t m_nSQLType = 0;  // ODBC 2 type numbers: dates 9, 10, 11
  uint64_t m_nPrecision = 0;
  int16_t m_nScale = 0;
  int16_t m_nNullability = 0;
};

// ODBC SQL and C type numbers that the field classes map.
namespace zq::db {
namespace sqltype {
constexpr int16_t kChar = 1, kNumeric = 2, kDecimal = 3, kInteger = 4, kSmallInt = 5, kFloat = 6,
                  kReal = 7, kDouble = 8, kDate = 9, kTime = 10, kTimestamp = 11, kVarChar = 12,
                  kLongVarChar = -1, kBinary = -2, kVarBinary = -3, kLongVarBinary = -4,
                  kBigInt = -5, kTinyInt = -6, kBit = -7, kWChar = -8, kWVarChar = -9,
                  kWLongVarChar = -10, kGuid = -11;
}
namespace ctype {
constexpr int16_t kNone = 0, kChar = 1, kSLong = -16, kSShort = -15, kUTinyInt = -28, kBit = -7,
                  kFloat = 7, kDouble = 8, kTimestamp = 11, kBinary = -2, kWChar = -8;
}
}  // namespace zq::db

class CRecordset;
struct RecordsetState;

class CFieldExchange {
 public:
  enum FieldType { noFieldType = -1, outputColumn = 0 };
  enum Operation { BindFieldToColumn, Fixup, SaveField, RestoreField, MarkForUpdate,
                   SetFieldNull, PrepareWrite, Written };

  CFieldExchange(Operation op, CRecordset* rs) : m_nOperation(op), m_prs(rs) {}
  void SetFieldType(FieldType type) { m_nFieldType = type; }

  Operation m_nOperation;
  CRecordset* m_prs;
  FieldType m_nFieldType = noFieldType;
  uint32_t m_nField = 0;  // fields exchanged so far
};

void RFX_Bool(CFieldExchange* pFX, const char* name, int32_t& value);
void RFX_Byte(CFieldExchange* pFX, const char* name, unsigned char& value);
void RFX_Long(CFieldExchange* pFX, const char* name, int32_t& value);
void RFX_Single(CFieldExchange* pFX, const char* name, float& value);
void RFX_Double(CFieldExchange* pFX, const char* name, double& value);
void RFX_Date(CFieldExchange* pFX, const char* name, zq::db::TIMESTAMP_STRUCT& value);
// maxLength (the column's size) sizes the bound buffer; longer texts are still read whole.
void RFX_Text(CFieldExchange* pFX, const char* name, std::string& value, int32_t maxLength,
              int32_t columnType, int16_t scale);
void RFX_LongBinary(CFieldExchange* pFX, const char* name, CLongBinary& value);

class CRecordset {
 public:
  enum OpenType : uint32_t { dynaset = 0, snapshot = 1, forwardOnly = 2, dynamic = 3 };
  enum Options : uint32_t {
    none = 0,
    readOnly = 0x4,
    appendOnly = 0x8,
    useBookmarks = 0x100,
    useExtendedFetch = 0x800,
    executeDirect = 0x2000,
  };
  // Fetch orientations of Move.
  enum : uint16_t { kFetchNext = 1, kFetchFirst = 2, kFetchLast = 3, kFetchPrior = 4,
                    kFetchAbsolute = 5, kFetchRelative = 6, kFetchBookmark = 8 };

  explicit CRecordset(CDatabase* db);
  virtual ~CRecordset();
  CRecordset(const CRecordset&) = delete;
  CRecordset& operator=(const CRecordset&) = delete;

  // Throws CDBException or CMemoryException; true once open.
  bool Open(uint32_t openType, const char* sql, uint32_t options);
  void Close();
  bool IsOpen() const;

  bool IsBOF() const { return m_bBOF; }
  bool IsEOF() const { return m_bEOF; }
  bool IsDeleted() const { return m_bDeleted; }
  bool CanUpdate() const { return m_bUpdatable; }
  bool CanAppend() const { return m_bAppendable; }
  bool CanRestart() const { return !(m_dwOptions & executeDirect); }
  bool CanTransact() const { return m_pDatabase && m_pDatabase->CanTransact(); }
  // The scroll bit of the bookmark persistence (0x40) when bookmarks were asked for, else 0.
  uint32_t CanBookmark() const;

  void Move(int32_t rows, uint16_t fetchType);
  void MoveFirst() { Move(1, kFetchFirst); }
  void MoveLast() { Move(-1, kFetchLast); }
  void MoveNext() { Move(1, kFetchNext); }
  void MovePrev() { Move(-1, kFetchPrior); }
  void SetAbsolutePosition(int32_t row) { Move(row, kFetchAbsolute); }

  void Edit();
  void AddNew();
  void CancelUpdate();
  void Delete();
  bool Update();

  // A DBVT_LONG variant when the driver's bookmark fits in 32 bits, else DBVT_BINARY.
  void GetBookmark(CDBVariant& bookmark);
  void SetBookmark(const CDBVariant& bookmark);

  // Records seen so far (all of them once the end was reached).
  int32_t GetRecordCount() const { return m_lRecordCount; }
  int16_t GetODBCFieldCount() const { return static_cast<int16_t>(m_columns.size()); }
  // index from 0; an index out of range gives an empty description.
  void GetODBCFieldInfo(int16_t index, CODBCFieldInfo& info) const;
  const std::string& GetSQL() const { return m_strSQL; }
  const std::string& GetTableName() const { return m_strTableName; }

  // Per-field status of the bound fields; AllocStatusArrays sizes it for m_nFields.
  void AllocStatusArrays();
  bool IsFieldStatusNull(uint32_t field) const;

  CDatabase* m_pDatabase;
  uint32_t m_nFields = 0;  // bound fields

 protected:
  virtual void DoFieldExchange(CFieldExchange* pFX);
  virtual void PreBindFields();

 private:
  friend class CDatabase;
  friend struct FieldSlotAccess;
  void Exchange(CFieldExchange::Operation op);
  void Fetch(int16_t orientation, int64_t offset);
  void RequireRecord() const;
  void Detach();

  std::unique_ptr<RecordsetState> m_state;
  std::vector<CODBCFieldInfo> m_columns;
  std::string m_strSQL;
  std::string m_strTableName;
  uint32_t m_dwOptions = 0;
  uint32_t m_nOpenType = snapshot;
  bool m_bBOF = true;
  bool m_bEOF = true;
  bool m_bDeleted = false;
  bool m_bUpdatable = false;
  bool m_bAppendable = false;
  int m_nEditMode = 0;  // 0 none, 1 edit, 2 add
  int64_t m_lCurrentRecord = -1;  // 0-based; -1 before the first, unknown after a bookmark
  int32_t m_lRecordCount = 0;
};
