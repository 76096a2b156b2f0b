// The query text into a query: a tokenizer and a recursive-descent parser.
#include <charconv>

#include "FoldedText.h"
#include "Wql.h"

namespace zq::wmi {

namespace {

constexpr int kDeepest = 100;
constexpr int kMostConditions = 1000;

enum class Tok { Name, Number, Text, Op, Open, Close, Comma, Star, End };

struct Token {
  Tok kind = Tok::End;
  std::string text;
};

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The whole text in tokens; nothing when a character belongs to none.
std::optional<std::vector<Token>> Tokenize(std::string_view s) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (IsBlank(c)) {
      ++i;
    } else if (IsNameStart(c)) {
      std::size_t start = i;
      while (i < s.size() && (IsNameStart(s[i]) || IsDigit(s[i]))) ++i;
      tokens.push_back({Tok::Name, std::string(s.substr(start, i - start))});
    } else if (IsDigit(c) || ((c == '-' || c == '+' || c == '.') && i + 1 < s.size() && (IsDigit(s[i + 1]) || s[i + 1] == '.'))) {
      std::size_t start = i++;
      while (i < s.size() && (IsDigit(s[i]) || s[i] == '.' || IsNameStart(s[i]) ||
                              ((s[i] == '+' || s[i] == '-') && (s[i - 1] == 'e' || s[i - 1] == 'E')))) {
        ++i;
      }
      tokens.push_back({Tok::Number, std::string(s.substr(start, i - start))});
    } else if (c == '\'' || c == '"') {
      std::string text;
      ++i;
      for (;;) {
        if (i >= s.size()) return std::nullopt;
        if (s[i] == c) break;
        if (s[i] == '\\') {
          if (++i >= s.size()) return std::nullopt;
        }
        text += s[i++];
      }
      ++i;
      tokens.push_back({Tok::Text, std::move(text)});
    } else if (c == '<' || c == '>' || c == '=' || c == '!') {
      std::string op(1, c);
      if (i + 1 < s.size() && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) op += s[i + 1];
      if (op == "!" || op == "==" || op == "=>" || op == "=<") return std::nullopt;
      i += op.size();
      tokens.push_back({Tok::Op, std::move(op)});
    } else if (c == '(' || c == ')' || c == ',' || c == '*') {
      tokens.push_back({c == '(' ? Tok::Open : c == ')' ? Tok::Close : c == ',' ? Tok::Comma : Tok::Star, std::string(1, c)});
      ++i;
    } else {
      return std::nullopt;
    }
  }
  tokens.push_back({Tok::End, {}});
  return tokens;
}

PatternItem Item(PatternItem::Kind kind, char32_t ch = 0) {
  PatternItem item;
  item.kind = kind;
  item.ch = ch;
  return item;
}

