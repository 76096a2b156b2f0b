/* The CLA family: the string algorithms on the host's own strings. No handle is involved;
 * the host's text is never changed.
 *
 * A text argument comes as (length, pointer): a null pointer, or a length of 0 or below, is
 * the empty text; the length is taken unchanged, trailing blanks included. Positions given
 * and returned are 1-based byte positions (a position below 1 counts as 1 unless said
 * otherwise); a search that finds nothing gives -1. ch is a byte: the low 8 bits count. A
 * set is a text whose characters form a set.
 * Text results are new BSTRs that the caller frees, never null; when memory is exhausted the
 * result is an empty BSTR, and an integer result -1. */
#ifndef ZQVANTOR_CLA_H
#define ZQVANTOR_CLA_H

#include "zqvantor/common.h"

/* Pieces. start -1: the last count bytes; otherwise count bytes from start (count 0 or
 * below: to the end). */
ZQV_API BSTR CLASub(int32_t length, const char* text, int32_t start, int32_t count);
ZQV_API BSTR CLASpanIncluding(int32_t length, const char* text, int32_t setLength, const char* set);
ZQV_API BSTR CLASpanExcluding(int32_t length, const char* text, int32_t setLength, const char* set);
/* The next word of the set's bytes at or after the 0-based *position, which becomes its
 * start, or -1 when there is none (also for an empty text or set). */
ZQV_API BSTR CLAFindWord(int32_t length, const char* text, int32_t* position, int32_t setLength,
                         const char* set);

/* Items separated by ch: item 0 is the whole text. */
ZQV_API BSTR CLAGetSubString(int32_t length, const char* text, int32_t item, int32_t ch);
ZQV_API BSTR CLASetSubString(int32_t length, const char* text, int32_t newLength, const char* newText,
                             int32_t item, int32_t ch);
ZQV_API BSTR CLAInsSubString(int32_t length, const char* text, int32_t newLength, const char* newText,
                             int32_t item, int32_t ch);
ZQV_API BSTR CLADelSubString(int32_t length, const char* text, int32_t item, int32_t ch);

/* Edits. CLADelete: a count of -1 deletes to the end, any other count below 0 one byte.
 * CLAReplace: a count below 0 counts as 0. CLAReplaceStr: every occurrence; an empty find
 * text changes nothing. CLATextFormat: a width below 1 changes nothing. */
ZQV_API BSTR CLADelete(int32_t length, const char* text, int32_t position, int32_t count);
ZQV_API BSTR CLAInsertChr(int32_t length, const char* text, int32_t position, int32_t ch);
ZQV_API BSTR CLAInsertStr(int32_t length, const char* text, int32_t position, int32_t insertLength,
                          const char* insert);
ZQV_API BSTR CLARemoveChr(int32_t length, const char* text, int32_t ch);
ZQV_API BSTR CLAReplaceChr(int32_t length, const char* text, int32_t oldCh, int32_t newCh);
ZQV_API BSTR CLAReplace(int32_t length, const char* text, int32_t position, int32_t count,
                        int32_t replacementLength, const char* replacement);
ZQV_API BSTR CLAReplaceStr(int32_t length, const char* text, int32_t findLength, const char* find,
                           int32_t replacementLength, const char* replacement);
ZQV_API BSTR CLAMakeReverse(int32_t length, const char* text);
ZQV_API BSTR CLAInvertCase(int32_t length, const char* text);
ZQV_API BSTR CLACapitalize(int32_t length, const char* text);
ZQV_API BSTR CLATextFormat(int32_t length, const char* text, int32_t width, int32_t ch);

/* Trims. The Tab forms trim white space; the M and Multi forms every character of a set (an
 * empty set trims nothing). CLATrimNull trims blanks and gives an empty text when only
 * zeros are left. */
ZQV_API BSTR CLATrim(int32_t length, const char* text, int32_t ch);
ZQV_API BSTR CLATrimLeft(int32_t length, const char* text, int32_t ch);
ZQV_API BSTR CLATrimRight(int32_t length, const char* text, int32_t ch);
ZQV_API BSTR CLATrimLeftTab(int32_t length, const char* text);
ZQV_API BSTR CLATrimRightTab(int32_t length, const char* text);
ZQV_API BSTR CLATrimM(int32_t length, const char* text, int32_t setLength, const char* set);
ZQV_API BSTR CLATrimLeftMulti(int32_t length, const char* text, int32_t setLength, const char* set);
ZQV_API BSTR CLATrimRightMulti(int32_t length, const char* text, int32_t setLength, const char* set);
ZQV_API BSTR CLATrimAll(int32_t length, const char* text, int32_t ch);
ZQV_API BSTR CLATrimNull(int32_t length, const char* text);

/* Numbers. CLATrueLen: the length without blanks at both ends (0 for a null pointer).
 * CLAFieldCnt: the number of ch-separated fields of the text without blanks at both ends
 * (0 when empty). CLAGetAt: the byte at position with 0 in err; a null text or a position
 * past the end gives 0 with -7, a position below 1 gives 0 with -9 (a null err is allowed). */
ZQV_API int32_t CLATrueLen(int32_t length, const char* text);
ZQV_API int32_t CLAFieldCnt(int32_t length, const char* text, int32_t ch);
ZQV_API uint8_t CLAGetAt(int32_t length, const char* text, int32_t* err, int32_t position);

/* Searches from start: the 1-based position found, or -1. The NC forms are case-blind. */
ZQV_API int32_t CLAFindChr(int32_t length, const char* text, int32_t ch, int32_t start);
ZQV_API int32_t CLAFindNCChr(int32_t length, const char* text, int32_t ch, int32_t start);
/* An empty find text is found at start. */
ZQV_API int32_t CLAFindStr(int32_t length, const char* text, int32_t findLength, const char* find,
                           int32_t start);
ZQV_API int32_t CLAFindNCStr(int32_t length, const char* text, int32_t findLength, const char* find,
                             int32_t start);
ZQV_API int32_t CLAFindOneOf(int32_t length, const char* text, int32_t setLength, const char* set,
                             int32_t start);
/* The last ch of the text without its last n - 1 bytes. */
ZQV_API int32_t CLAReverseFind(int32_t length, const char* text, int32_t ch, int32_t n);

/* Comparison with other (to its first NUL byte): mode 0 compares the whole text, a mode of 1
 * or more the piece as long as other from that position, a mode below 0 the end of the text
 * as long as other. CLACompare gives -1, 0 or 1; CLACompareNC a negative value, 0 or a
 * positive value. */
ZQV_API int32_t CLACompare(int32_t length, const char* text, int32_t otherLength, const char* other,
                           int32_t mode);
ZQV_API int32_t CLACompareNC(int32_t length, const char* text, int32_t otherLength, const char* other,
                             int32_t mode);

#endif
