#include "TableAccess.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "SqlText.h"
#include "zqplatform/dbexcept.h"

namespace zq::db {

namespace {

std::string Quote(SQLHDBC dbc) { return InfoText(dbc, SQL_IDENTIFIER_QUOTE_CHAR); }

// Column col (from 1) of a catalog result as text.
std::string CatalogText(SQLHSTMT h, SQLUSMALLINT col) {
  char buffer[512];
  SQLLEN indicator = 0;
  if (!SQL_SUCCEEDED(SQLGetData(h, col, SQL_C_CHAR, buffer, sizeof buffer, &indicator)) || indicator <= 0) return {};
  const auto size = std::min<std::size_t>(static_cast<std::size_t>(indicator), sizeof buffer - 1);
  return FromDriver(std::string_view(buffer, size));
}

std::string ColumnText(SQLHSTMT h, SQLUSMALLINT column, SQLUSMALLINT field) {
  char buffer[512];
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLColAttribute(h, column, field, buffer, sizeof buffer, &length, nullptr)) || length <= 0)
    return {};
  const auto size = std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1);
  return FromDriver(std::string_view(buffer, size));
}

// The schema argument of a catalog function: null when the statement names none.
SQLCHAR* SchemaArgument(std::string& schema, SQLSMALLINT& length) {
  length = schema.empty() ? 0 : static_cast<SQLSMALLINT>(schema.size());
  return schema.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(schema.data());
}

std::vector<std::string> BestRowId(SQLHDBC dbc, TableName table, bool& pseudo) {
  std::vector<std::string> names;
  pseudo = false;
  StatementHandle stmt(dbc);
  SQLSMALLINT schemaLength = 0;
  SQLCHAR* schema = SchemaArgument(table.schema, schemaLength);
  if (!SQL_SUCCEEDED(SQLSpecialColumns(stmt.get(), SQL_BEST_ROWID, nullptr, 0, schema, schemaLength,
                                       reinterpret_cast<SQLCHAR*>(table.name.data()),
                                       static_cast<SQLSMALLINT>(table.name.size()), SQL_SCOPE_CURROW, SQL_NO_NULLS)))
    return {};
  while (SQL_SUCCEEDED(SQLFetch(stmt.get()))) {
    names.push_back(CatalogText(stmt.get(), 2));
    SQLSMALLINT kind = SQL_PC_UNKNOWN;
    SQLLEN indicator = 0;
    SQLGetData(stmt.get(), 8, SQL_C_SSHORT, &kind, 0, &indicator);
    pseudo |= kind == SQL_PC_PSEUDO;
  }
  return names;
}

std::vector<std::string> PrimaryKey(SQLHDBC dbc, TableName table) {
  std::map<int, std::string> bySequence;
  StatementHandle stmt(dbc);
  SQLSMALLINT schemaLength = 0;
  SQLCHAR* schema = SchemaArgument(table.schema, schemaLength);
  if (!SQL_SUCCEEDED(SQLPrimaryKeys(stmt.get(), nullptr, 0, schema, schemaLength,
                                    reinterpret_cast<SQLCHAR*>(table.name.data()),
                                    static_cast<SQLSMALLINT>(table.name.size()))))
    return {};
  while (SQL_SUCCEEDED(SQLFetch(stmt.get()))) {
    SQLSMALLINT sequence = 0;
    SQLLEN indicator = 0;
    SQLGetData(stmt.get(), 5, SQL_C_SSHORT, &sequence, 0, &indicator);
    bySequence[sequence] = CatalogText(stmt.get(), 4);
  }
  std::vector<std::string> names;
  for (auto& [sequence, name] : bySequence) names.push_back(name);
  return names;
}

bool IsCharacterOrBinary(SQLSMALLINT type) {
  switch (type) {
    case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR: case SQL_WCHAR: case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR: case SQL_BINARY: case SQL_VARBINARY: case SQL_LONGVARBINARY:
    case SQL_DECIMAL: case SQL_NUMERIC:
      return true;
    default:
      return false;
  }
}

Parameter ValueParam(const TableColumn& column, SQLSMALLINT cType, const std::vector<unsigned char>& bytes,
                     SQLLEN length) {
  Parameter p;
  p.cType = cType;
  p.sqlType = column.sqlType;
  p.size = column.size;
  p.digits = column.digits;
  // A text may be longer than its column's declared size where the database keeps it whole.
  if (IsCharacterOrBinary(column.sqlType))
    p.size = std::max<SQLULEN>({column.size, static_cast<SQLULEN>(std::max<SQLLEN>(length, 0)), 1});
  p.data = bytes.data();
  p.length = length;
  return p;
}

