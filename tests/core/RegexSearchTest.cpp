// Regular expressions over the document: matches, replacements and the messages, against
// what Python's re module gives for the same bytes (computed once, written in as constants).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "search/RegexEngine.h"
#include "search/RegexSearch.h"
#include "search/SearchCommands.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

using namespace std::string_view_literals;
using Span = std::pair<int64_t, int64_t>;  // 0-based start, end

struct FindCase {
  std::string_view data;
  std::string_view pattern;
  bool caseSensitive;
  std::vector<Span> forward;   // re.finditer
  std::vector<Span> backward;  // greatest start matching data[:end], end = that start, and so on
};

const FindCase kFindCases[] = {
    {"abxd"sv, "x*"sv, true, {{0, 0}, {1, 1}, {2, 3}, {3, 3}, {4, 4}}, {{3, 3}, {2, 3}, {1, 1}, {0, 0}}},
    {"foo bar\x0a""baz foo"sv, "^foo|foo$"sv, true, {{0, 3}, {12, 15}}, {{12, 15}, {0, 3}}},
    {"foo bar\x0a""baz foo"sv, "(?m)^ba\\w"sv, true, {{8, 11}}, {{8, 11}}},
    {"a@b cc@dd e@"sv, "(\\w+)@(\\w+)"sv, true, {{0, 3}, {4, 9}}, {{5, 9}, {0, 3}}},
    {"ABC aBc abc"sv, "abc"sv, false, {{0, 3}, {4, 7}, {8, 11}}, {{8, 11}, {4, 7}, {0, 3}}},
    {"ABC aBc abc"sv, "abc"sv, true, {{8, 11}}, {{8, 11}}},
    {"caf\xe9"" \xe9""t\xe9"" \xc9"""sv, "\xe9"""sv, false, {{3, 4}, {5, 6}, {7, 8}}, {{7, 8}, {5, 6}, {3, 4}}},
    {"\x00""\x80""\xff""\xfe""A\xff"""sv, "[\\x80-\\xff]+"sv, true, {{1, 4}, {5, 6}}, {{5, 6}, {3, 4}, {2, 3}, {1, 2}}},
    {"abc123"sv, "\\d+$"sv, true, {{3, 6}}, {{5, 6}, {4, 5}, {3, 4}}},
    {"abc123"sv, "\\d"sv, true, {{3, 4}, {4, 5}, {5, 6}}, {{5, 6}, {4, 5}, {3, 4}}},
    {"one two  three"sv, "\\b"sv, true, {{0, 0}, {3, 3}, {4, 4}, {7, 7}, {9, 9}, {14, 14}}, {{9, 9}, {7, 7}, {4, 4}, {3, 3}, {0, 0}}},
    {"a\x0a""c abc a.c"sv, "a.c"sv, true, {{4, 7}, {8, 11}}, {{8, 11}, {4, 7}}},
    {"ab cb ab"sv, "(?<=a)b"sv, true, {{1, 2}, {7, 8}}, {{7, 8}, {1, 2}}},
    {"QX1 QX9 QXa QX"sv, "QX([0-9])"sv, true, {{0, 3}, {4, 7}}, {{4, 7}, {0, 3}}},
    {"aaa"sv, "a|"sv, true, {{0, 1}, {1, 2}, {2, 3}, {3, 3}}, {{2, 3}, {1, 2}, {0, 1}}},
    {"xaxbx"sv, "(?P<n>x)(a)?"sv, true, {{0, 2}, {2, 3}, {4, 5}}, {{4, 5}, {2, 3}, {0, 2}}},
    {""sv, "z*"sv, true, {{0, 0}}, {}},
    {"abcabcab"sv, "abcab"sv, true, {{0, 5}}, {{3, 8}}},
    {"zap zapx zap\x0a""zapq zaz zap"sv, "zap[a-z ]?"sv, true, {{0, 4}, {4, 8}, {9, 12}, {13, 17}, {22, 25}},
     {{22, 25}, {13, 17}, {9, 12}, {4, 8}, {0, 4}}},
    {"xxzapzapzazap"sv, "zap(zap)?"sv, true, {{2, 8}, {10, 13}}, {{10, 13}, {5, 8}, {2, 5}}},
    {"abab ab"sv, "ab\\b"sv, true, {{2, 4}, {5, 7}}, {{5, 7}, {2, 4}, {0, 2}}},
};

