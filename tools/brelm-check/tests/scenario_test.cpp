#include <gtest/gtest.h>

#include "report.h"
#include "scenario_runner.h"
#include "script/script.h"

namespace brelmcheck {
namespace {

hostsim::ScriptLine line(const std::string& text) { return {1, hostsim::splitWords(text, 1)}; }

TEST(Scenarios, TheRunLineSaysWhichHostsAScriptIsFor) {
  const std::string both = "# Words.\n# run: sheet 14.0 16.0; slide 12.0\nopen Alpha\n";
  EXPECT_TRUE(scenarioRunsOn(both, true, 14.0));
  EXPECT_TRUE(scenarioRunsOn(both, true, 16.0));
  // A frame per workbook from 15 on, as on 16.
  EXPECT_TRUE(scenarioRunsOn(both, true, 15.0));
  EXPECT_FALSE(scenarioRunsOn(both, true, 12.0));
  EXPECT_TRUE(scenarioRunsOn(both, false, 12.0));
  EXPECT_FALSE(scenarioRunsOn(both, false, 16.0));
  EXPECT_FALSE(scenarioRunsOn("# run: sheet 16.0\n", false, 16.0));
  EXPECT_TRUE(scenarioRunsOn("# run: slide\n", false, 11.0));
  EXPECT_TRUE(scenarioRunsOn("open Alpha\n", false, 16.0));
}

TEST(Scenarios, WhatOnlyTheTestHostCanDoIsSkippedWithAReason) {
  for (const char* text : {"busy on", "mark", "expect call \"Window[?Alpha?].Close()\"", "expect rect strip 0 116 994 140",
                           "expect rect@Alpha XLDESK 0 140 812 *", "click screen 50 400", "theme 3",
                           "expect resources within 8", "personal"}) {
    std::optional<std::string> why = imitationOnly(line(text));
    ASSERT_TRUE(why) << text;
    EXPECT_FALSE(why->empty()) << text;
  }
  for (const char* text : {"open Alpha", "click tab Alpha", "expect tabs Alpha Beta", "expect message *",
                           "answer cancel", "hold left 5000", "expect unsaved Beta yes"})
    EXPECT_FALSE(imitationOnly(line(text))) << text;
}

TEST(Scenarios, EveryVerbOfTheCarriedScriptsIsKnown) {
  // A verb neither performed nor marked as the test host's would stop the
  // script on a real host with "unknown command".
  auto known = [](const std::string& verb, std::span<const ScenarioVerbEntry> table) {
    for (const ScenarioVerbEntry& e : table)
      if (verb == e.name) return true;
    return false;
  };
  ASSERT_FALSE(builtInScenarios().empty());
  for (const BuiltInScenario& s : builtInScenarios()) {
    for (hostsim::ScriptLine l : hostsim::parseScript(s.text)) {
      while (!l.words.empty() && l.words[0].back() == ':') l.words.erase(l.words.begin());
      if (l.words.empty() || imitationOnly(l)) continue;
      if (l.words[0] == "expect") {
        ASSERT_GT(l.words.size(), 1u);
        EXPECT_TRUE(known(l.words[1], scenarioExpectations())) << s.name << ": " << l.text();
      } else {
        EXPECT_TRUE(known(l.words[0], scenarioHostVerbs()) || known(l.words[0], scenarioInputVerbs()))
            << s.name << ": " << l.text();
      }
    }
  }
  EXPECT_NE(findScenario("close_image.hs"), nullptr);
  EXPECT_EQ(findScenario("close_image"), nullptr);
}

TEST(Scenarios, HostCaptionsReadAsTheScriptsNames) {
  HostSession session(HostSpec{HostKind::Slide, L"HostSim.SlideApplication", L"quorvaneslide.Connect",
                               "presentation host", L""});
  Report report;
  std::atomic<bool> stop{false};
  ScenarioRunner runner(session, report, L"C:\\temp\\brelm-check-1", L".", stop);
  runner.alias(L"Presentation8", "Gamma");
  runner.alias(L"Presentation1", "Draft");
  EXPECT_EQ(runner.nameOf(L"Presentation8"), "Gamma");
  EXPECT_EQ(runner.nameOf(L"Alpha.pptx"), "Alpha");
  EXPECT_EQ(runner.nameOf(L"Alpha.xlsx:2"), "Alpha:2");
  EXPECT_EQ(runner.nameOf(L"notes.pptx.txt"), "notes.pptx.txt");
  EXPECT_EQ(runner.inScriptNames(L"Do you want to save the changes you made to Presentation8?"),
            "Do you want to save the changes you made to Gamma?");
  // "Presentation1" is not a part of "Presentation10".
  EXPECT_EQ(runner.inScriptNames(L"Presentation10 and Presentation1"), "Presentation10 and Draft");
  EXPECT_EQ(runner.inScriptNames(L"'Alpha.xlsx' and Beta.pptx."), "'Alpha' and Beta.");
  // Full names in the run's folder read as the test host's folder.
  EXPECT_EQ(runner.scriptPath(L"C:\\temp\\brelm-check-1\\R&D notes.pptx"), "C:\\users\\Public\\Documents\\R&D notes");
  EXPECT_EQ(runner.scriptPath(L"Presentation1"), "Draft");
  EXPECT_EQ(runner.scriptPath(L"unsaved changes"), "unsaved changes");
}

TEST(Report, SkippedChecksAreListedAndNeitherHeldNorFailed) {
  Report r;
  r.beginHost("spreadsheet host");
  r.check("close_image.hs", "script", true, "37 lines ran");
  r.skip("close_image.hs", "line 12: mark", "the test host's record of the add-in's calls");
  r.hostCompleted();
  const std::string text = r.markdown();
  EXPECT_NE(text.find("- skip close_image.hs: line 12: mark: the test host's record"), std::string::npos);
  EXPECT_NE(text.find("1 of 1 checks held, 1 skipped"), std::string::npos);
  EXPECT_TRUE(r.allHeld());
  Report onlySkipped;
  onlySkipped.beginHost("spreadsheet host");
  onlySkipped.skip("frames_switch.hs", "script", "written for other hosts");
  onlySkipped.hostCompleted();
  // Nothing was checked: not a pass.
  EXPECT_FALSE(onlySkipped.allHeld());
}

}  // namespace
}  // namespace brelmcheck
