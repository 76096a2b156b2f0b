// The CSV text's pieces: quoting, splitting lines and values, the ".csv" rule, kinds.
#include <gtest/gtest.h>

#include "CsvText.h"
#include "app/Text.h"

namespace {

using namespace medialist;
using Values = std::vector<std::string>;

TEST(CsvText, OnlyValuesHoldingSemicolonsOrQuotesAreQuoted) {
  const std::pair<std::string, std::string> cases[] = {
      {"Alien (1979)", "Alien (1979)"}, {"", ""},          {"Rock; Pop", "\"Rock; Pop\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""}, {";", "\";\""}, {"  1.46 Kb  ", "  1.46 Kb  "}};
  for (const auto& [value, written] : cases) {
    std::string line;
    AppendValue(line, value);
    EXPECT_EQ(line, written);
    EXPECT_EQ(SplitValues(line), Values{value}) << written;
  }
}

TEST(CsvText, ValuesSplitAtSemicolonsOutsideQuotes) {
  EXPECT_EQ(SplitValues("a;\"b;c\";;\"d\"\"e\""), (Values{"a", "b;c", "", "d\"e"}));
  EXPECT_EQ(SplitValues(";;;"), (Values{"", "", "", ""}));
  EXPECT_EQ(SplitValues(""), Values{""});
  EXPECT_EQ(SplitValues("a\"b;c"), (Values{"a\"b", "c"}));  // a quote inside an unquoted value stays
  EXPECT_EQ(SplitValues("\"open;end"), Values{"open;end"});  // an unclosed quote runs to the line's end
}

TEST(CsvText, LinesEndAtCrLfCrOrLf) {
  using Lines = std::vector<std::string_view>;
  const auto texts = [](std::string_view text) {
    Lines lines;
    for (const TextLine& line : SplitLines(text)) lines.push_back(line.text);
    return lines;
  };
  EXPECT_EQ(texts("a\r\nb\r\n\r\nc\r\n"), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(texts("a\nb\n\nc\n"), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(texts("a\rb\r\nc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(texts(""), Lines{});
}

TEST(CsvText, DotCsvIsAppendedUnlessTheExtensionIsCsv) {
  EXPECT_EQ(WithCsvExtension("D:\\list.txt"), "D:\\list.txt.csv");
  EXPECT_EQ(WithCsvExtension("D:\\list"), "D:\\list.csv");
  EXPECT_EQ(WithCsvExtension("D:\\list.CSV"), "D:\\list.CSV");
  EXPECT_EQ(WithCsvExtension("D:\\list.cSv  "), "D:\\list.cSv");
  EXPECT_EQ(WithCsvExtension("D:\\a.csv\\list"), "D:\\a.csv\\list.csv");
}

TEST(CsvText, KindsComeFromTheTypeText) {
  const std::pair<const char*, uint8_t> cases[] = {{"BD-Rip", 1},     {"DVD-Rip", 2}, {"Video-File", 3},
                                                   {"Music-File", 4}, {"Unknown", 0}, {"bd-rip", 0},
                                                   {"", 0}};
  for (const auto& [type, kind] : cases) EXPECT_EQ(static_cast<uint8_t>(KindOfType(type)), kind) << type;
}

}  // namespace
