// The record field exchange: each RFX call handles one field, column by column.
#include <cstring>

#include "RecordsetState.h"

using namespace zq::db;

namespace {

static_assert(sizeof(zq::db::TIMESTAMP_STRUCT) == sizeof(SQL_TIMESTAMP_STRUCT));

// The slot of the field that this call exchanges (the exchange counts the calls); null when
// the call is not for an output column or the record set has no slot for it.
FieldSlot* NextSlot(CFieldExchange* pFX, SQLUSMALLINT& column) {
  if (!pFX || pFX->m_nFieldType != CFieldExchange::outputColumn) return nullptr;
  RecordsetState& state = FieldSlotAccess::State(*pFX->m_prs);
  const uint32_t index = pFX->m_nField++;
  if (index >= state.slots.size()) return nullptr;
  column = static_cast<SQLUSMALLINT>(index + 1);
  return &state.slots[index];
}

// Fixed-size values: the ODBC buffer type and the conversions to and from the value.
template <class Value, class Buffer, SQLSMALLINT CType>
struct Fixed {
  using V = Value;
  using B = Buffer;
  static constexpr SQLSMALLINT kCType = CType;
  static void Load(Value& v, const Buffer& b) { v = static_cast<Value>(b); }
  static Buffer Store(const Value& v) { return static_cast<Buffer>(v); }
};
struct BoolKind : Fixed<int32_t, unsigned char, SQL_C_BIT> {
  static void Load(int32_t& v, const unsigned char& b) { v = b ? 1 : 0; }
  static unsigned char Store(const int32_t& v) { return v ? 1 : 0; }
  static int32_t PseudoNull() { return 2; }
};
struct ByteKind : Fixed<unsigned char, unsigned char, SQL_C_UTINYINT> {
  static unsigned char PseudoNull() { return 255; }
};
struct LongKind : Fixed<int32_t, SQLINTEGER, SQL_C_SLONG> {
  static int32_t PseudoNull() { return 0x4a4d4120; }
};
struct SingleKind : Fixed<float, float, SQL_C_FLOAT> {
  static float PseudoNull() { return static_cast<float>(0x4a4d4120); }
};
struct DoubleKind : Fixed<double, double, SQL_C_DOUBLE> {
  static double PseudoNull() { return static_cast<double>(0x4a4d4120); }
};
struct DateKind : Fixed<zq::db::TIMESTAMP_STRUCT, SQL_TIMESTAMP_STRUCT, SQL_C_TYPE_TIMESTAMP> {
  static void Load(zq::db::TIMESTAMP_STRUCT& v, const SQL_TIMESTAMP_STRUCT& b) { std::memcpy(&v, &b, sizeof v); }
  static SQL_TIMESTAMP_STRUCT Store(const zq::db::TIMESTAMP_STRUCT& v) {
    SQL_TIMESTAMP_STRUCT b;
    std::memcpy(&b, &v, sizeof b);
    return b;
  }
  static zq::db::TIMESTAMP_STRUCT PseudoNull() { return zq::db::TIMESTAMP_STRUCT{}; }
};

template <class T>
bool SameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

void Bind(CFieldExchange* pFX, FieldSlot& slot, SQLUSMALLINT column, SQLSMALLINT cType) {
  SQLHSTMT h = FieldSlotAccess::State(*pFX->m_prs).hstmt;
  Check(SQLBindCol(h, column, cType, slot.buffer.data(), static_cast<SQLLEN>(slot.buffer.size()), &slot.indicator),
        SQL_HANDLE_STMT, h);
  slot.cType = cType;
  slot.bound = true;
}

bool OnRecord(CFieldExchange* pFX) { return FieldSlotAccess::State(*pFX->m_prs).onRecord; }

// Keeps the value as fetched when the record set finds its rows by their values.
void KeepFetched(CFieldExchange* pFX, FieldSlot& slot, const void* data, std::size_t size) {
  if (!FieldSlotAccess::State(*pFX->m_prs).keepFetched) return;
  const auto* bytes = static_cast<const unsigned char*>(data);
  slot.fetched.assign(bytes, bytes + (slot.null ? 0 : size));
  slot.fetchedLength = slot.null ? SQL_NULL_DATA : static_cast<SQLLEN>(size);
}

// The value an update or insert writes.
void SetParam(FieldSlot& slot, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  slot.param.assign(bytes, bytes + size);
  slot.paramLength = static_cast<SQLLEN>(size);
}

// After an update: the row holds what was written.
void Written(CFieldExchange* pFX, FieldSlot& slot) {
  if (!slot.dirty) return;
  slot.dirty = false;
  slot.null = false;
  if (!FieldSlotAccess::State(*pFX->m_prs).keepFetched) return;
  slot.fetched = slot.param;
  slot.fetchedLength = slot.paramLength;
}

template <class Kind>
void ExchangeFixed(CFieldExchange* pFX, typename Kind::V& value) {
  SQLUSMALLINT column = 0;
  FieldSlot* slot = NextSlot(pFX, column);
  if (!slot) return;
  using V = typename Kind::V;
  using B = typename Kind::B;
  switch (pFX->m_nOperation) {
    case CFieldExchange::BindFieldToColumn:
      slot->buffer.assign(sizeof(B), 0);
      Bind(pFX, *slot, column, Kind::kCType);
      break;
    case CFieldExchange::Fixup:
      slot->null = !OnRecord(pFX) || slot->indicator == SQL_NULL_DATA;
      if (slot->null) {
        // The null value, so that a value a host sets on a null field (0 included) is written.
        value = Kind::PseudoNull();
      } else {
        B b;
        std::memcpy(&b, slot->buffer.data(), sizeof b);
        Kind::Load(value, b);
      }
      KeepFetched(pFX, *slot, slot->buffer.data(), sizeof(B));
      break;
    case CFieldExchange::SaveField:
      slot->saved = value;
      slot->savedNull = slot->null;
      break;
    case CFieldExchange::RestoreField:
      if (auto* saved = std::get_if<V>(&slot->saved)) value = *saved;
      slot->null = slot->savedNull;
      break;
    case CFieldExchange::SetFieldNull:
      value = Kind::PseudoNull();
      slot->null = true;
      break;
    case CFieldExchange::MarkForUpdate: {
      if (FieldSlotAccess::EditMode(*pFX->m_prs) == 2) {
        slot->dirty = !SameBits(value, Kind::PseudoNull());
      } else {
        const V* saved = std::get_if<V>(&slot->saved);
        slot->dirty = !saved || !SameBits(value, *saved);
      }
      break;
    }
    case CFieldExchange::PrepareWrite:
      if (slot->dirty) {
        const B b = Kind::Store(value);
        SetParam(*slot, &b, sizeof b);
      }
      break;
    case CFieldExchange::Written: Written(pFX, *slot); break;
  }
}

// Reads a whole column with SQLGetData in pieces (texts without their terminators).
bool ReadWhole(SQLHSTMT h, SQLUSMALLINT column, SQLSMALLINT cType, std::vector<unsigned char>& out) {
  out.clear();
  const std::size_t terminator = cType == SQL_C_CHAR ? 1 : 0;
  unsigned char piece[8192];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(h, column, cType, piece, sizeof piece, &indicator);
    if (rc == SQL_NO_DATA) break;
    Check(rc, SQL_HANDLE_STMT, h);
    if (indicator == SQL_NULL_DATA) return false;
    std::size_t got = sizeof piece - terminator;
    if (indicator != SQL_NO_TOTAL && static_cast<std::size_t>(indicator) < got) got = static_cast<std::size_t>(indicator);
    out.insert(out.end(), piece, piece + got);
    if (rc == SQL_SUCCESS) break;
  }
  return true;
}

}  // namespace