// " WHERE ..." naming the current row, with its parameters.
void AppendCondition(const RecordsetState& state, Statement& statement) {
  std::string where;
  auto add = [&](const TableColumn& column, SQLSMALLINT cType, const std::vector<unsigned char>& bytes,
                 SQLLEN length) {
    where += where.empty() ? " WHERE " : " AND ";
    where += column.name;
    if (length == SQL_NULL_DATA) {
      where += " IS NULL";
      return;
    }
    where += " = ?";
    statement.params.push_back(ValueParam(column, cType, bytes, length));
  };
  if (!state.rowId.empty()) {
    for (const RowIdColumn& id : state.rowId) {
      const bool whole = id.indicator == SQL_NULL_DATA ||
                         (id.indicator >= 0 && static_cast<std::size_t>(id.indicator) < id.buffer.size());
      if (!whole) throw CDBException(kDbErrNotOneRow);
      add(id.column, id.cType, id.buffer, id.indicator);
    }
  } else {
    for (std::size_t i = 0; i < state.slots.size() && i < state.columns.size(); ++i) {
      const FieldSlot& slot = state.slots[i];
      if (slot.bound && !state.columns[i].name.empty())
        add(state.columns[i], slot.cType, slot.fetched, slot.fetchedLength);
    }
  }
  if (where.empty()) throw CDBException(kDbErrNotOneRow);
  statement.text += where;
}

const TableColumn& WrittenColumn(const RecordsetState& state, std::size_t i) {
  if (i >= state.columns.size() || state.columns[i].name.empty()) throw CDBException(kDbErrNotAColumn);
  return state.columns[i];
}

RowChange Counted(const RecordsetState& state, Statement change) {
  RowChange result;
  result.unique = !state.rowId.empty() && std::none_of(state.rowId.begin(), state.rowId.end(), [](const auto& id) {
    return id.indicator == SQL_NULL_DATA;
  });
  AppendCondition(state, change);
  result.change = std::move(change);
  result.count.text = "SELECT COUNT(*) FROM " + state.table;
  AppendCondition(state, result.count);
  return result;
}

// An identifier column takes a value written to its column; when the C types do not allow
// that, the identifier is no longer known and later changes of the row are refused.
void FollowWrite(RowIdColumn& id, const FieldSlot& slot) {
  const SQLLEN length = slot.paramLength;
  if (length >= 0 && slot.cType == id.cType && static_cast<std::size_t>(length) < id.buffer.size()) {
    std::copy(slot.param.begin(), slot.param.end(), id.buffer.begin());
    id.buffer[static_cast<std::size_t>(length)] = 0;
    id.indicator = length;
    return;
  }
  if (id.cType == SQL_C_SBIGINT && length > 0) {
    SQLBIGINT value = 0;
    bool converted = true;
    switch (slot.cType) {
      case SQL_C_SLONG: {
        SQLINTEGER v = 0;
        std::memcpy(&v, slot.param.data(), sizeof v);
        value = v;
        break;
      }
      case SQL_C_UTINYINT:
      case SQL_C_BIT: value = slot.param[0]; break;
      default: converted = false; break;
    }
    if (converted) {
      std::memcpy(id.buffer.data(), &value, sizeof value);
      id.indicator = sizeof value;
      return;
    }
  }
  id.indicator = SQL_NO_TOTAL;
}

}  // namespace

void RememberWritten(RecordsetState& state, int64_t record) {
  for (RowIdColumn& id : state.rowId) {
    for (std::size_t i = 0; i < state.slots.size() && i < state.columns.size(); ++i)
      if (state.slots[i].dirty && state.columns[i].name == id.column.name) FollowWrite(id, state.slots[i]);
  }
  if (record < 0) return;
  WrittenRow& row = state.writtenRecords[record];
  for (std::size_t i = 0; i < state.slots.size(); ++i) {
    const FieldSlot& slot = state.slots[i];
    if (!slot.dirty) continue;
    auto same = std::find_if(row.values.begin(), row.values.end(), [&](const auto& v) { return v.slot == i; });
    if (same == row.values.end()) same = row.values.insert(row.values.end(), WrittenRow::Value{i, {}, 0});
    same->bytes = slot.param;
    same->length = slot.paramLength;
  }
  row.rowId = state.rowId;
}

void ShowWritten(RecordsetState& state, int64_t record) {
  const auto found = state.writtenRecords.find(record);
  if (found == state.writtenRecords.end()) return;
  for (const WrittenRow::Value& value : found->second.values) {
    FieldSlot& slot = state.slots[value.slot];
    const std::size_t size = value.bytes.size();
    if (size + 1 > slot.buffer.size()) {  // a longer text: its buffer grows for this and later fetches
      slot.buffer.assign(size + 1, 0);
      Check(SQLBindCol(state.hstmt, static_cast<SQLUSMALLINT>(value.slot + 1), slot.cType, slot.buffer.data(),
                       static_cast<SQLLEN>(slot.buffer.size()), &slot.indicator),
            SQL_HANDLE_STMT, state.hstmt);
    }
    std::copy(value.bytes.begin(), value.bytes.end(), slot.buffer.begin());
    slot.buffer[size] = 0;
    slot.indicator = value.length;
  }
  const std::vector<RowIdColumn>& ids = found->second.rowId;
  for (std::size_t j = 0; j < ids.size() && j < state.rowId.size(); ++j) {
    std::copy(ids[j].buffer.begin(), ids[j].buffer.end(), state.rowId[j].buffer.begin());
    state.rowId[j].indicator = ids[j].indicator;
  }
}

