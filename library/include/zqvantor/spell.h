/* Spell checkers by handle over hunspell, and hunspell's own function interface.
 *
 * A checker is made by SPCreate, built from an affix and a dictionary file by SPInit (once),
 * and may take up to 19 further dictionaries through SPAddDict. Words reach hunspell as the
 * host's bytes, unconverted: a host passes them in the dictionary's own encoding (see
 * Hunspell_get_dic_encoding). Paths are the library's file paths (Windows view or POSIX).
 *
 * Codes: 0 done; -1 registry full (SPCreate) or a required text missing (null or length <= 0);
 * -2 handle outside 1..65535 (SPInit also: no dictionary path); -3 no checker under the handle;
 * -10 not built yet; -11 already built; -12 the checker could not be made (also when the affix
 * or dictionary file cannot be read, or the affix file declares UTF-8 but is not valid UTF-8);
 * -13 the further dictionary was refused (unreadable, or the checker already holds 20);
 * -14, -15, -16 hunspell refused add, add with affix, remove (-14 and -15 also for a word or
 * example holding the byte 0xFE or 0xFD, the user-word file's separators, which that file
 * could not keep).
 * SPLoadUserDict and SPSaveUserDict give bytes read or written, or the array file codes.
 * Exhausted memory ends a call with SPInit -12, SPAddDict -13, SPAdd -14, SPAddAffix -15,
 * SPRemove -16, SPCreate and the others -1, SPSuggest an empty text. */
#ifndef ZQVANTOR_SPELL_H
#define ZQVANTOR_SPELL_H

#include "zqvantor/common.h"

ZQV_API int32_t SPCreate(void);
ZQV_API int32_t SPDestroy(int32_t handle);
ZQV_API int32_t SPInit(int32_t handle, int32_t affLen, const char* aff, int32_t dicLen,
                       const char* dic, int32_t keyLen, const char* key);
ZQV_API int32_t SPAddDict(int32_t handle, int32_t dicLen, const char* dic, int32_t keyLen,
                          const char* key);
/* Non-zero when the word is spelled correctly, 0 when it is not, or a negative code. */
ZQV_API int32_t SPCheck(int32_t handle, int32_t wordLen, const char* word);
/* The suggestions in hunspell's order joined by "|"; empty when none and on every failure. */
ZQV_API BSTR SPSuggest(int32_t handle, int32_t wordLen, const char* word);
ZQV_API int32_t SPAdd(int32_t handle, int32_t wordLen, const char* word);
ZQV_API int32_t SPAddAffix(int32_t handle, int32_t wordLen, const char* word, int32_t exampleLen,
                           const char* example);
ZQV_API int32_t SPRemove(int32_t handle, int32_t wordLen, const char* word);
ZQV_API int32_t SPLoadUserDict(int32_t handle, int32_t pathLen, const char* path);
ZQV_API int32_t SPSaveUserDict(int32_t handle, int32_t pathLen, const char* path);

/* Hunspell's flat interface, with hunspell's own behaviour (lists are freed with
 * Hunspell_free_list). Its handles belong to these functions: never pass them to another
 * library's functions of the same names.
 * No module-state switch. A null handle, path or word gives a null handle, 0 or an empty list;
 * an affix file that declares UTF-8 but is not valid UTF-8 gives a null handle. */
typedef struct Hunhandle Hunhandle;

ZQV_API Hunhandle* Hunspell_create(const char* affpath, const char* dpath);
ZQV_API Hunhandle* Hunspell_create_key(const char* affpath, const char* dpath, const char* key);
ZQV_API void Hunspell_destroy(Hunhandle* pHunspell);
ZQV_API int Hunspell_spell(Hunhandle* pHunspell, const char* word);
ZQV_API char* Hunspell_get_dic_encoding(Hunhandle* pHunspell);
ZQV_API int Hunspell_suggest(Hunhandle* pHunspell, char*** slst, const char* word);
ZQV_API int Hunspell_analyze(Hunhandle* pHunspell, char*** slst, const char* word);
ZQV_API int Hunspell_stem(Hunhandle* pHunspell, char*** slst, const char* word);
ZQV_API int Hunspell_generate(Hunhandle* pHunspell, char*** slst, const char* word,
                              const char* word2);
ZQV_API int Hunspell_add(Hunhandle* pHunspell, const char* word);
ZQV_API int Hunspell_add_with_affix(Hunhandle* pHunspell, const char* word, const char* example);
ZQV_API int Hunspell_remove(Hunhandle* pHunspell, const char* word);
ZQV_API void Hunspell_free_list(Hunhandle* pHunspell, char*** slst, int n);

#endif