const uint8_t* Bytes(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Every window size moves the boundaries across the matches, and a pattern with a plain prefix
// is also tried only where the literal scanner finds it; the results must not change.
TEST(RegexSearch, MatchesAsPythonReInEveryWindowSize) {
  for (const FindCase& c : kFindCases) {
    for (const int64_t window : {0, 1, 2, 3, 7, 1 << 20}) {
      SCOPED_TRACE(std::string(c.pattern) + " window " + std::to_string(window));
      TRegexSearch re;
      // Window 0: the prefix filter, where the pattern has a prefix.
      re.SetPrefixFilter(window == 0);
      re.SetWindow(window);
      ASSERT_TRUE(re.Prepare(c.pattern, c.caseSensitive));
      const auto size = static_cast<int64_t>(c.data.size());
      std::vector<Span> forward;
      int64_t pos = 1;
      bool notEmpty = false;
      RegexMatch m;
      bool abort = false;
      while (re.Forward(Bytes(c.data), size, pos, notEmpty, nullptr, abort, m) == TRegexSearch::Result::Found) {
        forward.emplace_back(m.pos - 1, m.pos - 1 + m.length);
        pos = m.pos + m.length;
        notEmpty = m.length == 0;
      }
      EXPECT_EQ(forward, c.forward);
      std::vector<Span> backward;
      for (int64_t end = size; re.Backward(Bytes(c.data), end, 1, nullptr, abort, m) == TRegexSearch::Result::Found;
           end = m.pos - 1) {
        backward.emplace_back(m.pos - 1, m.pos - 1 + m.length);
      }
      EXPECT_EQ(backward, c.backward);
    }
  }
}

// Only a prefix every match plainly starts with may filter; anything less plain takes the scan.
TEST(RegexSearch, PrefixOnlyWhereEveryMatchPlainlyStartsWithIt) {
  const struct {
    std::string_view pattern;
    bool caseSensitive;
    std::string_view prefix;
  } cases[] = {
      {"zap[a-z ]?"sv, true, "zap"sv},      {"QX([0-9])"sv, true, "QX"sv},     {"zap?"sv, true, "za"sv},
      {"zap{2}x"sv, true, "za"sv},          {"ab*c"sv, true, ""sv},            {"zap\\d"sv, true, "zap"sv},
      {"zap"sv, false, ""sv},               {"(*UTF)zap"sv, true, ""sv},       {"(?i)zap"sv, true, ""sv},
      {"zap|x"sv, true, ""sv},              {"zap(a|b)"sv, true, ""sv},        {"zap(?<=p)"sv, true, ""sv},
      {"zap(*COMMIT)x"sv, true, ""sv},      {"zap(?C1)"sv, true, ""sv},        {"\\Qzap\\E"sv, true, ""sv},
      {"^zap"sv, true, ""sv},               {"z.p"sv, true, ""sv},             {"zap\\Kx"sv, true, "zap"sv},
  };
  for (const auto& c : cases) {
    TRegexSearch re;
    ASSERT_TRUE(re.Prepare(c.pattern, c.caseSensitive)) << c.pattern;
    EXPECT_EQ(re.LiteralPrefix(), c.prefix) << c.pattern;
  }
}

struct ReplaceCase {
  std::string_view data;
  std::string_view pattern;
  std::string_view replacement;
  bool caseSensitive;
  std::string_view result;  // re.subn
  int64_t count;
};

const ReplaceCase kReplaceCases[] = {
    {"QX1 QX9 QXa QX"sv, "QX([0-9])"sv, "$1$1"sv, true, "11 99 QXa QX"sv, 2},
    {"abxd"sv, "x*"sv, "-"sv, true, "-a-b--d-"sv, 5},
    {"a@b cc@dd"sv, "(\\w+)@(\\w+)"sv, "$2@$1"sv, true, "b@a dd@cc"sv, 2},
    {"xaxbx"sv, "(?P<n>x)(a)?"sv, "${n}[$2]"sv, true, "x[a]x[]bx[]"sv, 3},
    {"ABC abc"sv, "b"sv, "$$0=$0"sv, false, "A$0=BC a$0=bc"sv, 2},
    {"aaa"sv, "a"sv, ""sv, true, ""sv, 3},
    {"aaa"sv, "a"sv, "aa"sv, true, "aaaaaa"sv, 3},
    {"a1b22c333"sv, "\\d+"sv, "<${0}>"sv, true, "a<1>b<22>c<333>"sv, 3},
    {"xyz\xff""\xff"""sv, "\\xff$"sv, "END"sv, true, "xyz\xff""END"sv, 1},
    {"abab"sv, "ab|b"sv, "X"sv, true, "XX"sv, 2},
};

// Each case with the prefix filter on and off.
template <size_t N>
std::vector<std::pair<const ReplaceCase&, bool>> Pairs(const ReplaceCase (&cases)[N]) {
  std::vector<std::pair<const ReplaceCase&, bool>> pairs;
  for (const ReplaceCase& c : cases) {
    pairs.emplace_back(c, true);
    pairs.emplace_back(c, false);
  }
  return pairs;
}

class RegexCommands : public ::testing::Test {
 protected:
  ~RegexCommands() override { RegexSearcher().SetPrefixFilter(true); }
  void Load(std::string_view bytes, std::string_view pattern, bool caseSensitive = true) {
    test::LoadDocument(std::string(bytes), 4, 4);
    Search().RegexEnabled = true;
    Search().FromCursor = false;
    Search().FindString = pattern;
    Search().CaseSensitive = caseSensitive;
  }
  std::vector<std::string> Texts() const { return rec.messages.Texts(); }
  test::RecorderScope rec;
};

// Replace all is one undo step and counts as Python does; Count finds as many.
TEST_F(RegexCommands, ReplaceAllAndCountAsPythonReOneUndoStep) {
  for (const auto& [c, filter] : Pairs(kReplaceCases)) {
    SCOPED_TRACE(std::string(c.pattern) + " -> " + std::string(c.replacement) + (filter ? " filtered" : ""));
    RegexSearcher().SetPrefixFilter(filter);
    Load(c.data, c.pattern, c.caseSensitive);
    Search().ReplaceString = c.replacement;
    CountCommand();
    ReplaceAllCommand();
    const std::string count = std::to_string(c.count);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Occurences found:\n" + count, "Occurences replaced:\n" + count}));
    EXPECT_EQ(test::DocumentBytes(), c.result);
    EXPECT_EQ(Doc().Journal.UndoDepth(), 1u);
    ASSERT_TRUE(Doc().Journal.Undo());
    EXPECT_EQ(test::DocumentBytes(), c.data);
    rec.messages.shown.clear();
  }
}

// F3 walks the matches a Find gives, never stopping on an empty match twice nor after the end;
// Shift+F3 walks them back; F4 replaces one at a time and Replace undo takes the last back.
TEST_F(RegexCommands, FindAgainAndReplaceAgainStepOverEmptyMatches) {
  Load("abxd", "x*");
  std::vector<int64_t> down;
  for (int i = 0; i < 5; ++i) {
    FindAgainDown(true);
    down.push_back(CursorAddress());
  }
  EXPECT_EQ(down, (std::vector<int64_t>{1, 2, 3, 4, 4}));  // empty, empty, x, empty; not the one after the end
  EXPECT_EQ(Texts(), (std::vector<std::string>{"String not found"}));
  Load("QX1 QX9", "QX([0-9])");
  Search().ReplaceString = "$1$1";
  ReplaceAgainDown(false);
  ReplaceAgainDown(true);
  EXPECT_EQ(test::DocumentBytes(), "11 99");
  ReplaceUndoCommand();
  EXPECT_EQ(test::DocumentBytes(), "11 QX9");
  Load("a1b22c333", "\\d+");
  GotoAddress(9, true, false);
  std::vector<int64_t> up;
  for (int i = 0; i < 4; ++i) {
    FindAgainUp(true);
    up.push_back(CursorAddress());
  }
  // Each match ends before the one found last begins, as with a literal string.
  EXPECT_EQ(up, (std::vector<int64_t>{9, 8, 7, 5}));
}

TEST_F(RegexCommands, InvalidPatternsAndLimitsGiveTheirMessageAndChangeNothing) {
  const struct {
    std::string_view data, pattern, message;
  } cases[] = {
      {"abc", "a(b", "Invalid regular expression at position 3: missing closing parenthesis"},
      {"abc", "x{2,1}", "Invalid regular expression at position 5: numbers out of order in {} quantifier"},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaX b", "(a+)+b",
       "Regular expression too complex: match limit exceeded"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern));
    Load(c.data, c.pattern);
    Search().ReplaceString = "z";
    rec.messages.shown.clear();
    FindAgainDown(true);
    CountCommand();
    ReplaceAllCommand();
    EXPECT_EQ(Texts(), (std::vector<std::string>{std::string(c.message), std::string(c.message),
                                                 std::string(c.message), "Occurences replaced:\n0"}));
    EXPECT_EQ(test::DocumentBytes(), c.data);
    EXPECT_FALSE(Doc().Journal.CanUndo());
  }
  TRegexSearch re;
  ASSERT_TRUE(re.Prepare("(?P<n>a)(b)?", true));
  EXPECT_EQ(re.CheckReplacement("$0$1$2${n}$$3 $x ${2}"), "");
  EXPECT_EQ(re.CheckReplacement("a$3"),
            "The replacement names a group the regular expression does not have: $3");
  EXPECT_EQ(re.CheckReplacement("${m}"),
            "The replacement names a group the regular expression does not have: ${m}");
}

}  // namespace
}  // namespace quoxa