void RFX_Bool(CFieldExchange* pFX, const char*, int32_t& value) { ExchangeFixed<BoolKind>(pFX, value); }
void RFX_Byte(CFieldExchange* pFX, const char*, unsigned char& value) { ExchangeFixed<ByteKind>(pFX, value); }
void RFX_Long(CFieldExchange* pFX, const char*, int32_t& value) { ExchangeFixed<LongKind>(pFX, value); }
void RFX_Single(CFieldExchange* pFX, const char*, float& value) { ExchangeFixed<SingleKind>(pFX, value); }
void RFX_Double(CFieldExchange* pFX, const char*, double& value) { ExchangeFixed<DoubleKind>(pFX, value); }
void RFX_Date(CFieldExchange* pFX, const char*, zq::db::TIMESTAMP_STRUCT& value) { ExchangeFixed<DateKind>(pFX, value); }

void RFX_Text(CFieldExchange* pFX, const char*, std::string& value, int32_t maxLength, int32_t, int16_t) {
  SQLUSMALLINT column = 0;
  FieldSlot* slot = NextSlot(pFX, column);
  if (!slot) return;
  SQLHSTMT h = FieldSlotAccess::State(*pFX->m_prs).hstmt;
  switch (pFX->m_nOperation) {
    case CFieldExchange::BindFieldToColumn: {
      // Room for the column's characters in UTF-8; longer texts are read whole after the fetch.
      constexpr int64_t kLargest = 16384;
      const int64_t chars = maxLength > 0 ? std::min<int64_t>(maxLength, kLargest) : 255;
      slot->buffer.assign(static_cast<std::size_t>(chars * 4 + 1), 0);
      Bind(pFX, *slot, column, SQL_C_CHAR);
      break;
    }
    case CFieldExchange::Fixup: {
      slot->null = !OnRecord(pFX) || slot->indicator == SQL_NULL_DATA;
      if (slot->null) {
        value.clear();
        KeepFetched(pFX, *slot, nullptr, 0);
        break;
      }
      const std::size_t room = slot->buffer.size() - 1;
      if (slot->indicator == SQL_NO_TOTAL || static_cast<std::size_t>(slot->indicator) > room) {
        std::vector<unsigned char> whole;
        slot->null = !ReadWhole(h, column, SQL_C_CHAR, whole);
        KeepFetched(pFX, *slot, whole.data(), whole.size());
        value = FromDriver(std::string_view(reinterpret_cast<const char*>(whole.data()), whole.size()));
      } else {
        const std::size_t size = static_cast<std::size_t>(slot->indicator);
        KeepFetched(pFX, *slot, slot->buffer.data(), size);
        value = FromDriver(std::string_view(reinterpret_cast<const char*>(slot->buffer.data()), size));
      }
      break;
    }
    case CFieldExchange::SaveField:
      slot->saved = value;
      slot->savedNull = slot->null;
      break;
    case CFieldExchange::RestoreField:
      if (auto* saved = std::get_if<std::string>(&slot->saved)) value = *saved;
      slot->null = slot->savedNull;
      break;
    case CFieldExchange::SetFieldNull:
      value.clear();
      slot->null = true;
      break;
    case CFieldExchange::MarkForUpdate: {
      if (FieldSlotAccess::EditMode(*pFX->m_prs) == 2) {
        slot->dirty = !value.empty();
      } else {
        const std::string* saved = std::get_if<std::string>(&slot->saved);
        slot->dirty = !saved || *saved != value;
      }
      break;
    }
    case CFieldExchange::PrepareWrite:
      if (slot->dirty) {
        const std::string bytes = ToDriver(value);
        SetParam(*slot, bytes.data(), bytes.size());
      }
      break;
    case CFieldExchange::Written: Written(pFX, *slot); break;
  }
}

