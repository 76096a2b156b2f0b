// The text form of window definitions (see windef.h), read line by line.
#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>

#include "zqruntime/windef.h"

namespace zq::rt {

const ControlDef* WindowDef::Control(int32_t number) const {
  for (const ControlDef& c : controls) {
    if (c.number == number) return &c;
  }
  return nullptr;
}

const ControlDef* WindowDef::Named(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const ControlDef& c : controls) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

namespace {

using zq::ui::Align;
using zq::ui::Kind;

struct BadLine {
  std::string message;
};

// A line's tokens: runs of non-blank characters; a quoted part may hold blanks.
std::vector<std::string> Tokens(std::string_view line) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string token;
    bool quoted = false;
    for (; i < line.size(); ++i) {
      char c = line[i];
      if (!quoted && (c == ' ' || c == '\t' || c == '\r')) break;
      if (c == '"') quoted = !quoted;
      if (quoted && c == '\\' && i + 1 < line.size()) {
        token += c;
        token += line[++i];
        continue;
      }
      token += c;
    }
    if (quoted) throw BadLine{"unterminated text"};
    out.push_back(std::move(token));
  }
  return out;
}

// The items of a token separated by commas outside quotes.
std::vector<std::string> Items(const std::string& token) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (std::size_t i = 0; i < token.size(); ++i) {
    char c = token[i];
    if (c == '"') quoted = !quoted;
    if (quoted && c == '\\' && i + 1 < token.size()) {
      out.back() += c;
      out.back() += token[++i];
      continue;
    }
    if (c == ',' && !quoted) {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

std::string Unquote(const std::string& item) {
  if (item.size() < 2 || item.front() != '"' || item.back() != '"') throw BadLine{"text expected: " + item};
  std::string out;
  for (std::size_t i = 1; i + 1 < item.size(); ++i) {
    char c = item[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    char e = item[++i];
    switch (e) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      default: throw BadLine{std::string("unknown escape \\") + e};
    }
  }
  return out;
}

double Number(std::string_view text) {
  double v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) throw BadLine{"number expected: " + std::string(text)};
  return v;
}

int32_t Whole(std::string_view text) {
  int32_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) throw BadLine{"whole number expected: " + std::string(text)};
  return v;
}

// Positions and sizes: dialog units are 16-bit numbers.
std::vector<int32_t> Wholes(const std::string& token, std::size_t count) {
  std::vector<std::string> items = Items(token);
  if (items.size() != count) throw BadLine{"expected " + std::to_string(count) + " numbers: " + token};
  std::vector<int32_t> out;
  for (const std::string& item : items) {
    int32_t v = Whole(item);
    if (v < -32768 || v > 32767) throw BadLine{"dialog units out of range: " + item};
    out.push_back(v);
  }
  return out;
}

COLORREF Colour(const std::string& token) {
  if (token == "-1") return zq::ui::kDefaultColour;
  if (token.starts_with("rgb(") && token.ends_with(")")) {
    std::vector<int32_t> c = Wholes(token.substr(4, token.size() - 5), 3);
    for (int32_t v : c) {
      if (v < 0 || v > 255) throw BadLine{"colour part out of range: " + token};
    }
    return static_cast<COLORREF>(c[0] | (c[1] << 8) | (c[2] << 16));
  }
  if (token.size() >= 2 && (token.back() == 'H' || token.back() == 'h')) {
    uint32_t v = 0;
    auto [end, ec] = std::from_chars(token.data(), token.data() + token.size() - 1, v, 16);
    if (ec == std::errc() && end == token.data() + token.size() - 1 && v <= 0xFFFFFF) return v;
  }
  throw BadLine{"colour expected: " + token};
}

zq::ui::Font FontOf(const std::string& token) {
  std::vector<std::string> items = Items(token);
  if (items.size() < 2) throw BadLine{"font needs a face and a size: " + token};
  zq::ui::Font f;
  f.face = Unquote(items[0]);
  f.points = Whole(items[1]);
  if (f.points <= 0 || f.points > 200) throw BadLine{"font size out of range: " + token};
  for (std::size_t i = 2; i < items.size(); ++i) {
    if (items[i] == "bold") {
      f.weight = 700;
    } else if (items[i] == "italic") {
      f.italic = true;
    } else {
      throw BadLine{"unknown font style: " + items[i]};
    }
  }
  return f;
}

std::vector<uint32_t> Keys(const std::string& token) {
  std::vector<uint32_t> out;
  for (const std::string& name : Items(token)) {
    uint32_t code = KeyCode(name);
    if (code == 0) throw BadLine{"unknown key: " + name};
    out.push_back(code);
  }
  return out;
}

