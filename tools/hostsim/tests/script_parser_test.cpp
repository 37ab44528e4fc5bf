// The script language's lines, words and repeat blocks.
#include <gtest/gtest.h>

#include "common/text.h"
#include "script/script.h"

namespace hostsim::test {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptParser, WordsQuotesAndComments) {
  EXPECT_EQ(splitWords(R"(open "Quarterly report" # a comment)", 1), (Words{"open", "Quarterly report"}));
  EXPECT_EQ(splitWords("  expect  tabs\tA  B\r", 1), (Words{"expect", "tabs", "A", "B"}));
  EXPECT_EQ(splitWords(R"(rename "" x)", 1), (Words{"rename", "", "x"}));
  EXPECT_THROW(splitWords(R"(open "unclosed)", 7), ScriptError);
}

TEST(ScriptParser, RepeatBlocksNumberTheirPasses) {
  std::vector<ScriptLine> lines = parseScript("repeat 2\nopen D{i}\nrepeat 2\nclose X{i}\nend\nend\nwait 1\n");
  std::vector<std::string> texts;
  for (const ScriptLine& l : lines) texts.push_back(l.text() + "@" + std::to_string(l.number));
  EXPECT_EQ(texts, (Words{"open D1@2", "close X1@4", "close X2@4", "open D2@2", "close X1@4", "close X2@4", "wait 1@7"}));
}

TEST(ScriptParser, BrokenBlocksAreRefused) {
  EXPECT_THROW(parseScript("end\n"), ScriptError);
  EXPECT_THROW(parseScript("repeat 3\nopen A\n"), ScriptError);
  EXPECT_THROW(parseScript("repeat many\nend\n"), ScriptError);
  EXPECT_TRUE(parseScript("# only a comment\n\n").empty());
}

TEST(ScriptParser, CallLogPatterns) {
  EXPECT_TRUE(globMatch("Window[?Alpha?].Activate()", "Window[\"Alpha\"].Activate()"));
  EXPECT_TRUE(globMatch("event Click(*Save All*", "event Click(Button[\"Save All\"])"));
  EXPECT_FALSE(globMatch("*Save*", "Window[\"A\"].Close()"));
  EXPECT_TRUE(globMatch("*", ""));
}

}  // namespace
}  // namespace hostsim::test
