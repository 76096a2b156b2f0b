// Typed records as the program declares them: a layout built from a list of field
// declarations, and record buffers whose fields are read and written by number (from 1, in
// declaration order, a group counting as a field before its members) or by name (any case,
// "GROUP.FIELD" for a field of a group).
//
//   const zq::rt::RecordLayout QNOSCAN{CSTRING("FNAME", 64)};
//   const zq::rt::RecordLayout T1GROUP{CSTRING("ROOT", 256), LONG("THREADNR")};
//
// Text conversions: a field reads as text without trailing blanks (STRING and CSTRING),
// whole numbers in plain decimal, reals with at most 15 significant digits and no trailing
// zeros, a group as its raw bytes. Assigning a text blank-pads or cuts a STRING, cuts a
// CSTRING to one less than its size, parses a number (an empty or non-numeric text gives 0)
// and keeps a whole number's low bits in the field's width (a SHORT its low 16, a BYTE its
// low 8).
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zq::rt {

enum class FieldKind : uint8_t {
  Byte,
  Short,
  Long,
  ULong,
  Real,
  String,
  CString,
  Group,
  Reference
};

// One field declaration; Dim(n) makes it an array of n elements.
struct FieldDecl {
  std::string name;
  FieldKind kind = FieldKind::Long;
  uint32_t length = 0;  // characters of a STRING or CSTRING (the zero byte included)
  uint32_t elements = 1;
  std::vector<FieldDecl> members;  // a group's fields

  FieldDecl Dim(uint32_t count) const;
};

FieldDecl BYTE(std::string name);
FieldDecl SHORT(std::string name);
FieldDecl LONG(std::string name);
FieldDecl ULONG(std::string name);
FieldDecl REAL(std::string name);
FieldDecl STRING(std::string name, uint32_t length);
FieldDecl CSTRING(std::string name, uint32_t length);
FieldDecl GROUP(std::string name, std::initializer_list<FieldDecl> members);
// A reference to an object (a queue passed through a thread's parameter): a native pointer.
FieldDecl REFERENCE(std::string name);

// A field as the layout places it.
struct Field {
  std::string name;
  FieldKind kind;
  uint32_t offset;    // from the record's start
  uint32_t size;      // bytes of one element
  uint32_t elements;  // 1 unless an array
  uint32_t members = 0;  // a group's fields, those of its inner groups included
  bool IsGroup() const { return kind == FieldKind::Group; }
  bool IsArray() const { return elements > 1; }
  bool IsText() const { return kind == FieldKind::String || kind == FieldKind::CString; }
  bool IsNumber() const { return !IsText() && !IsGroup(); }
};

class RecordLayout {
 public:
  RecordLayout(std::initializer_list<FieldDecl> fields);
  explicit RecordLayout(const std::vector<FieldDecl>& fields);

  uint32_t Size() const { return size_; }
  uint32_t FieldCount() const { return static_cast<uint32_t>(fields_.size()); }
  // Field n (from 1); null outside 1..FieldCount().
  const Field* At(uint32_t n) const;
  // The number of the first field of that name (any letter case), 0 when there is none. A
  // name may be qualified by groups: "CAT2.ALLIGN" is CAT2's own ALLIGN, "CAT2.INNER.DX" the DX
  // of CAT2's group INNER.
  uint32_t Find(std::string_view name) const;

 private:
  void Place(const std::vector<FieldDecl>& fields, uint32_t base);
  std::vector<Field> fields_;
  uint32_t size_ = 0;
};

// A view of one record's bytes. Field numbers out of range, unknown names and elements
// out of range read as empty text or 0 and are not written (the Set calls answer false).
class RecordRef {
 public:
  RecordRef(const RecordLayout& layout, std::byte* data) : layout_(&layout), data_(data) {}

  const RecordLayout& Layout() const { return *layout_; }
  std::string_view Bytes() const;

  std::string Text(uint32_t field, uint32_t element = 1) const;
  int64_t Whole(uint32_t field, uint32_t element = 1) const;
  double Real(uint32_t field, uint32_t element = 1) const;
  void* Reference(uint32_t field) const;

  bool SetText(uint32_t field, std::string_view text, uint32_t element = 1);
  bool SetWhole(uint32_t field, int64_t value, uint32_t element = 1);
  bool SetReal(uint32_t field, double value, uint32_t element = 1);
  bool SetReference(uint32_t field, void* value);

  std::string Text(std::string_view name, uint32_t element = 1) const;
  int64_t Whole(std::string_view name, uint32_t element = 1) const;
  double Real(std::string_view name, uint32_t element = 1) const;
  void* Reference(std::string_view name) const;
  bool SetText(std::string_view name, std::string_view text, uint32_t element = 1);
  bool SetWhole(std::string_view name, int64_t value, uint32_t element = 1);
  bool SetReal(std::string_view name, double value, uint32_t element = 1);
  bool SetReference(std::string_view name, void* value);

  // Copies bytes over the record (as a group is filled from a text); the rest is zeroed.
  void AssignBytes(std::string_view bytes);
  // Copies another record of the same layout.
  void Assign(const RecordRef& other);
  // Blanks every text, zeroes every number.
  void Clear();

 protected:
  void Rebind(std::byte* data) { data_ = data; }

 private:
  // Field n with the bytes of its element e; no bytes when either does not exist.
  struct Slot {
    const Field* field = nullptr;
    std::byte* bytes = nullptr;
  };
  Slot At(uint32_t n, uint32_t e) const;
  std::byte* Element(const Field& field, uint32_t element) const;
  const RecordLayout* layout_;
  std::byte* data_;
};

// A record with storage of its own, cleared on creation.
class Record : public RecordRef {
 public:
  explicit Record(std::shared_ptr<const RecordLayout> layout);
  Record(const Record& other);
  Record& operator=(const Record& other);

 private:
  std::shared_ptr<const RecordLayout> owner_;
  std::unique_ptr<std::byte[]> storage_;
};

// A typed view of a record: a struct derived from it whose members are its fields, so that it
// reads like the record declaration it mirrors. A view declares its record (the default
// constructor): each member gives its field's name, kind and size, and the layout is built
// from the members in their order, so a field is written down once.
//   struct QDriveFields : zq::rt::RecordView {
//     zq::rt::TextField DRV{*this, zq::rt::STRING("DRV", 3)};  // the drive, "C:"
//     zq::rt::WholeField DICON{*this, zq::rt::LONG("DICON")};
//   };
//   const QDriveFields QDRIVEF;  ...  Queue q(QDRIVEF.Layout());  QDRIVEF.DRV.Set(buffer, "C:");
// A view over a layout declared elsewhere (RecordView(layout)) binds its members by name as it
// is built. Unbound() names the members that do not bind: a name the layout lacks or holds in
// a kind the member cannot read (a number read as text, a text read as a number), a declared
// field of such a kind or of a name declared before, a member of the other way; so a misspelt
// name is found once, at start-up.
class RecordView {
 public:
  explicit RecordView(const RecordLayout& layout) : layout_(&layout) {}
  RecordView(const RecordView&) = delete;
  RecordView& operator=(const RecordView&) = delete;

  // A declaring view's layout is built on the first call, once every member is in place.
  const RecordLayout& Layout() const;
  const std::vector<std::string>& Unbound() const { return unbound_; }
  // The members built on the view, bound or not.
  uint32_t Members() const { return members_; }

 protected:
  RecordView() = default;

 private:
  friend class FieldRefBase;
  bool Declares() const { return layout_ == nullptr; }
  const RecordLayout* layout_ = nullptr;
  std::vector<FieldDecl> declared_;
  uint32_t declaredFields_ = 0;  // the fields of declared_, a group's members included
  mutable std::once_flag built_;
  mutable std::unique_ptr<const RecordLayout> own_;
  std::vector<std::string> unbound_;
  uint32_t members_ = 0;
};

// A set of field kinds as a bit mask.
constexpr uint32_t KindSet(std::initializer_list<FieldKind> kinds) {
  uint32_t set = 0;
  for (FieldKind k : kinds) set |= 1u << static_cast<uint32_t>(k);
  return set;
}
constexpr uint32_t kWholeKinds = KindSet({FieldKind::Byte, FieldKind::Short, FieldKind::Long, FieldKind::ULong});
constexpr uint32_t kTextKinds = KindSet({FieldKind::String, FieldKind::CString});

// A field of a layout resolved once by name. Built on a RecordView it reports itself there
// when the layout has no such field or one of another kind.
class FieldRefBase {
 public:
  FieldRefBase(const RecordLayout& layout, std::string_view name) : number_(layout.Find(name)) {}
  uint32_t Number() const { return number_; }
  bool Bound() const { return number_ != 0; }
  // The field by the record's text conversions, whatever its kind.
  std::string Text(const RecordRef& r, uint32_t e = 1) const { return r.Text(number_, e); }
  bool SetText(RecordRef& r, std::string_view v, uint32_t e = 1) const { return r.SetText(number_, v, e); }

 protected:
  // kinds: the field kinds the member reads, as KindSet gives them. By name on a view over a
  // layout, by declaration on a declaring view.
  FieldRefBase(RecordView& view, std::string_view name, uint32_t kinds);
  FieldRefBase(RecordView& view, const FieldDecl& decl, uint32_t kinds);
  uint32_t number_;
};

struct TextField : FieldRefBase {
  using FieldRefBase::FieldRefBase;
  TextField(RecordView& view, std::string_view name) : FieldRefBase(view, name, kTextKinds) {}
  TextField(RecordView& view, const FieldDecl& decl) : FieldRefBase(view, decl, kTextKinds) {}
  std::string operator()(const RecordRef& r, uint32_t e = 1) const { return r.Text(number_, e); }
  bool Set(RecordRef& r, std::string_view v, uint32_t e = 1) const {
    return r.SetText(number_, v, e);
  }
};

struct WholeField : FieldRefBase {
  using FieldRefBase::FieldRefBase;
  WholeField(RecordView& view, std::string_view name) : FieldRefBase(view, name, kWholeKinds) {}
  WholeField(RecordView& view, const FieldDecl& decl) : FieldRefBase(view, decl, kWholeKinds) {}
  int64_t operator()(const RecordRef& r, uint32_t e = 1) const { return r.Whole(number_, e); }
  bool Set(RecordRef& r, int64_t v, uint32_t e = 1) const { return r.SetWhole(number_, v, e); }
};

struct RealField : FieldRefBase {
  using FieldRefBase::FieldRefBase;
  RealField(RecordView& view, std::string_view name) : FieldRefBase(view, name, KindSet({FieldKind::Real})) {}
  RealField(RecordView& view, const FieldDecl& decl) : FieldRefBase(view, decl, KindSet({FieldKind::Real})) {}
  double operator()(const RecordRef& r, uint32_t e = 1) const { return r.Real(number_, e); }
  bool Set(RecordRef& r, double v, uint32_t e = 1) const { return r.SetReal(number_, v, e); }
};

struct ReferenceField : FieldRefBase {
  ReferenceField(RecordView& view, std::string_view name) : FieldRefBase(view, name, KindSet({FieldKind::Reference})) {}
  ReferenceField(RecordView& view, const FieldDecl& decl)
      : FieldRefBase(view, decl, KindSet({FieldKind::Reference})) {}
  void* operator()(const RecordRef& r) const { return r.Reference(number_); }
  bool Set(RecordRef& r, void* v) const { return r.SetReference(number_, v); }
};

// A whole-number field whose stored values are those of an enumeration E.
template <typename E>
struct EnumField : FieldRefBase {
  EnumField(RecordView& view, std::string_view name) : FieldRefBase(view, name, kWholeKinds) {}
  EnumField(RecordView& view, const FieldDecl& decl) : FieldRefBase(view, decl, kWholeKinds) {}
  E operator()(const RecordRef& r, uint32_t e = 1) const { return static_cast<E>(r.Whole(number_, e)); }
  bool Set(RecordRef& r, E v, uint32_t e = 1) const { return r.SetWhole(number_, static_cast<int64_t>(v), e); }
};

}  // namespace zq::rt
