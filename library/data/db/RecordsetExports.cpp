// The RS family without field access.
#include "data/db/CLARS.h"
#include "data/db/DbCodes.h"
#include "data/db/ExportSupport.h"
#include "frame/Exports.h"
#include "zqvantor/data.h"

using namespace zqv::db;

namespace {

enum class EditAfter { Editing, Adding, Cleared, Unchanged };

// Runs body(database, record set) on an open record set; the codes of the look-ups on failure.
template <class R, class Body>
R WithOpenRecordset(int32_t db, int32_t rs, Body&& body) {
  return zqv::Export<R>(static_cast<R>(-1), [&]() -> R {
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return static_cast<R>(code);
    CLARS* set = database->GetOpenRecordset(rs, &code);
    if (!set) return static_cast<R>(code);
    return body(*database, *set);
  });
}

// One record-set operation: its failure code, or 0 with the edit state set as it says.
template <class Op>
int32_t Operation(int32_t db, int32_t rs, int32_t failure, EditAfter after, Op&& op) {
  return WithOpenRecordset<int32_t>(db, rs, [&](CLASQL& database, CLARS& set) -> int32_t {
    if (!op(set, database.m_bRsMessages)) return failure;
    switch (after) {
      case EditAfter::Editing: database.m_bEditing = true; database.m_bAdding = false; break;
      case EditAfter::Adding: database.m_bEditing = false; database.m_bAdding = true; break;
      case EditAfter::Cleared: database.ClearEditState(); break;
      case EditAfter::Unchanged: break;
    }
    return 0;
  });
}

template <class Query>
int16_t Query16(int32_t db, int32_t rs, Query&& query) {
  return WithOpenRecordset<int16_t>(db, rs, [&](CLASQL&, CLARS& set) { return static_cast<int16_t>(query(set)); });
}

template <class Text>
BSTR RecordsetText(int32_t db, int32_t rs, int32_t* err, Text&& text) {
  return zqv::ExportText(err, [&]() -> BSTR {
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return zqv::Fail(err, code);
    CLARS* set = database->GetOpenRecordset(rs, &code);
    if (!set) return zqv::Fail(err, code);
    return zqv::TextResult(text(*set));
  });
}

}  // namespace

ZQV_API int32_t RSAttach(int32_t db) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    return database ? database->CreateRecordset() : code;
  });
}

ZQV_API int32_t RSDetach(int32_t db, int32_t rs) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    return database ? database->DestroyRecordset(rs) : code;
  });
}

ZQV_API int32_t RSOpen(int32_t db, int32_t rs, int32_t sqlLen, const char* sql, int32_t openType, int32_t options) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return code;
    if (!sql) return kNoSql;
    const std::string text = TrimBlanks(zqv::HostText(sqlLen, sql));
    if (text.empty()) return kNoSql;
    if (!database->IsOpen()) return kNotConnected;
    CLARS* set = database->LookupRecordset(rs, &code);
    if (!set) return code;
    if (database->m_bUseCursorLib && openType != CRecordset::snapshot) return kSnapshotOnly;
    if (set->IsOpen()) set->Close();
    if (!set->Open(text, static_cast<uint32_t>(openType), static_cast<uint32_t>(options),
                   database->m_bRsMessages ? 1u : 0u))
      return kRecordsetOpenFailed;
    database->ClearEditState();
    if (!set->IsFound()) return 0;
    if (!set->MoveFirst(database->m_bRsMessages)) {
      set->Close();
      return kMoveFirstFailed;
    }
    return 1;
  });
}

ZQV_API int32_t RSClose(int32_t db, int32_t rs) {
  return Operation(db, rs, 0, EditAfter::Cleared, [](CLARS& set, bool) {
    set.Close();
    return true;
  });
}

ZQV_API int32_t RSEdit(int32_t db, int32_t rs) {
  return Operation(db, rs, kEditFailed, EditAfter::Editing, [](CLARS& set, bool show) { return set.Edit(show); });
}

ZQV_API int32_t RSAddNew(int32_t db, int32_t rs) {
  return Operation(db, rs, kAddNewFailed, EditAfter::Adding, [](CLARS& set, bool show) { return set.AddNew(show); });
}

ZQV_API int32_t RSCancelUpdate(int32_t db, int32_t rs) {
  return Operation(db, rs, kCancelFailed, EditAfter::Cleared,
                   [](CLARS& set, bool show) { return set.CancelUpdate(show); });
}

ZQV_API int32_t RSDelete(int32_t db, int32_t rs) {
  return Operation(db, rs, kDeleteFailed, EditAfter::Cleared, [](CLARS& set, bool show) { return set.Delete(show); });
}

ZQV_API int32_t RSUpdate(int32_t db, int32_t rs) {
  return Operation(db, rs, kUpdateFailed, EditAfter::Cleared, [](CLARS& set, bool show) { return set.Update(show); });
}