std::vector<std::string> Choices(const std::string& text) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == '|') {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

const std::map<std::string_view, Kind>& KindNames() {
  static const std::map<std::string_view, Kind> names{
      {"text", Kind::Text},     {"string", Kind::Text},    {"entry", Kind::Edit},     {"memo", Kind::Edit},
      {"button", Kind::Button}, {"check", Kind::Check},    {"radio", Kind::Radio},    {"option", Kind::Group},
      {"group", Kind::Group},   {"list", Kind::List},      {"combo", Kind::Combo},    {"droplist", Kind::DropList},
      {"spin", Kind::Spin},     {"progress", Kind::Progress}, {"image", Kind::Image}, {"panel", Kind::Panel},
      {"line", Kind::Line},     {"region", Kind::Region},  {"sheet", Kind::Tab},
  };
  return names;
}

// Walks a line's tokens after its leading words.
class Cursor {
 public:
  Cursor(const std::vector<std::string>& t, std::size_t from) : tokens_(t), at_(from) {}
  bool Done() const { return at_ >= tokens_.size(); }
  const std::string& Next() { return tokens_[at_++]; }
  const std::string& Value(const std::string& key) {
    if (Done()) throw BadLine{"value expected after " + key};
    return Next();
  }

 private:
  const std::vector<std::string>& tokens_;
  std::size_t at_;
};

// A control's name: a C++ identifier, as the generated header declares it.
std::string NameOf(const std::string& token) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  bool valid = !token.empty() && letter(token[0]) && token.size() <= 64 &&
               std::all_of(token.begin(), token.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
  if (!valid) throw BadLine{"a name is a letter followed by letters, digits and _: " + token};
  return token;
}

bool AlignWord(const std::string& word, Align& align) {
  if (word == "left") align = Align::Left;
  else if (word == "center") align = Align::Center;
  else if (word == "right") align = Align::Right;
  else return false;
  return true;
}

void WindowLine(const std::vector<std::string>& t, WindowDef& w) {
  Cursor c(t, 1);
  if (!c.Done() && t[1].starts_with("\"")) w.title = Unquote(c.Next());
  while (!c.Done()) {
    const std::string& key = c.Next();
    if (key == "size") {
      auto v = Wholes(c.Value(key), 2);
      w.width = v[0];
      w.height = v[1];
    } else if (key == "pos") {
      auto v = Wholes(c.Value(key), 2);
      w.at = DlgRect{v[0], v[1], 0, 0};
    } else if (key == "font") {
      w.font = FontOf(c.Value(key));
    } else if (key == "back") {
      w.backColour = Colour(c.Value(key));
    } else if (key == "timer") {
      w.timer = Whole(c.Value(key));
    } else if (key == "icon") {
      w.icon = Unquote(c.Value(key));
    } else if (key == "keys") {
      w.keys = Keys(c.Value(key));
    } else if (key == "status") {
      w.statusZones = Whole(c.Value(key));
    } else if (key == "help") {
      w.help = Unquote(c.Value(key));
    } else if (key == "resizable") {
      w.resizable = true;
    } else if (key == "maximize") {
      w.maximize = true;
    } else if (key == "nosysmenu") {
      w.systemMenu = false;
    } else if (key == "notitle") {
      w.caption = false;
    } else if (key == "immediate") {
      w.immediate = true;
    } else if (key == "question") {
      w.question = true;
    } else {
      throw BadLine{"unknown window attribute: " + key};
    }
  }
  if (w.width <= 0 || w.height <= 0) throw BadLine{"window needs a size"};
  if (w.timer < 0 || w.timer > 8640000) throw BadLine{"timer out of range"};
}

void ControlLine(const std::vector<std::string>& t, WindowDef& w) {
  ControlDef d;
  d.number = Whole(t[0]);
  if (d.number <= 0) throw BadLine{"control numbers start at 1"};
  if (w.Control(d.number)) throw BadLine{"control " + t[0] + " defined twice"};
  if (t.size() < 2) throw BadLine{"control kind expected"};
  auto kind = KindNames().find(t[1]);
  if (kind == KindNames().end()) throw BadLine{"unknown control kind: " + t[1]};
  d.kind = kind->second;
  d.readOnly = t[1] == "string";
  d.multiLine = t[1] == "memo";
  Cursor c(t, 2);
  if (t.size() > 2 && t[2].starts_with("\"")) d.text = Unquote(c.Next());
  while (!c.Done()) {
    const std::string& key = c.Next();
    if (key == "at") {
      auto v = Wholes(c.Value(key), 4);
      if (v[2] < 0 || v[3] < 0) throw BadLine{"negative size"};
      d.at = DlgRect{v[0], v[1], v[2], v[3]};
    } else if (key == "font") {
      d.font = FontOf(c.Value(key));
    } else if (key == "colour") {
      d.textColour = Colour(c.Value(key));
    } else if (key == "back") {
      d.backColour = Colour(c.Value(key));
    } else if (key == "keys") {
      d.keys = Keys(c.Value(key));
    } else if (key == "tip") {
      d.tip = Unquote(c.Value(key));
    } else if (key == "choices") {
      d.choices = Choices(Unquote(c.Value(key)));
    } else if (key == "range") {
      std::vector<std::string> items = Items(c.Value(key));
      if (items.size() != 2 && items.size() != 3) throw BadLine{"range needs low,high[,step]"};
      d.low = Number(items[0]);
      d.high = Number(items[1]);
      if (items.size() == 3) d.step = Number(items[2]);
      if (!ValidRange(d.low, d.high, d.step)) throw BadLine{"bad range"};
    } else if (key == "value") {
      d.value = Whole(c.Value(key));
    } else if (key == "max") {
      d.maxLength = Whole(c.Value(key));
    } else if (key == "tab") {
      auto sheet = std::find_if(w.controls.rbegin(), w.controls.rend(),
                                [](const ControlDef& o) { return o.kind == Kind::Tab; });
      if (sheet == w.controls.rend()) throw BadLine{"a tab belongs to a sheet above"};
      d.sheet = sheet->number;
      d.tab = Whole(c.Value(key));
      if (d.tab < 1 || static_cast<std::size_t>(d.tab) > sheet->choices.size()) {
        throw BadLine{"no such tab: " + std::to_string(d.tab)};
      }
    } else if (key == "icon") {
      d.icon = Unquote(c.Value(key));
    } else if (key == "drop") {
      d.dropCount = Whole(c.Value(key));
      if (d.dropCount < 1 || d.dropCount > 100) throw BadLine{"drop count out of range"};
    } else if (key == "dropwidth") {
      d.dropWidth = Wholes(c.Value(key), 1)[0];
      if (d.dropWidth < 0) throw BadLine{"negative size"};
    } else if (key == "name") {
      d.name = NameOf(c.Value(key));
      if (w.Named(d.name)) throw BadLine{"name " + d.name + " given twice"};
    } else if (key == "default") {
      d.isDefault = true;
    } else if (key == "readonly") {
      d.readOnly = true;
    } else if (key == "hidden") {
      d.hidden = true;
    } else if (key == "disabled") {
      d.disabled = true;
    } else if (key == "skip") {
      d.skip = true;
    } else if (key == "vscroll") {
      d.vscroll = true;
    } else if (key == "hscroll") {
      d.hscroll = true;
    } else if (key == "upper") {
      d.upper = true;
    } else if (!AlignWord(key, d.align)) {
      throw BadLine{"unknown control attribute: " + key};
    }
  }
  w.controls.push_back(std::move(d));
}

// Column attributes that name a queue field.
struct ColumnField {
  std::string_view key;
  uint32_t ColumnDef::*member;
};
constexpr ColumnField kColumnFields[] = {
    {"field", &ColumnDef::field},
    {"icon", &ColumnDef::iconField},
    {"tree", &ColumnDef::levelField},
    {"colour", &ColumnDef::textColourField},
    {"back", &ColumnDef::backColourField},
    {"selcolour", &ColumnDef::selectedTextColourField},
    {"selback", &ColumnDef::selectedBackColourField},
};

void ColumnLine(const std::vector<std::string>& t, WindowDef& w) {
  if (w.controls.empty() ||
      (w.controls.back().kind != Kind::List && w.controls.back().kind != Kind::Combo)) {
    throw BadLine{"a column belongs to a list or combo"};
  }
  ColumnDef col;
  Cursor c(t, 1);
  if (t.size() > 1 && t[1].starts_with("\"")) col.header = Unquote(c.Next());
  while (!c.Done()) {
    const std::string& key = c.Next();
    auto field = std::find_if(std::begin(kColumnFields), std::end(kColumnFields),
                              [&](const ColumnField& f) { return key == f.key; });
    if (field != std::end(kColumnFields)) {
      col.*field->member = static_cast<uint32_t>(Whole(c.Value(key)));
    } else if (key == "width") {
      col.width = Whole(c.Value(key));
    } else if (key == "picture") {
      col.picture = Unquote(c.Value(key));
    } else if (!AlignWord(key, col.align)) {
      throw BadLine{"unknown column attribute: " + key};
    }
  }
  w.controls.back().columns.push_back(std::move(col));
}

}  // namespace

bool ValidRange(double low, double high, double step) {
  return low <= high && step > 0 && step <= 4e9 && low >= -kSpinLimit && high <= kSpinLimit;
}

ParsedDefinition ParseWindowDefinition(std::string_view text) {
  ParsedDefinition out;
  WindowDef w;
  bool haveWindow = false;
  int32_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    try {
      std::vector<std::string> t = Tokens(line);
      if (t.empty()) continue;
      if (t[0] == "window") {
        if (haveWindow) throw BadLine{"a second window line"};
        WindowLine(t, w);
        haveWindow = true;
      } else if (!haveWindow) {
        throw BadLine{"the window line comes first"};
      } else if (t[0] == "column") {
        ColumnLine(t, w);
      } else {
        ControlLine(t, w);
      }
    } catch (const BadLine& bad) {
      out.errorLine = lineNumber;
      out.error = bad.message;
      return out;
    }
  }
  if (!haveWindow) {
    out.errorLine = lineNumber;
    out.error = "no window line";
    return out;
  }
  out.window = std::move(w);
  return out;
}

}  // namespace zq::rt
