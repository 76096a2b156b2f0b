#include <algorithm>
#include <stdexcept>

#include "zqplatform/charset.h"
#include "zqruntime/record.h"

namespace zq::rt {
namespace {

FieldDecl Decl(std::string name, FieldKind kind, uint32_t length = 0) {
  FieldDecl d;
  d.name = std::move(name);
  d.kind = kind;
  d.length = length;
  return d;
}

uint32_t ScalarSize(FieldKind kind) {
  switch (kind) {
    case FieldKind::Byte:
      return 1;
    case FieldKind::Short:
      return 2;
    case FieldKind::Long:
    case FieldKind::ULong:
      return 4;
    case FieldKind::Real:
      return 8;
    case FieldKind::Reference:
      return sizeof(void*);
    default:
      return 0;
  }
}

uint32_t DeclSize(const FieldDecl& d) {
  uint64_t one = 0;
  if (d.kind == FieldKind::Group) {
    for (const auto& m : d.members) one += DeclSize(m);
  } else if (d.kind == FieldKind::String || d.kind == FieldKind::CString) {
    one = d.length;
  } else {
    one = ScalarSize(d.kind);
  }
  const uint64_t total = one * std::max<uint32_t>(d.elements, 1);
  if (total > 0x7FFFFFFF) throw std::length_error("record too large");
  return static_cast<uint32_t>(total);
}

bool SameNoCase(std::string_view a, std::string_view b) {
  return zq::text::CompareNoCase(a, b) == 0;
}

}  // namespace

FieldDecl FieldDecl::Dim(uint32_t count) const {
  FieldDecl d = *this;
  d.elements = std::max<uint32_t>(count, 1);
  return d;
}

FieldDecl BYTE(std::string name) { return Decl(std::move(name), FieldKind::Byte); }
FieldDecl SHORT(std::string name) { return Decl(std::move(name), FieldKind::Short); }
FieldDecl LONG(std::string name) { return Decl(std::move(name), FieldKind::Long); }
FieldDecl ULONG(std::string name) { return Decl(std::move(name), FieldKind::ULong); }
FieldDecl REAL(std::string name) { return Decl(std::move(name), FieldKind::Real); }
FieldDecl REFERENCE(std::string name) { return Decl(std::move(name), FieldKind::Reference); }
FieldDecl STRING(std::string name, uint32_t length) {
  return Decl(std::move(name), FieldKind::String, std::max<uint32_t>(length, 1));
}
FieldDecl CSTRING(std::string name, uint32_t length) {
  return Decl(std::move(name), FieldKind::CString, std::max<uint32_t>(length, 1));
}
FieldDecl GROUP(std::string name, std::initializer_list<FieldDecl> members) {
  FieldDecl d = Decl(std::move(name), FieldKind::Group);
  d.members.assign(members.begin(), members.end());
  return d;
}

RecordLayout::RecordLayout(std::initializer_list<FieldDecl> fields)
    : RecordLayout(std::vector<FieldDecl>(fields)) {}

RecordLayout::RecordLayout(const std::vector<FieldDecl>& fields) {
  Place(fields, 0);
  uint64_t total = 0;
  for (const auto& d : fields) total += DeclSize(d);
  if (total > 0x7FFFFFFF) throw std::length_error("record too large");
  size_ = static_cast<uint32_t>(total);
}

void RecordLayout::Place(const std::vector<FieldDecl>& fields, uint32_t base) {
  uint32_t offset = base;
  for (const auto& d : fields) {
    const uint32_t total = DeclSize(d);
    const uint32_t elements = std::max<uint32_t>(d.elements, 1);
    std::size_t at = fields_.size();
    fields_.push_back(Field{d.name, d.kind, offset, total / elements, elements});
    if (d.kind == FieldKind::Group) {
      Place(d.members, offset);
      fields_[at].members = static_cast<uint32_t>(fields_.size() - at - 1);
    }
    offset += total;
  }
}

const Field* RecordLayout::At(uint32_t n) const {
  if (n == 0 || n > fields_.size()) return nullptr;
  return &fields_[n - 1];
}

uint32_t RecordLayout::Find(std::string_view name) const {
  // The first name is looked for at any depth; each name before a "." narrows the search to
  // the own members of the group of that name (not those of its inner groups).
  std::size_t from = 0;
  std::size_t to = fields_.size();
  bool anyDepth = true;
  for (;;) {
    std::size_t dot = name.find('.');
    std::string_view part = name.substr(0, dot);
    if (part.empty()) return 0;
    std::size_t i = from;
    while (i < to && !(SameNoCase(fields_[i].name, part) && (dot == std::string_view::npos || fields_[i].IsGroup()))) {
      i += anyDepth ? 1 : 1 + fields_[i].members;
    }
    if (i >= to) return 0;
    if (dot == std::string_view::npos) return static_cast<uint32_t>(i + 1);
    from = i + 1;
    to = from + fields_[i].members;
    anyDepth = false;
    name.remove_prefix(dot + 1);
  }
}

namespace {

// The fields a declaration adds: itself and, for a group, its members at every depth.
uint32_t FieldsOf(const FieldDecl& d) {
  uint32_t count = 1;
  for (const auto& m : d.members) count += FieldsOf(m);
  return count;
}

bool Reads(uint32_t kinds, FieldKind kind) { return (kinds >> static_cast<uint32_t>(kind) & 1u) != 0; }

}  // namespace

const RecordLayout& RecordView::Layout() const {
  if (!Declares()) return *layout_;
  std::call_once(built_, [this] { own_ = std::make_unique<const RecordLayout>(declared_); });
  return *own_;
}

FieldRefBase::FieldRefBase(RecordView& view, std::string_view name, uint32_t kinds) : number_(0) {
  ++view.members_;
  if (!view.Declares()) {
    number_ = view.Layout().Find(name);
    const Field* field = view.Layout().At(number_);
    if (field && Reads(kinds, field->kind)) return;
  }
  view.unbound_.emplace_back(name);
  number_ = 0;
}

FieldRefBase::FieldRefBase(RecordView& view, const FieldDecl& decl, uint32_t kinds) : number_(0) {
  ++view.members_;
  if (view.Declares()) {
    const bool known = std::any_of(view.declared_.begin(), view.declared_.end(),
                                   [&](const FieldDecl& d) { return SameNoCase(d.name, decl.name); });
    view.declared_.push_back(decl);
    const uint32_t number = view.declaredFields_ + 1;
    view.declaredFields_ += FieldsOf(decl);
    if (!known && !decl.name.empty() && Reads(kinds, decl.kind)) {
      number_ = number;
      return;
    }
  }
  view.unbound_.push_back(decl.name);
}

}  // namespace zq::rt
