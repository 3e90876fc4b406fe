#include <gtest/gtest.h>

#include "text/Text.h"

namespace {

struct FindCase {
  Text t, m;
  int first, last;
};

TEST(TextSearch, FindAndFindLastStepByCharacter) {
  const FindCase cases[] = {
      {"abcabc", "bc", 2, 5},
      {"abc", "", -1, -1},
      {"", "a", -1, -1},
      {"abc", "abcd", -1, -1},
      {"的回复: 字节=32", "字节=", 9, 9},
      // 0xB5 0x5D is one character ("礭"-like lead + "]" trail): its second
      // byte must not be taken for a closing bracket.
      {"x\xB5]y]", "]", 5, 5},
      // The bytes "BC D5" inside "BB BC D5 C2" straddle two characters.
      {"\xBB\xBC\xD5\xC2", "\xBC\xD5", -1, -1},
      {"时间<1ms", "ms", 7, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(find(c.t, c.m), c.first) << c.t << " / " << c.m;
    EXPECT_EQ(findLast(c.t, c.m), c.last) << c.t << " / " << c.m;
  }
  EXPECT_EQ(find("abcabc", "a", 2), 4);
  EXPECT_EQ(CharacterLength("a\xB5]", 2), 2);
  EXPECT_EQ(CharacterLength("a\xB5", 2), 1);  // a lead byte at the end stands alone
  EXPECT_EQ(CharacterLength("a", 2), 0);
}

TEST(TextSearch, MidLeftRight) {
  EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(mid("abcdef", 5, 10), "ef");
  EXPECT_EQ(mid("abcdef", 0, 2), "");
  EXPECT_EQ(mid("abcdef", 7, 2), "");
  EXPECT_EQ(mid("abcdef", 2, 0), "");
  EXPECT_EQ(mid("abcdef", 2, -4), "");
  EXPECT_EQ(left("abc", 2), "ab");
  EXPECT_EQ(left("abc", 9), "abc");
  EXPECT_EQ(left("abc", -1), "");
  EXPECT_EQ(right("abc", 2), "bc");
  EXPECT_EQ(right("abc", 9), "abc");
  EXPECT_EQ(right("abc", 0), "");
}

TEST(TextSearch, RemoveAndReplaceAreNonOverlappingFromTheLeft) {
  EXPECT_EQ(removeAll("aaa", "aa"), "a");
  EXPECT_EQ(replaceAll("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(removeAll("abc", ""), "abc");
  EXPECT_EQ(replaceAll("00-1A-2B", "-", ":"), "00:1A:2B");
  // A "]" that is the trail byte of a two-byte character stays.
  EXPECT_EQ(removeAll("[\xB5]]", "]"), "[\xB5]");
  EXPECT_EQ(removeAll("10.0.0.5(首选)(首选)", "(首选)"), "10.0.0.5");
}

TEST(TextBlanks, AsciiAndFullWidthSpacesOnly) {
  EXPECT_EQ(TrimBlanks("  \xA1\xA1 abc d\xA1\xA1  "), "abc d");
  EXPECT_EQ(TrimBlanks("\tabc\t"), "\tabc\t");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks(""), "");
  // A1 A1 made of the trail of one character and the lead of another is not a blank.
  EXPECT_EQ(TrimBlanks("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
  EXPECT_EQ(removeBlanks(" a \xA1\xA1 b\r\n"), "ab\r\n");
}

TEST(TextSplitRules, EmptyLeadingDoubledAndTrailingSeparators) {
  using V = std::vector<Text>;
  EXPECT_EQ(TextSplit("", ";"), V{});
  EXPECT_EQ(TextSplit("a;b", ";"), (V{"a", "b"}));
  EXPECT_EQ(TextSplit(";a", ";"), (V{"", "a"}));
  EXPECT_EQ(TextSplit("a;;b", ";"), (V{"a", "", "b"}));
  EXPECT_EQ(TextSplit("a;", ";"), V{"a"});
  EXPECT_EQ(TextSplit(";", ";"), V{""});
  EXPECT_EQ(TextSplit("a\r\nb\r\n", "\r\n"), (V{"a", "b"}));
  EXPECT_EQ(TextSplit("1.2.3.4.", "."), (V{"1", "2", "3", "4"}));
}

TEST(TextNumbers, ReadLeadingNumber) {
  struct Case {
    Text t;
    double number;
    int integer;
  };
  const Case cases[] = {
      {"12.9", 12.9, 12},
      {"-7", -7, -7},
      {"  +42abc", 42, 42},
      {"abc", 0, 0},
      {"", 0, 0},
      {"１５００", 1500, 1500},
      {"－３．５", -3.5, -3},
      {"\xA1\xA1 ８", 8, 8},
      {"1e3", 1000, 1},
      {"1e", 1, 1},
      {".5", 0.5, 0},
      {"99999999999", 99999999999.0, 2147483647},
      {"-99999999999", -99999999999.0, -2147483648},
      {"0042", 42, 42},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(TextToNumber(c.t), c.number) << c.t;
    EXPECT_EQ(TextToInteger(c.t), c.integer) << c.t;
  }
}

TEST(TextNumbers, WriteNumber) {
  EXPECT_EQ(NumberToText(5), "5");
  EXPECT_EQ(NumberToText(-7), "-7");
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(12.5), "12.5");
  EXPECT_EQ(NumberToText(1e21), "1000000000000000000000");
  EXPECT_EQ(NumberToText(0.1), "0.1");
  EXPECT_EQ(IntegerToText(-3), "-3");
}

}  // namespace
