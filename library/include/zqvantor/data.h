/* ODBC databases, record sets and their fields by handle.
 *
 * A database (DBCreate) connects to one ODBC data source (DBOpen) with a data source name
 * and/or a connection string; a name alone connects as "DSN=<name>". Record sets (RSAttach)
 * are counted per database from 1 to 65535: every RS export takes the database handle first
 * and the record-set handle second. Fields are addressed by column number from 0 (names ending
 * in C) or by column name, case-blind, blanks around it ignored (names ending in F).
 *
 * Codes: -1 no free database handle; -2 database handle outside 1..4096; -3 not registered;
 * -5 both texts empty; -6 already connected; -7 the open failed; -8 no statement; -9 not
 * connected; -10 the statement failed; -21 no free record-set handle; -22 record-set handle
 * outside 1..65535; -23 not registered; -24 removal failed; -25 no SQL text; -26 no column
 * name; -27 record null or its size not 16; -28 only snapshots (open type 1) with the cursor
 * library; -50 the open failed; -51 first record not reachable; -52 edit, -53 add, -54 cancel,
 * -55 delete, -56 update (also when nothing changed), -57 move, -58 last, -59 next, -60 prior,
 * -61 position failed; -62 no bookmarks; -63, -64 bookmark get, set failed; -65 not updatable;
 * -67 record set not open; -68 no valid date; -999 bookmark not a 32-bit value.
 *
 * Open types: 0 dynaset, 1 snapshot, 2 forward only, 3 dynamic. Options: 0x4 read only,
 * 0x8 append only, 0x100 use bookmarks, 0x800 extended fetch, 0x2000 execute direct.
 * Type codes of RSGetFieldTypeC/N: 0 none, 1 bool, 2 byte, 3 short, 4 long, 5 float, 6 double,
 * 7 text, 8 date, 9 long binary, -1 wide text.
 * Date records are SYSTEMTIME layouts of 16 bytes (eight 16-bit parts). */
#ifndef ZQVANTOR_DATA_H
#define ZQVANTOR_DATA_H

#include "zqvantor/common.h"

ZQV_API int32_t DBCreate(void);
ZQV_API int32_t DBDestroy(int32_t db);
ZQV_API int32_t DBOpen(int32_t db, int32_t dsnLen, const char* dsn, int32_t readOnly, int32_t connectLen,
                       const char* connect, int32_t useCursorLib);
ZQV_API int32_t DBClose(int32_t db);
ZQV_API int32_t DBSQL(int32_t db, int32_t sqlLen, const char* sql);
/* Bit 1: message boxes for failures of DBOpen with a connection string and DBSQL; bit 2: for
 * record-set operations. */
ZQV_API int32_t DBSetDebug(int32_t db, int32_t flags);
ZQV_API int32_t DBIsOpen(int32_t db);
ZQV_API int32_t DBCanTransact(int32_t db);
ZQV_API int32_t DBGetBookmarkPersistence(int32_t db);
ZQV_API BSTR DBGetConnect(int32_t db, int32_t* err);
ZQV_API BSTR DBGetDatabaseName(int32_t db, int32_t* err);