std::optional<std::vector<PatternItem>> CompilePattern(std::string_view text) {
  std::u32string p = Fold(text);
  std::vector<PatternItem> items;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (p[i] == U'%') {
      if (items.empty() || items.back().kind != PatternItem::Kind::Any) items.push_back(Item(PatternItem::Kind::Any));
    } else if (p[i] == U'_') {
      items.push_back(Item(PatternItem::Kind::One));
    } else if (p[i] == U'[') {
      PatternItem set = Item(PatternItem::Kind::Set);
      std::size_t j = i + 1;
      if (j < p.size() && p[j] == U'^') {
        set.negated = true;
        ++j;
      }
      // A "]" first in the set is a member.
      bool first = true;
      for (; j < p.size() && (p[j] != U']' || first); ++j, first = false) {
        if (j + 2 < p.size() && p[j + 1] == U'-' && p[j + 2] != U']') {
          set.ranges.emplace_back(std::min(p[j], p[j + 2]), std::max(p[j], p[j + 2]));
          j += 2;
        } else {
          set.ranges.emplace_back(p[j], p[j]);
        }
      }
      if (j >= p.size()) return std::nullopt;
      items.push_back(std::move(set));
      i = j;
    } else {
      items.push_back(Item(PatternItem::Kind::Char, p[i]));
    }
  }
  return items;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::optional<Query> ParseQuery() {
    Query q;
    if (!Keyword("SELECT")) return std::nullopt;
    if (Peek().kind == Tok::Star) {
      Next();
      q.allProperties = true;
    } else {
      do {
        if (Peek().kind != Tok::Name || IsReserved(Peek().text)) return std::nullopt;
        q.properties.push_back(Next().text);
      } while (Accept(Tok::Comma));
    }
    if (!Keyword("FROM")) return std::nullopt;
    if (Peek().kind != Tok::Name || IsReserved(Peek().text)) return std::nullopt;
    q.className = Next().text;
    if (Keyword("WHERE")) {
      q.where = ParseOr(0);
      if (!q.where) return std::nullopt;
    }
    if (Peek().kind != Tok::End) return std::nullopt;
    return q;
  }

 private:
  using ExprPtr = std::unique_ptr<Expr>;

  static bool IsReserved(std::string_view word) {
    for (const char* k : {"SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "LIKE", "IS", "NULL", "TRUE", "FALSE"}) {
      if (EqualNoCase(word, k)) return true;
    }
    return false;
  }

  const Token& Peek() const { return tokens_[at_]; }
  const Token& Next() { return tokens_[at_ < tokens_.size() - 1 ? at_++ : at_]; }
  bool Accept(Tok kind) {
    if (Peek().kind != kind) return false;
    Next();
    return true;
  }
  bool Keyword(std::string_view word) {
    if (Peek().kind != Tok::Name || !EqualNoCase(Peek().text, word)) return false;
    Next();
    return true;
  }

  static ExprPtr Join(Expr::Kind kind, ExprPtr left, ExprPtr right) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->left = std::move(left);
    e->right = std::move(right);
    return e;
  }

  ExprPtr ParseOr(int depth) {
    ExprPtr left = ParseAnd(depth);
    while (left && Keyword("OR")) {
      ExprPtr right = ParseAnd(depth);
      if (!right) return nullptr;
      left = Join(Expr::Kind::Or, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr ParseAnd(int depth) {
    ExprPtr left = ParseNot(depth);
    while (left && Keyword("AND")) {
      ExprPtr right = ParseNot(depth);
      if (!right) return nullptr;
      left = Join(Expr::Kind::And, std::move(left), std::move(right));
    }
    return left;
  }

  ExprPtr ParseNot(int depth) {
    if (depth > kDeepest) return nullptr;
    if (Keyword("NOT")) {
      ExprPtr inner = ParseNot(depth + 1);
      return inner ? Join(Expr::Kind::Not, std::move(inner), nullptr) : nullptr;
    }
    if (Accept(Tok::Open)) {
      ExprPtr inner = ParseOr(depth + 1);
      return inner && Accept(Tok::Close) ? std::move(inner) : nullptr;
    }
    return ParseComparison();
  }

  std::optional<Literal> ParseLiteral() {
    Literal l;
    const Token& t = Peek();
    if (t.kind == Tok::Text) {
      l.kind = Literal::Kind::Text;
      l.text = t.text;
    } else if (t.kind == Tok::Number) {
      l.kind = Literal::Kind::Number;
      l.text = t.text;
      std::string_view digits = t.text;
      if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
      auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), l.number);
      if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    } else if (t.kind == Tok::Name && EqualNoCase(t.text, "NULL")) {
      l.kind = Literal::Kind::Null;
    } else if (t.kind == Tok::Name && (EqualNoCase(t.text, "TRUE") || EqualNoCase(t.text, "FALSE"))) {
      l.kind = Literal::Kind::Boolean;
      l.boolean = EqualNoCase(t.text, "TRUE");
    } else {
      return std::nullopt;
    }
    Next();
    return l;
  }

  static std::optional<Op> OpOf(std::string_view op, bool swapped) {
    if (op == "=") return Op::Eq;
    if (op == "<>" || op == "!=") return Op::Ne;
    if (op == "<") return swapped ? Op::Gt : Op::Lt;
    if (op == ">") return swapped ? Op::Lt : Op::Gt;
    if (op == "<=") return swapped ? Op::Ge : Op::Le;
    if (op == ">=") return swapped ? Op::Le : Op::Ge;
    return std::nullopt;
  }

  ExprPtr Compare(Condition c) {
    if (++conditions_ > kMostConditions) return nullptr;
    auto e = std::make_unique<Expr>();
    e->condition = std::move(c);
    return e;
  }

  ExprPtr ParseComparison() {
    Condition c;
    if (Peek().kind == Tok::Name && !IsReserved(Peek().text)) {
      c.property = Next().text;
      if (Keyword("IS")) {
        c.op = Keyword("NOT") ? Op::IsNotNull : Op::IsNull;
        return Keyword("NULL") ? Compare(std::move(c)) : nullptr;
      }
      if (Keyword("LIKE")) {
        if (Peek().kind != Tok::Text) return nullptr;
        auto pattern = CompilePattern(Next().text);
        if (!pattern) return nullptr;
        c.op = Op::Like;
        c.pattern = std::move(*pattern);
        return Compare(std::move(c));
      }
      if (Peek().kind != Tok::Op) return nullptr;
      c.op = *OpOf(Next().text, false);
      auto literal = ParseLiteral();
      if (!literal) return nullptr;
      c.literal = std::move(*literal);
      return Compare(std::move(c));
    }
    // A literal first: the comparison turned round.
    auto literal = ParseLiteral();
    if (!literal || Peek().kind != Tok::Op) return nullptr;
    c.op = *OpOf(Next().text, true);
    if (Peek().kind != Tok::Name || IsReserved(Peek().text)) return nullptr;
    c.property = Next().text;
    c.literal = std::move(*literal);
    return Compare(std::move(c));
  }

  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  int conditions_ = 0;
};

}  // namespace

std::optional<Query> ParseWql(std::string_view text) {
  auto tokens = Tokenize(text);
  if (!tokens) return std::nullopt;
  return Parser(std::move(*tokens)).ParseQuery();
}

}  // namespace zq::wmi
