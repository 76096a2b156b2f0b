// The codes of the database, record-set and field exports.
#pragma once
#include <cstdint>

namespace zqv::db {

constexpr int32_t kBothTextsEmpty = -5;
constexpr int32_t kAlreadyConnected = -6;
constexpr int32_t kOpenFailed = -7;
constexpr int32_t kNoStatement = -8;
constexpr int32_t kNotConnected = -9;
constexpr int32_t kStatementFailed = -10;
constexpr int32_t kNoFreeRecordset = -21;
constexpr int32_t kRecordsetOutOfRange = -22;
constexpr int32_t kRecordsetNotRegistered = -23;
constexpr int32_t kRecordsetRemoveFailed = -24;
constexpr int32_t kNoSql = -25;
constexpr int32_t kNoName = -26;
constexpr int32_t kBadRecord = -27;
constexpr int32_t kSnapshotOnly = -28;
constexpr int32_t kRecordsetOpenFailed = -50;
constexpr int32_t kMoveFirstFailed = -51;
constexpr int32_t kEditFailed = -52;
constexpr int32_t kAddNewFailed = -53;
constexpr int32_t kCancelFailed = -54;
constexpr int32_t kDeleteFailed = -55;
constexpr int32_t kUpdateFailed = -56;
constexpr int32_t kMoveFailed = -57;
constexpr int32_t kMoveLastFailed = -58;
constexpr int32_t kMoveNextFailed = -59;
constexpr int32_t kMovePrevFailed = -60;
constexpr int32_t kSetPosFailed = -61;
constexpr int32_t kNoBookmarks = -62;
constexpr int32_t kGetBookmarkFailed = -63;
constexpr int32_t kSetBookmarkFailed = -64;
constexpr int32_t kNotUpdatable = -65;
constexpr int32_t kRecordsetNotOpen = -67;
constexpr int32_t kNoDate = -68;
constexpr int32_t kBookmarkNotLong = -999;

// The classes' own codes in their last-error records.
constexpr int32_t kErrAlreadyOpened = -100;
constexpr int32_t kErrNotOpened = -101;
constexpr int32_t kErrRecordsetNotOpened = -111;
constexpr int32_t kErrFieldOutOfRange = -112;
constexpr int32_t kErrFieldNotFound = -113;
constexpr int32_t kFieldNotFound = -999;

}  // namespace zqv::db