ZQV_API int32_t RSMove(int32_t db, int32_t rs, int32_t rows, int32_t fetchType) {
  return Operation(db, rs, kMoveFailed, EditAfter::Cleared, [&](CLARS& set, bool show) {
    return set.Move(rows, static_cast<uint16_t>(fetchType & 0xFFFF), show);
  });
}

ZQV_API int32_t RSMoveFirst(int32_t db, int32_t rs) {
  return Operation(db, rs, kMoveFirstFailed, EditAfter::Cleared,
                   [](CLARS& set, bool show) { return set.MoveFirst(show); });
}

ZQV_API int32_t RSMoveLast(int32_t db, int32_t rs) {
  return Operation(db, rs, kMoveLastFailed, EditAfter::Cleared,
                   [](CLARS& set, bool show) { return set.MoveLast(show); });
}

ZQV_API int32_t RSMoveNext(int32_t db, int32_t rs) {
  return Operation(db, rs, kMoveNextFailed, EditAfter::Cleared,
                   [](CLARS& set, bool show) { return set.MoveNext(show); });
}

ZQV_API int32_t RSMovePrev(int32_t db, int32_t rs) {
  return Operation(db, rs, kMovePrevFailed, EditAfter::Cleared,
                   [](CLARS& set, bool show) { return set.MovePrev(show); });
}

ZQV_API int32_t RSSetPos(int32_t db, int32_t rs, int32_t row) {
  return Operation(db, rs, kSetPosFailed, EditAfter::Cleared,
                   [&](CLARS& set, bool show) { return set.SetAbsolutePosition(row, show); });
}

ZQV_API int32_t RSGetBookmark(int32_t db, int32_t rs) {
  return WithOpenRecordset<int32_t>(db, rs, [](CLASQL& database, CLARS& set) -> int32_t {
    if (!set.CanBookmark()) return kNoBookmarks;
    CDBVariant bookmark;
    if (!set.GetBookmark(bookmark, database.m_bRsMessages)) return kGetBookmarkFailed;
    return bookmark.m_dwType == DBVT_LONG ? bookmark.m_lVal : kBookmarkNotLong;
  });
}

ZQV_API int32_t RSSetBookmark(int32_t db, int32_t rs, int32_t bookmark) {
  return WithOpenRecordset<int32_t>(db, rs, [&](CLASQL& database, CLARS& set) -> int32_t {
    if (!set.CanBookmark()) return kNoBookmarks;
    CDBVariant value;
    value.SetType(DBVT_LONG);
    value.m_lVal = bookmark;
    const bool done = set.SetBookmark(value, database.m_bRsMessages);
    database.ClearEditState();
    return done ? 0 : kSetBookmarkFailed;
  });
}

ZQV_API int16_t RSCanAppend(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.CanAppend() ? 1 : 0; });
}
ZQV_API int16_t RSCanBookmark(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.CanBookmark(); });
}
ZQV_API int16_t RSCanRestart(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.CanRestart() ? 1 : 0; });
}
ZQV_API int16_t RSCanTransact(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.CanTransact() ? 1 : 0; });
}
ZQV_API int16_t RSCanUpdate(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.CanUpdate() ? 1 : 0; });
}
ZQV_API int16_t RSIsBOF(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.IsBOF() ? 1 : 0; });
}
ZQV_API int16_t RSIsEOF(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.IsEOF() ? 1 : 0; });
}
ZQV_API int16_t RSIsDeleted(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.IsDeleted() ? 1 : 0; });
}
ZQV_API int16_t RSIsOpen(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS&) { return 1; });
}
ZQV_API int16_t RSIsFound(int32_t db, int32_t rs) {
  return Query16(db, rs, [](CLARS& set) { return set.IsFound() ? 1 : 0; });
}

ZQV_API int32_t RSGetFieldCount(int32_t db, int32_t rs) {
  return WithOpenRecordset<int32_t>(db, rs, [](CLASQL&, CLARS& set) -> int32_t { return set.GetODBCFieldCount(); });
}

ZQV_API int32_t RSGetRecordCount(int32_t db, int32_t rs, int32_t exact) {
  return WithOpenRecordset<int32_t>(db, rs, [&](CLASQL&, CLARS& set) { return set.GetRecordCount(exact != 0); });
}

ZQV_API BSTR RSGetSQL(int32_t db, int32_t rs, int32_t* err) {
  return RecordsetText(db, rs, err, [](CLARS& set) { return set.GetSQL(); });
}

ZQV_API BSTR RSGetTableName(int32_t db, int32_t rs, int32_t* err) {
  return RecordsetText(db, rs, err, [](CLARS& set) { return set.GetTableName(); });
}