void RFX_LongBinary(CFieldExchange* pFX, const char*, CLongBinary& value) {
  SQLUSMALLINT column = 0;
  FieldSlot* slot = NextSlot(pFX, column);
  if (!slot) return;
  // Long binaries are bound for short values, read whole when longer, and never written. An
  // add shows them null; the value stays for the record that comes back after it.
  switch (pFX->m_nOperation) {
    case CFieldExchange::BindFieldToColumn:
      slot->buffer.assign(256, 0);
      Bind(pFX, *slot, column, SQL_C_BINARY);
      return;
    case CFieldExchange::SaveField: slot->savedNull = slot->null; return;
    case CFieldExchange::RestoreField: slot->null = slot->savedNull; return;
    case CFieldExchange::SetFieldNull: slot->null = true; return;
    case CFieldExchange::Fixup: break;
    default: return;
  }
  value.m_data.clear();
  slot->null = !OnRecord(pFX) || slot->indicator == SQL_NULL_DATA;
  if (!slot->null) {
    if (slot->indicator == SQL_NO_TOTAL || static_cast<std::size_t>(slot->indicator) > slot->buffer.size()) {
      slot->null = !ReadWhole(FieldSlotAccess::State(*pFX->m_prs).hstmt, column, SQL_C_BINARY, value.m_data);
    } else {
      value.m_data.assign(slot->buffer.begin(), slot->buffer.begin() + slot->indicator);
    }
  }
  KeepFetched(pFX, *slot, value.m_data.data(), value.m_data.size());
  value.m_dwDataLength = value.m_data.size();
}
