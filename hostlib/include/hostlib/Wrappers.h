// The four classes through which the program uses the utility library: each owns one library
// object (string, multivalue array, file object, timer) from construction to destruction and
// forwards its methods to the library's exports.
//
// Two fields each: INTERROR, the last result code, and the library handle (0 when the create
// failed or after DESTRUCT). A failed create is shown with ERRORMSG; methods on handle 0 pass
// it on and get the library's look-up error. A method keeps INTERROR in one of three ways:
//   status  - the library result, whatever its sign (and returns it);
//   value   - the result when negative, else 0 (and returns the result);
//   out     - the library writes 0 or its code there itself.
// Texts go to the library with the length of the value passed: a blank-padded buffer arrives
// with its padding, nothing is clipped. Text results are the program's own copies; the
// library's strings are released before the method returns.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A zero-ended text passed by address (the library reads it up to its zero byte).
struct CStringArg {
  const char* text;
};

class XSTRING {
 public:
  int32_t INTERROR = 0;
  int32_t XSHANDLE = 0;

  XSTRING();
  ~XSTRING() { DESTRUCT(); }
  XSTRING(const XSTRING&) = delete;
  XSTRING& operator=(const XSTRING&) = delete;
  void DESTRUCT();

  int32_t SET(std::string_view text, int32_t count);                // status
  int32_t SET(CStringArg text, int32_t count);                      // status
  int32_t APPEND(std::string_view text, int32_t count);             // status
  int32_t DELETE(int32_t start, int32_t count);                     // value
  int32_t REPLACESTR(std::string_view find, std::string_view replace = {}, int32_t start = 0);  // value
  int32_t MAKEUPPER();                                              // status
  int32_t TRIM(std::string_view character = {});                    // status; default blank
  std::string GET(int32_t start, int32_t count);                    // out
  std::string MID(int32_t start, int32_t count);                    // out
  std::string FROMTO(int32_t from, int32_t to);                     // out
  std::string GETAT(int32_t position);                              // out; empty on failure
  std::string WTOM();                                               // out
  std::string MTOW();                                               // out
  int32_t COMPARENC(std::string_view text, int32_t mode, int32_t count);            // out
  int32_t FINDCHR(std::string_view character, int32_t start);                       // out
  int32_t FINDCHRNC(std::string_view character, int32_t start);                     // out
  int32_t FINDSTRNC(std::string_view text, int32_t start);                          // out
  int32_t REVERSEFIND(std::string_view character, int32_t position, int32_t fromEnd);  // out
  int32_t GETLENGTH();                                              // value
  int32_t ITEMCNT(std::string_view delimiter = {});                 // untouched; default 0xFB
  std::string ITEMGET(int32_t n, std::string_view delimiter = {});  // out; default 0xFB
  std::string ITEMDEL(int32_t n, std::string_view delimiter = {});  // out; default 0xFB
};

class REVARRAY {
 public:
  int32_t INTERROR = 0;
  int32_t RAHANDLE = 0;

  REVARRAY();
  ~REVARRAY() { DESTRUCT(); }
  REVARRAY(const REVARRAY&) = delete;
  REVARRAY& operator=(const REVARRAY&) = delete;
  void DESTRUCT();

  // Field, value and subvalue 0, 0, 0 address the whole array as one delimited text.
  int32_t SETDELIM(std::string_view delimiters);                                        // status
  int32_t SETS(std::string_view value, int32_t field, int32_t valueNo, int32_t subvalue);  // status
  int32_t SETL(int32_t number, int32_t field, int32_t valueNo, int32_t subvalue);          // status
  std::string GET(int32_t field, int32_t valueNo, int32_t subvalue);                     // out
  int32_t GETL(int32_t field, int32_t valueNo, int32_t subvalue);                        // out
  int32_t LOCATE(std::string_view text, int32_t field, int32_t valueNo);                 // value
  int32_t FIELDCOUNT();                                                                   // value
  int32_t READARRAY(std::string_view file, int32_t count, int32_t offset, uint32_t access, uint32_t share,
                    uint32_t disposition, uint32_t flags);  // value
  int32_t WRITEARRAY(std::string_view file, int32_t count, int32_t offset, uint32_t access, uint32_t share,
                     uint32_t disposition, uint32_t flags);  // value
};

class FILEIO {
 public:
  int32_t INTERROR = 0;
  int32_t FIHANDLE = 0;

  FILEIO();
  ~FILEIO() { DESTRUCT(); }
  FILEIO(const FILEIO&) = delete;
  FILEIO& operator=(const FILEIO&) = delete;
  void DESTRUCT();

  int32_t WRITEFILE(std::string_view file, std::string_view data, int32_t count, int32_t offset, uint32_t access,
                    uint32_t share, uint32_t disposition, uint32_t flags);  // value
  // Opens the file as the arguments say and closes it again: with disposition 2 (create
  // always) the file is there and empty afterwards.
  int32_t CREATEEMPTYFILE(std::string_view file, uint32_t access, uint32_t share, uint32_t disposition,
                          uint32_t flags);  // status
  // Fills the caller's buffer (its whole size is offered to the library).
  int32_t READFILE(std::string_view file, std::span<char> buffer, int32_t count, int32_t offset, uint32_t access,
                   uint32_t share, uint32_t disposition, uint32_t flags);  // value
  // The size in bytes, negative on failure; INTERROR holds the failure as a whole number.
  double GETFILESIZE(std::string_view file);
  int32_t GETLASTSYSTEMERROR();                                                    // untouched
  int32_t CREATEDIR(std::string_view folder);                                      // status
  int32_t REMOVEDIR(std::string_view folder);                                      // status
  int32_t COPY(std::string_view source, std::string_view target, uint8_t failIfExists);  // status
  int32_t DELETE(std::string_view file);                                           // status
  int32_t CLOSEFILE();                                                             // status
};

class TIMER {
 public:
  int32_t INTERROR = 0;
  int32_t TMHANDLE = 0;

  TIMER();
  ~TIMER() { DESTRUCT(); }
  TIMER(const TIMER&) = delete;
  TIMER& operator=(const TIMER&) = delete;
  void DESTRUCT();

  int32_t START();                        // value: 0, or -1 for a bad handle
  int32_t ELAPSED();                      // value: milliseconds since START, or -1
  void SETWAIT(int32_t milliseconds);     // untouched
  int32_t GETWAIT();                      // value: 1 while the wait runs, 0 after, -1
};
