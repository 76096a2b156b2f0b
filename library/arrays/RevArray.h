// The multivalue dynamic array: fields of values of subvalues, every subvalue a byte text.
// Positions are 1-based at every level; in an address (field, value, subvalue) 0 means the
// whole level and -1 the position after the last one (Set and Insert).
#pragma once
#include <cstdint>
#include <string_view>

#include "arrays/ArrayModel.h"
#include "strings/XSObject.h"

class RevArray {
 public:
  RevArray() = default;
  virtual ~RevArray() = default;
  RevArray(const RevArray&) = delete;
  RevArray& operator=(const RevArray&) = delete;

  // The addressed part in the text form; the view holds until the next operation on the array.
  // Any position below 0 gives the empty text.
  std::string_view Get(int32_t field, int32_t value, int32_t subvalue);

  // Store the text at the address; its own delimiters carry it on into the following
  // elements. A length of 0 takes the text up to its first NUL byte, a negative length or a
  // null text is the empty text. 0, or 1 (nothing changed) when a position is below -1.
  int32_t Set(int32_t field, int32_t value, int32_t subvalue, const char* text, int32_t length);
  int32_t Insert(int32_t field, int32_t value, int32_t subvalue, const char* text, int32_t length);
  // The same with the text taken exactly as given.
  int32_t Set(int32_t field, int32_t value, int32_t subvalue, std::string_view text);
  int32_t Insert(int32_t field, int32_t value, int32_t subvalue, std::string_view text);

  void Del(int32_t field, int32_t value, int32_t subvalue);

  // Counts include missing elements; an impossible address counts 0.
  int32_t FieldCount() const;
  int32_t ValueCount(int32_t field) const;
  int32_t SubValueCount(int32_t field, int32_t value) const;

  // The 1-based position of the first element equal to the text (compared up to the first
  // NUL byte on both sides), else 0. Field 0 searches the fields, a field with value 0 its
  // values, both given the subvalues of that value.
  int32_t Locate(std::string_view text, int32_t field, int32_t value);
  int32_t LocateNC(std::string_view text, int32_t field, int32_t value);

  // Up to three bytes replace the field, value and subvalue delimiters; a length of 0 reads
  // to the first NUL byte, and an empty text restores the defaults.
  void SetDelim(const char* text, int32_t length);
  const zqv::Delimiters& Delims() const { return delims_; }

  // Load and save the whole text form through the string object's whole-file transfer.
  // Results: bytes read or written, or a negative code (-62 for an empty path).
  int32_t ReadFromFile(const char* path, int32_t count, int32_t offset, uint32_t access,
                       uint32_t share, uint32_t disposition, uint32_t flags);
  int32_t WriteToFile(const char* path, int32_t count, int32_t offset, uint32_t access,
                      uint32_t share, uint32_t disposition, uint32_t flags);

 private:
  int32_t Store(int32_t field, int32_t value, int32_t subvalue, std::string_view text, bool insert);
  int32_t Find(std::string_view text, int32_t field, int32_t value, bool noCase);
  const zqv::ArrayField* FieldAt(int32_t field) const;
  const zqv::ArrayValue* ValueAt(int32_t field, int32_t value) const;

  zqv::ArrayFields fields_;
  zqv::Delimiters delims_;
  XSObject result_;  // the text of the last Get
};
