// The query language subset: parsing a query, binding it to its class, testing an object.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ClassDef.h"

namespace zq::wmi {

// One element of a LIKE pattern, on folded code points.
struct PatternItem {
  enum class Kind { Any, One, Char, Set } kind = Kind::Char;
  char32_t ch = 0;
  bool negated = false;                               // a set starting with "^"
  std::vector<std::pair<char32_t, char32_t>> ranges;  // a set's members, "a-z" or one "a"
};

struct Literal {
  enum class Kind { Null, Boolean, Number, Text } kind = Kind::Null;
  bool boolean = false;
  long double number = 0;
  std::string text;  // a text's content, or the number as written
};

enum class Op { Eq, Ne, Lt, Gt, Le, Ge, Like, IsNull, IsNotNull };

struct Condition {
  std::string property;
  int index = -1;  // the property's position, once bound
  Op op = Op::Eq;
  Literal literal;
  std::vector<PatternItem> pattern;  // LIKE
};

struct Expr {
  enum class Kind { Compare, And, Or, Not } kind = Kind::Compare;
  Condition condition;
  std::unique_ptr<Expr> left;
  std::unique_ptr<Expr> right;  // And, Or
};

struct Query {
  std::string className;
  bool allProperties = false;
  std::vector<std::string> properties;
  std::unique_ptr<Expr> where;  // null: every object
};

// Nothing for a text outside the language (a syntax error, another kind of query, a LIKE
// pattern with an open "[", nesting deeper than 100, more than 1,000 comparisons).
std::optional<Query> ParseWql(std::string_view text);

// Resolves the names of the query against the class: false when a property is unknown or a
// condition names a list-valued property.
bool Bind(Query& query, const ClassDef& cls);

// Whether a bound query's WHERE holds for the object (a comparison with a null property is
// false, IS NULL aside).
bool Matches(const Query& query, const Record& record);

// LIKE: % any run, _ one character, [abc], [a-z] and [^...] one character of (not of) the set;
// case-blind.
bool LikeMatches(const std::vector<PatternItem>& pattern, std::string_view text);

}  // namespace zq::wmi