ZQV_API int32_t RSAttach(int32_t db);
ZQV_API int32_t RSDetach(int32_t db, int32_t rs);
/* 1 open on its first record, 0 open and empty. */
ZQV_API int32_t RSOpen(int32_t db, int32_t rs, int32_t sqlLen, const char* sql, int32_t openType, int32_t options);
ZQV_API int32_t RSClose(int32_t db, int32_t rs);
ZQV_API int32_t RSEdit(int32_t db, int32_t rs);
ZQV_API int32_t RSAddNew(int32_t db, int32_t rs);
ZQV_API int32_t RSCancelUpdate(int32_t db, int32_t rs);
ZQV_API int32_t RSDelete(int32_t db, int32_t rs);
ZQV_API int32_t RSUpdate(int32_t db, int32_t rs);
ZQV_API int32_t RSMove(int32_t db, int32_t rs, int32_t rows, int32_t fetchType);
ZQV_API int32_t RSMoveFirst(int32_t db, int32_t rs);
ZQV_API int32_t RSMoveLast(int32_t db, int32_t rs);
ZQV_API int32_t RSMoveNext(int32_t db, int32_t rs);
ZQV_API int32_t RSMovePrev(int32_t db, int32_t rs);
ZQV_API int32_t RSSetPos(int32_t db, int32_t rs, int32_t row);
ZQV_API int32_t RSGetBookmark(int32_t db, int32_t rs);
ZQV_API int32_t RSSetBookmark(int32_t db, int32_t rs, int32_t bookmark);
ZQV_API int16_t RSCanAppend(int32_t db, int32_t rs);
ZQV_API int16_t RSCanBookmark(int32_t db, int32_t rs);
ZQV_API int16_t RSCanRestart(int32_t db, int32_t rs);
ZQV_API int16_t RSCanTransact(int32_t db, int32_t rs);
ZQV_API int16_t RSCanUpdate(int32_t db, int32_t rs);
ZQV_API int16_t RSIsBOF(int32_t db, int32_t rs);
ZQV_API int16_t RSIsEOF(int32_t db, int32_t rs);
ZQV_API int16_t RSIsDeleted(int32_t db, int32_t rs);
ZQV_API int16_t RSIsOpen(int32_t db, int32_t rs);
ZQV_API int16_t RSIsFound(int32_t db, int32_t rs);
ZQV_API int32_t RSGetFieldCount(int32_t db, int32_t rs);
ZQV_API int32_t RSGetRecordCount(int32_t db, int32_t rs, int32_t exact);
ZQV_API BSTR RSGetSQL(int32_t db, int32_t rs, int32_t* err);
ZQV_API BSTR RSGetTableName(int32_t db, int32_t rs, int32_t* err);

ZQV_API int16_t RSGetFieldTypeC(int32_t db, int32_t rs, int32_t column);
ZQV_API int16_t RSGetFieldTypeN(int32_t db, int32_t rs, int32_t nameLen, const char* name);
ZQV_API int32_t RSGetBoolC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API char RSGetCharC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API int16_t RSGetShortC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API int32_t RSGetLongC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API float RSGetFloatC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API double RSGetDoubleC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API BSTR RSGetStringC(int32_t db, int32_t rs, int32_t* err, int32_t column);
ZQV_API int32_t RSGetDateC(int32_t db, int32_t rs, int32_t column, int32_t size, void* record);
ZQV_API int32_t RSGetBoolF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API char RSGetCharF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API int16_t RSGetShortF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API int32_t RSGetLongF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API float RSGetFloatF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API double RSGetDoubleF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API BSTR RSGetStringF(int32_t db, int32_t rs, int32_t* err, int32_t nameLen, const char* name);
ZQV_API int32_t RSGetDateF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t size, void* record);

ZQV_API int32_t RSSetBoolC(int32_t db, int32_t rs, int32_t column, int32_t value);
ZQV_API int32_t RSSetLongC(int32_t db, int32_t rs, int32_t column, int32_t value);
ZQV_API int32_t RSSetCharC(int32_t db, int32_t rs, int32_t column, int32_t c);
ZQV_API int32_t RSSetShortC(int32_t db, int32_t rs, int32_t column, int32_t value);
ZQV_API int32_t RSSetFloatC(int32_t db, int32_t rs, int32_t column, float value);
ZQV_API int32_t RSSetDoubleC(int32_t db, int32_t rs, int32_t column, double value);
ZQV_API int32_t RSSetStringC(int32_t db, int32_t rs, int32_t column, int32_t textLen, const char* text);
ZQV_API int32_t RSSetDateC(int32_t db, int32_t rs, int32_t column, int32_t size, const void* record);
ZQV_API int32_t RSSetBoolF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t value);
ZQV_API int32_t RSSetLongF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t value);
ZQV_API int32_t RSSetCharF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t c);
ZQV_API int32_t RSSetShortF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t value);
ZQV_API int32_t RSSetFloatF(int32_t db, int32_t rs, int32_t nameLen, const char* name, float value);
ZQV_API int32_t RSSetDoubleF(int32_t db, int32_t rs, int32_t nameLen, const char* name, double value);
ZQV_API int32_t RSSetStringF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t textLen,
                             const char* text);
ZQV_API int32_t RSSetDateF(int32_t db, int32_t rs, int32_t nameLen, const char* name, int32_t size,
                           const void* record);

#endif
