/* The XS family: string objects under handles (1 to 65535), byte texts in the ANSI code page.
 *
 * Positions are 0-based byte indexes, lengths byte counts. A text argument comes as (length,
 * pointer): a null pointer, or a length of 0 or below, is the empty text; where a count
 * follows, a count above 0 and below the length takes the first count bytes, any other count
 * (0, negative, at least the length) the whole text. ch is a byte: the low 8 bits count.
 * Text results are new BSTRs that the caller frees; a failed one is an empty BSTR.
 * err, where an export has one, is 0 after success and the failure code otherwise (a null
 * err is allowed).
 *
 * Codes: -1 no free handle (XSCreate), nothing found (searches), or memory exhausted (every
 * integer export, and in err of every text export; the object is then unchanged); -2 handle outside 1 to 65535; -3 handle not
 * registered; -4 registry removal failed; -5 index outside the text (XSGetAt, XSSetAt; a
 * negative index too); -7 null find pointer (XSReplaceStr, before the handle is looked at);
 * -8 width below 1 (XSTextFormat); -99 bad handle of the searches and comparisons, with -2 or
 * -3 in err. Other integer exports answer a bad handle with -2 or -3; text exports with an
 * empty BSTR and the code in err.
 *
 * Negative positions and counts the rules leave open count as 0, and a start beyond the end
 * gives an empty result or -1. */
#ifndef ZQVANTOR_STRINGS_H
#define ZQVANTOR_STRINGS_H

#include "zqvantor/common.h"

/* Life and whole text. */
ZQV_API int32_t XSCreate(void);
ZQV_API int32_t XSDestroy(int32_t h);
ZQV_API int32_t XSSet(int32_t h, int32_t length, const char* text, int32_t count);
/* text is NUL-terminated (null: the empty text). */
ZQV_API int32_t XSCSet(int32_t h, const char* text, int32_t count);
/* Appends the host string up to its first NUL byte. */
ZQV_API int32_t XSAppend(int32_t h, int32_t length, const char* text, int32_t count);
/* start 0 and count 0: the whole text; count 0 or start + count past the end: from start to
 * the end; otherwise count bytes from start. */
ZQV_API BSTR XSGet(int32_t h, int32_t* err, int32_t start, int32_t count);
ZQV_API int32_t XSGetLength(int32_t h);
ZQV_API int32_t XSIsEmpty(int32_t h);
ZQV_API int32_t XSEmpty(int32_t h);

/* Pieces; the object is not changed. */
ZQV_API BSTR XSMid(int32_t h, int32_t* err, int32_t first, int32_t count);
ZQV_API BSTR XSLeft(int32_t h, int32_t* err, int32_t count);
ZQV_API BSTR XSRight(int32_t h, int32_t* err, int32_t count);
ZQV_API BSTR XSFromTo(int32_t h, int32_t* err, int32_t first, int32_t last);
/* The byte at index; 0 with err -5 outside the text. */
ZQV_API uint8_t XSGetAt(int32_t h, int32_t* err, int32_t index);
ZQV_API BSTR XSSpanIncluding(int32_t h, int32_t* err, int32_t length, const char* set, int32_t start);
ZQV_API BSTR XSSpanExcluding(int32_t h, int32_t* err, int32_t length, const char* set, int32_t start);
ZQV_API BSTR XSGetSubString(int32_t h, int32_t* err, int32_t item, int32_t ch);
/* The next word of the NUL-terminated set's bytes at or after *position, which becomes its
 * start (-1 when none, -2 for a bad handle; a null position scans from 0). */
ZQV_API BSTR XSFindWord(int32_t h, int32_t* err, int32_t* position, const char* set);

/* Editing in place. */
ZQV_API int32_t XSSetAt(int32_t h, int32_t index, int32_t ch);
ZQV_API int32_t XSInsertChr(int32_t h, int32_t index, int32_t ch);
ZQV_API int32_t XSInsertStr(int32_t h, int32_t index, int32_t length, const char* insert, int32_t count);
ZQV_API int32_t XSDelete(int32_t h, int32_t index, int32_t count);
ZQV_API int32_t XSDelChr(int32_t h, int32_t ch);
ZQV_API int32_t XSReplaceChr(int32_t h, int32_t oldCh, int32_t newCh);
ZQV_API int32_t XSReplace(int32_t h, int32_t position, int32_t count, int32_t length,
                          const char* replacement);
ZQV_API int32_t XSReplaceStr(int32_t h, int32_t findLength, const char* find, int32_t replacementLength,
                             const char* replacement, int32_t start);