std::vector<std::string> RowIdentifierColumns(SQLHDBC dbc, std::string_view table) {
  const TableName name = SplitTableName(table, InfoShort(dbc, SQL_IDENTIFIER_CASE));
  // A pseudo column (a row number) may follow the key when the key is written: the key
  // itself comes first then.
  bool pseudo = false;
  std::vector<std::string> names = BestRowId(dbc, name, pseudo);
  if (names.empty() || pseudo) {
    std::vector<std::string> key = PrimaryKey(dbc, name);
    if (!key.empty()) names = std::move(key);
  }
  if (std::find(names.begin(), names.end(), std::string()) != names.end()) return {};
  return names;
}

std::vector<TableColumn> TableColumns(SQLHDBC dbc, SQLHSTMT h, SQLSMALLINT count) {
  const std::string quote = Quote(dbc);
  std::vector<TableColumn> columns(static_cast<std::size_t>(std::max<SQLSMALLINT>(count, 0)));
  for (SQLSMALLINT i = 0; i < count; ++i) {
    TableColumn& column = columns[static_cast<std::size_t>(i)];
    const SQLUSMALLINT number = static_cast<SQLUSMALLINT>(i + 1);
    SQLCHAR name[2];
    SQLSMALLINT nameLength = 0, nullable = 0;
    SQLDescribeCol(h, number, name, sizeof name, &nameLength, &column.sqlType, &column.size, &column.digits,
                   &nullable);
    // An expression belongs to no table.
    const std::string base = ColumnText(h, number, SQL_DESC_BASE_COLUMN_NAME);
    if (!base.empty() && !ColumnText(h, number, SQL_DESC_BASE_TABLE_NAME).empty())
      column.name = QuoteIdentifier(base, quote);
  }
  return columns;
}

void BindRowIdColumn(SQLHDBC dbc, SQLHSTMT h, SQLUSMALLINT column, const std::string& name, RowIdColumn& id) {
  TableColumn& c = id.column;
  c.name = QuoteIdentifier(name, Quote(dbc));
  SQLCHAR label[2];
  SQLSMALLINT labelLength = 0, nullable = 0;
  Check(SQLDescribeCol(h, column, label, sizeof label, &labelLength, &c.sqlType, &c.size, &c.digits, &nullable),
        SQL_HANDLE_STMT, h);
  std::size_t size = 0;
  switch (c.sqlType) {
    case SQL_TINYINT: case SQL_SMALLINT: case SQL_INTEGER: case SQL_BIGINT: case SQL_BIT:
      id.cType = SQL_C_SBIGINT;
      size = sizeof(SQLBIGINT) + 1;
      break;
    case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE:
      id.cType = SQL_C_DOUBLE;
      size = sizeof(double) + 1;
      break;
    case SQL_TYPE_DATE: case SQL_TYPE_TIME: case SQL_TYPE_TIMESTAMP:
      id.cType = SQL_C_TYPE_TIMESTAMP;
      size = sizeof(SQL_TIMESTAMP_STRUCT) + 1;
      break;
    case SQL_BINARY: case SQL_VARBINARY: case SQL_LONGVARBINARY:
      id.cType = SQL_C_BINARY;
      size = std::clamp<SQLULEN>(c.size, 16, 4096) + 1;
      break;
    default:
      id.cType = SQL_C_CHAR;
      size = std::clamp<SQLULEN>(c.size, 16, 1024) * 4 + 1;
      break;
  }
  id.buffer.assign(size, 0);
  Check(SQLBindCol(h, column, id.cType, id.buffer.data(), static_cast<SQLLEN>(id.buffer.size()), &id.indicator),
        SQL_HANDLE_STMT, h);
}

RowChange UpdateStatement(const RecordsetState& state) {
  Statement change{"UPDATE " + state.table + " SET ", {}};
  bool first = true;
  for (std::size_t i = 0; i < state.slots.size(); ++i) {
    const FieldSlot& slot = state.slots[i];
    if (!slot.dirty) continue;
    const TableColumn& column = WrittenColumn(state, i);
    change.text += (first ? "" : ", ") + column.name + " = ?";
    change.params.push_back(ValueParam(column, slot.cType, slot.param, slot.paramLength));
    first = false;
  }
  return Counted(state, std::move(change));
}

RowChange InsertStatement(const RecordsetState& state) {
  RowChange result;
  result.unique = true;
  std::string names, marks;
  for (std::size_t i = 0; i < state.slots.size(); ++i) {
    const FieldSlot& slot = state.slots[i];
    if (!slot.dirty) continue;
    const TableColumn& column = WrittenColumn(state, i);
    names += (names.empty() ? "" : ", ") + column.name;
    marks += marks.empty() ? "?" : ", ?";
    result.change.params.push_back(ValueParam(column, slot.cType, slot.param, slot.paramLength));
  }
  result.change.text = "INSERT INTO " + state.table + " (" + names + ") VALUES (" + marks + ")";
  return result;
}

RowChange DeleteStatement(const RecordsetState& state) {
  return Counted(state, Statement{"DELETE FROM " + state.table, {}});
}

}  // namespace zq::db
