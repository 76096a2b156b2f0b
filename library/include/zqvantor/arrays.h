/* Multivalue arrays under handles: fields of values of subvalues, every subvalue a byte text.
 *
 * An address is (field, value, subvalue), 1-based; 0 is the whole level and -1, for the
 * setters and inserters, the position after the last one. Texts come as (length, pointer):
 * a null pointer or a negative length is the empty text; RASetS, RAInsS and RASetDelim read a
 * length of 0 with a non-null pointer up to the first NUL byte, everything else takes exactly
 * length bytes. Codes: -1 no free handle (RACreate) or memory exhausted, -2 bad handle (-3 not
 * registered from RADestroy, RALocate, RALocateNC and the file functions; -4 from RADestroy
 * when the registry cannot remove the handle), -5 a null path pointer, -6 a position below -1,
 * and the file object's codes -52 to -63. A getter puts its code into the code word (0 after
 * success) and returns 0, 0.0 or an empty string on failure. */
#ifndef ZQVANTOR_ARRAYS_H
#define ZQVANTOR_ARRAYS_H

#include "zqvantor/common.h"

ZQV_API int32_t RACreate(void);
ZQV_API int32_t RADestroy(int32_t h);
/* Up to three bytes replace the field, value and subvalue delimiters (FE FD FC by default);
 * an empty text restores the defaults. */
ZQV_API int32_t RASetDelim(int32_t h, int32_t length, const char* text);

ZQV_API int32_t RASetS(int32_t h, int32_t length, const char* text, int32_t field, int32_t value,
                       int32_t subvalue);
ZQV_API int32_t RAInsS(int32_t h, int32_t length, const char* text, int32_t field, int32_t value,
                       int32_t subvalue);

/* Numbers are stored as text: the byte (low 8 bits) and signed numbers as "%d", unsigned as
 * "%u", floats and doubles as "%g" (six significant digits). */
ZQV_API int32_t RASetC(int32_t h, uint32_t byte, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RASetL(int32_t h, int32_t number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RASetU(int32_t h, uint32_t number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RASetF(int32_t h, float number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RASetD(int32_t h, double number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAInsC(int32_t h, uint32_t byte, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAInsL(int32_t h, int32_t number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAInsU(int32_t h, uint32_t number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAInsF(int32_t h, float number, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAInsD(int32_t h, double number, int32_t field, int32_t value, int32_t subvalue);

/* The addressed part in the text form; empty for an impossible address. */
ZQV_API BSTR RAGet(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue);
/* The text's leading decimal integer (0 when there is none), read modulo 2^32; RAGetU is the
 * same reading under a second name, RAGetB its low 8 bits. */
ZQV_API int32_t RAGetL(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAGetU(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue);
ZQV_API uint8_t RAGetB(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue);
/* The text's leading floating-point number (0.0 when there is none). */
ZQV_API float RAGetF(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue);
ZQV_API double RAGetD(int32_t h, int32_t* err, int32_t field, int32_t value, int32_t subvalue);

ZQV_API int32_t RADel(int32_t h, int32_t field, int32_t value, int32_t subvalue);
ZQV_API int32_t RAFieldCount(int32_t h);
ZQV_API int32_t RAValueCount(int32_t h, int32_t field);
ZQV_API int32_t RASValueCount(int32_t h, int32_t field, int32_t value);

/* The 1-based position of the first element equal to the text (up to the first NUL byte on
 * both sides), 0 when none: field 0 searches the fields, a field with value 0 its values, both
 * given the subvalues of that value. */
ZQV_API int32_t RALocate(int32_t h, int32_t length, const char* text, int32_t field, int32_t value);
ZQV_API int32_t RALocateNC(int32_t h, int32_t length, const char* text, int32_t field,
                           int32_t value);

/* The whole array from or to a file of its text form, opened with the four open arguments
 * (the program's form: 0xC0000000, 0, 4, 0x80000080). The path is taken up to the length
 * (and its first NUL byte), trailing blanks removed. Reading: bytes read, the array replaced
 * by the text up to its first NUL byte (0 for an empty file, which empties it); a failure
 * leaves the array as it was. Writing: bytes written; 0 when the array's text is empty, and
 * then no file is opened. */
ZQV_API int32_t RAReadFromFile(int32_t h, int32_t pathLength, const char* path, int32_t count,
                               int32_t offset, uint32_t access, uint32_t share,
                               uint32_t disposition, uint32_t flags);
ZQV_API int32_t RAWriteToFile(int32_t h, int32_t pathLength, const char* path, int32_t count,
                              int32_t offset, uint32_t access, uint32_t share,
                              uint32_t disposition, uint32_t flags);

#endif
