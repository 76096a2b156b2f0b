// Binding a query to its class and testing objects against its WHERE.
#include <charconv>

#include "FoldedText.h"
#include "Wql.h"

namespace zq::wmi {

namespace {

bool BindExpr(Expr& e, const ClassDef& cls) {
  if (e.kind != Expr::Kind::Compare) {
    return BindExpr(*e.left, cls) && (!e.right || BindExpr(*e.right, cls));
  }
  e.condition.index = cls.Find(e.condition.property);
  if (e.condition.index < 0) return false;
  return (cls.properties[static_cast<std::size_t>(e.condition.index)].type & CIM_FLAG_ARRAY) == 0;
}

template <class T>
bool Ordered(const T& a, const T& b, Op op) {
  switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return a != b;
    case Op::Lt: return a < b;
    case Op::Gt: return a > b;
    case Op::Le: return a <= b;
    case Op::Ge: return a >= b;
    default: return false;
  }
}

std::string LiteralText(const Literal& l) {
  if (l.kind == Literal::Kind::Boolean) return l.boolean ? "TRUE" : "FALSE";
  return l.text;
}

// A literal as a number for a numeric property: a text is read as one ("TRUE" and "FALSE" too).
bool LiteralNumber(const Literal& l, long double& n) {
  switch (l.kind) {
    case Literal::Kind::Number: n = l.number; return true;
    case Literal::Kind::Boolean: n = l.boolean ? 1 : 0; return true;
    case Literal::Kind::Text: {
      if (EqualNoCase(l.text, "TRUE") || EqualNoCase(l.text, "FALSE")) {
        n = EqualNoCase(l.text, "TRUE") ? 1 : 0;
        return true;
      }
      auto [end, error] = std::from_chars(l.text.data(), l.text.data() + l.text.size(), n);
      return error == std::errc() && end == l.text.data() + l.text.size();
    }
    default: return false;
  }
}

bool Holds(const Condition& c, const Value& v) {
  if (c.op == Op::IsNull) return v.IsNull();
  if (c.op == Op::IsNotNull) return !v.IsNull();
  if (c.literal.kind == Literal::Kind::Null && c.op != Op::Like) {
    // "= NULL" and "<> NULL" read as IS NULL and IS NOT NULL.
    if (c.op == Op::Eq) return v.IsNull();
    if (c.op == Op::Ne) return !v.IsNull();
    return false;
  }
  if (v.IsNull()) return false;
  if (c.op == Op::Like) return LikeMatches(c.pattern, v.Text());
  long double number = 0, wanted = 0;
  if (v.Number(number)) return LiteralNumber(c.literal, wanted) && Ordered(number, wanted, c.op);
  return Ordered(CompareNoCase(v.Text(), LiteralText(c.literal)), 0, c.op);
}

bool Evaluate(const Expr& e, const Record& record) {
  switch (e.kind) {
    case Expr::Kind::And: return Evaluate(*e.left, record) && Evaluate(*e.right, record);
    case Expr::Kind::Or: return Evaluate(*e.left, record) || Evaluate(*e.right, record);
    case Expr::Kind::Not: return !Evaluate(*e.left, record);
    default: return Holds(e.condition, record[static_cast<std::size_t>(e.condition.index)]);
  }
}

bool ItemMatches(const PatternItem& item, char32_t c) {
  switch (item.kind) {
    case PatternItem::Kind::One: return true;
    case PatternItem::Kind::Char: return item.ch == c;
    case PatternItem::Kind::Set: {
      bool in = false;
      for (auto [low, high] : item.ranges) in = in || (c >= low && c <= high);
      return in != item.negated;
    }
    default: return false;
  }
}

}  // namespace

bool Bind(Query& query, const ClassDef& cls) {
  for (const std::string& p : query.properties) {
    if (cls.Find(p) < 0) return false;
  }
  return !query.where || BindExpr(*query.where, cls);
}

bool Matches(const Query& query, const Record& record) { return !query.where || Evaluate(*query.where, record); }

bool LikeMatches(const std::vector<PatternItem>& pattern, std::string_view text) {
  std::u32string s = Fold(text);
  std::size_t p = 0, t = 0;
  std::size_t starP = std::string::npos, starT = 0;
  while (t < s.size()) {
    if (p < pattern.size() && pattern[p].kind == PatternItem::Kind::Any) {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && ItemMatches(pattern[p], s[t])) {
      ++p;
      ++t;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p].kind == PatternItem::Kind::Any) ++p;
  return p == pattern.size();
}

}  // namespace zq::wmi
