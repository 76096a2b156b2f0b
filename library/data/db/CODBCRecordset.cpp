// The record-set operations of the library's record set.
#include "data/db/CODBCRecordset.h"

using namespace zqv::db;

namespace {

constexpr OperationTexts kOpen{"RS-Open", "CDB Exception in Open Recordset :\n\n", true,
                               "Memory Exception in CODBCRecordset::Open :\n\nWith SQL SELECT :\n\n", true,
                               "CODBCRecordset::Open"};
constexpr OperationTexts kEdit{"RS-Edit", "CDB Exception in Edit Recordset :\n\n", false,
                               "Memory Exception in Edit Recordset.", false, "CODBCRecordset::Edit"};
constexpr OperationTexts kAddNew{"RS-AddNew", "CDB Exception in AddNew Recordset :\n\n", false,
                                 "Memory Exception in AddNew Recordset.", false, "CODBCRecordset::AddNew"};
constexpr OperationTexts kCancel{"RS-CancelUpdate", "CDB Exception in CancelUpdate Recordset :\n\n", false,
                                 "Memory Exception in CancelUpdate Recordset.", false,
                                 "CODBCRecordset::CancelUpdate"};
constexpr OperationTexts kDelete{"RS-Delete", "CDB Exception in Delete Recordset :\n\n", false,
                                 "Memory Exception in Delete Recordset.", false, "CODBCRecordset::Delete"};
constexpr OperationTexts kUpdate{"RS-Update", "CDB Exception in Update Recordset :\n\n", false,
                                 "Memory Exception in Update Recordset.", false, "CODBCRecordset::Update"};
constexpr OperationTexts kMove{"RS-Move", "CDB Exception in Recordset Move :\n\n", false,
                               "Memory Exception in Recordset Move.", false, "CODBCRecordset::Move"};
constexpr OperationTexts kMoveFirst{"RS-MoveFirst", "CDB Exception in Recordset MoveFirst :\n\n", false, nullptr,
                                    false, "CODBCRecordset::MoveFirst"};
constexpr OperationTexts kMoveLast{"RS-MoveLast", "CDB Exception in Recordset MoveLast :\n\n", false,
                                   "Memory Exception in Recordset MoveLast.", false, "CODBCRecordset::MoveLast"};
constexpr OperationTexts kMoveNext{"RS-MoveNext", "CDB Exception in Recordset MoveNext :\n\n", false,
                                   "Memory Exception in Recordset MoveNext.", false, "CODBCRecordset::MoveNext"};
constexpr OperationTexts kMovePrev{"RS-MovePrev", "CDB Exception in Recordset MovePrev :\n\n", false,
                                   "Memory Exception in Recordset MovePrev.", false, "CODBCRecordset::MovePrev"};
constexpr OperationTexts kSetPos{"RS-SetAbsolutePosition", "CDB Exception in Recordset SetAbsolutePosition :\n\n",
                                 false, "Memory Exception in Recordset SetAbsolutePosition.", false,
                                 "CODBCRecordset::SetAbsolutePosition"};
constexpr OperationTexts kGetBookmark{"RS-GetBookmark", "CDB Exception in Recordset GetBookmark :\n\n", false,
                                      "Memory Exception in Recordset GetBookmark.", false,
                                      "CODBCRecordset::GetBookmark"};
constexpr OperationTexts kSetBookmark{"RS-SetBookmark", "CDB Exception in Recordset SetBookmark :\n\n", false,
                                      "Memory Exception in Recordset SetBookmark.", false,
                                      "CODBCRecordset::SetBookMark"};

}  // namespace

CODBCRecordset::CODBCRecordset(CDatabase* db) : CRecordset(db) { m_spare.m_bReadOnly = true; }

CODBCRecordset::~CODBCRecordset() { Close(); }

int32_t CODBCRecordset::Open(const std::string& sql, uint32_t openType, uint32_t options, uint32_t flags) {
  SetContext(kOpen.context);
  m_bFieldMessages = (flags & 2) != 0;
  const bool show = (flags & 1) != 0;
  m_nFields = 0;
  m_bBindOnce = true;
  return RunOperation(m_error, kOpen, show, sql, true,
                      [&] { return CRecordset::Open(openType, sql.c_str(), options); })
             ? 1
             : 0;
}

namespace {
// One operation whose framework call returns nothing.
template <class Call>
bool Operation(LastError& error, const OperationTexts& texts, bool show, Call&& call) {
  return RunOperation(error, texts, show, {}, false, [&] {
    call();
    return true;
  });
}
}  // namespace

bool CODBCRecordset::Edit(bool show) { return Operation(m_error, kEdit, show, [&] { CRecordset::Edit(); }); }
bool CODBCRecordset::AddNew(bool show) { return Operation(m_error, kAddNew, show, [&] { CRecordset::AddNew(); }); }
bool CODBCRecordset::CancelUpdate(bool show) { return Operation(m_error, kCancel, show, [&] { CRecordset::CancelUpdate(); }); }
bool CODBCRecordset::Delete(bool show) { return Operation(m_error, kDelete, show, [&] { CRecordset::Delete(); }); }
bool CODBCRecordset::Update(bool show) {
  return RunOperation(m_error, kUpdate, show, {}, false, [&] { return CRecordset::Update(); });
}
bool CODBCRecordset::Move(int32_t rows, uint16_t fetchType, bool show) {
  return Operation(m_error, kMove, show, [&] { CRecordset::Move(rows, fetchType); });
}
bool CODBCRecordset::MoveFirst(bool show) { return Operation(m_error, kMoveFirst, show, [&] { CRecordset::MoveFirst(); }); }
bool CODBCRecordset::MoveLast(bool show) { return Operation(m_error, kMoveLast, show, [&] { CRecordset::MoveLast(); }); }
bool CODBCRecordset::MoveNext(bool show) { return Operation(m_error, kMoveNext, show, [&] { CRecordset::MoveNext(); }); }
bool CODBCRecordset::MovePrev(bool show) { return Operation(m_error, kMovePrev, show, [&] { CRecordset::MovePrev(); }); }
bool CODBCRecordset::SetAbsolutePosition(int32_t row, bool show) {
  return Operation(m_error, kSetPos, show, [&] { CRecordset::SetAbsolutePosition(row); });
}
bool CODBCRecordset::GetBookmark(CDBVariant& bookmark, bool show) {
  return Operation(m_error, kGetBookmark, show, [&] { CRecordset::GetBookmark(bookmark); });
}
bool CODBCRecordset::SetBookmark(const CDBVariant& bookmark, bool show) {
  return Operation(m_error, kSetBookmark, show, [&] { CRecordset::SetBookmark(bookmark); });
}

int32_t CODBCRecordset::GetRecordCount(bool exact) {
  if (!exact) return CRecordset::GetRecordCount();
  // Only an empty result counts 0 at once; one walked past either end is counted from its start.
  if (IsBOF() && IsEOF()) return 0;
  if (!MoveFirst(false) || !IsFound()) return -1;
  while (MoveNext(false) && IsFound()) {
  }
  if (!MoveFirst(false) || !IsFound()) return -1;
  return CRecordset::GetRecordCount();
}