ZQV_API int32_t XSMakeUpper(int32_t h);
ZQV_API int32_t XSMakeLower(int32_t h);
ZQV_API int32_t XSMakeReverse(int32_t h);
ZQV_API int32_t XSInvertCase(int32_t h);
ZQV_API int32_t XSCapitalize(int32_t h);
ZQV_API int32_t XSTrim(int32_t h, int32_t ch);
ZQV_API int32_t XSTrimLeft(int32_t h, int32_t ch);
ZQV_API int32_t XSTrimRight(int32_t h, int32_t ch);
ZQV_API int32_t XSTrimLeftN(int32_t h);
ZQV_API int32_t XSTrimRightN(int32_t h);
/* An empty set means one blank. */
ZQV_API int32_t XSTrimLeftM(int32_t h, int32_t length, const char* set);
ZQV_API int32_t XSTrimRightM(int32_t h, int32_t length, const char* set);
ZQV_API int32_t XSTrimAll(int32_t h, int32_t ch);
/* Word wrap; the outcome is in err only. */
ZQV_API void XSTextFormat(int32_t h, int32_t* err, int32_t width, int32_t ch);
ZQV_API int32_t XSToAnsi(int32_t h);
/* The item operations give the whole text after the change. */
ZQV_API BSTR XSSetSubString(int32_t h, int32_t* err, int32_t length, const char* text, int32_t item,
                            int32_t ch);
ZQV_API BSTR XSInsSubString(int32_t h, int32_t* err, int32_t length, const char* text, int32_t item,
                            int32_t ch);
ZQV_API BSTR XSDelSubString(int32_t h, int32_t* err, int32_t item, int32_t ch);
/* The text read as UTF-8 stored back in the ANSI code page, and the reverse; both give the
 * new text. */
ZQV_API BSTR XSMultiToWide(int32_t h, int32_t* err);
ZQV_API BSTR XSWideToMulti(int32_t h, int32_t* err);

/* Searching, counting, comparing. */
ZQV_API int32_t XSFindChr(int32_t h, int32_t* err, int32_t ch, int32_t start);
ZQV_API int32_t XSFindChrNC(int32_t h, int32_t* err, int32_t ch, int32_t start);
/* An empty text to find (after cutting it at its first NUL byte) searches for one blank. */
ZQV_API int32_t XSFindStr(int32_t h, int32_t* err, int32_t length, const char* find, int32_t start);
ZQV_API int32_t XSFindStrNC(int32_t h, int32_t* err, int32_t length, const char* find, int32_t start);
ZQV_API int32_t XSFindOneOf(int32_t h, int32_t* err, int32_t length, const char* set, int32_t start);
ZQV_API int32_t XSReverseFind(int32_t h, int32_t* err, int32_t ch, int32_t position, int32_t fromEnd);
ZQV_API int32_t XSCount(int32_t h, int32_t ch, int32_t start);
ZQV_API int32_t XSReverseCount(int32_t h, int32_t ch, int32_t position);
ZQV_API int32_t XSItemCount(int32_t h, int32_t ch);
/* mode -1 the whole text, -2 its end, 0 or more the bytes at that position; other negative
 * modes give -1. */
ZQV_API int32_t XSCompare(int32_t h, int32_t* err, int32_t length, const char* other, int32_t mode,
                          int32_t count);
ZQV_API int32_t XSCompareNC(int32_t h, int32_t* err, int32_t length, const char* other, int32_t mode,
                            int32_t count);

/* Files: the four open arguments go unchanged to the platform's file opening (the program
 * uses 0xC0000000, 0, 4, 0x80000080). -6 for a null name, before the handle is looked at;
 * other failures are the file object's codes.
 * The offset is the file object's: -1 the end, other negative values the start.
 * XSReadFromFile reads count bytes (0 or below: to the end) at offset and gives the bytes
 * read; the text then holds them, or stays as it was when nothing was read or on failure. A
 * file that cannot be examined gives -61; an offset at or past the end reads nothing and
 * gives 0.
 * XSWriteToFile writes the first count bytes (0, below 0 or beyond the length: the whole
 * text) at offset and ends the file behind them; an empty text gives 0 and opens no file. */
ZQV_API int32_t XSReadFromFile(int32_t h, int32_t length, const char* name, int32_t count, int32_t offset,
                               uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags);
ZQV_API int32_t XSWriteToFile(int32_t h, int32_t length, const char* name, int32_t count, int32_t offset,
                              uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags);

#endif
