#include <gtest/gtest.h>

#include "options.h"

namespace brelmcheck {
namespace {

ParseResult parse(std::vector<std::wstring> args) { return parseOptions(args); }

TEST(Options, DefaultsCheckBothHostsWithEverySuite) {
  ParseResult r = parse({});
  ASSERT_TRUE(r.options);
  EXPECT_EQ(r.options->hosts, (std::vector<HostKind>{HostKind::Sheet, HostKind::Slide}));
  EXPECT_TRUE(r.options->suites.empty());
  EXPECT_EQ(r.options->outDir, L"brelm-check-report");
  EXPECT_EQ(r.options->sheetProgId, L"Excel.Application");
  EXPECT_EQ(r.options->slideProgId, L"PowerPoint.Application");
}

TEST(Options, HostSuitesAndFolder) {
  ParseResult r = parse({L"--host", L"slide", L"--suite", L"click", L"--suite", L"startup", L"--suite", L"click",
                         L"--out", L"C:\\out"});
  ASSERT_TRUE(r.options) << r.error;
  EXPECT_EQ(r.options->hosts, std::vector<HostKind>{HostKind::Slide});
  // In the order they run, each once.
  EXPECT_EQ(r.options->suites, (std::vector<std::string>{"startup", "click"}));
  EXPECT_EQ(r.options->outDir, L"C:\\out");
}

TEST(Options, TestClassesReplaceTheHostsOwn) {
  ParseResult r = parse({L"--progid", L"sheet=HostSim.SheetApplication", L"--progid", L"slide=HostSim.SlideApplication"});
  ASSERT_TRUE(r.options) << r.error;
  EXPECT_EQ(r.options->sheetProgId, L"HostSim.SheetApplication");
  EXPECT_EQ(r.options->slideProgId, L"HostSim.SlideApplication");
}

TEST(Options, WrongCommandLinesSayWhy) {
  EXPECT_NE(parse({L"--host", L"writer"}).error.find("sheet, slide or both"), std::string::npos);
  EXPECT_NE(parse({L"--suite", L"nosuch"}).error.find("no suite called nosuch"), std::string::npos);
  EXPECT_NE(parse({L"--out"}).error.find("missing value"), std::string::npos);
  EXPECT_NE(parse({L"--progid", L"HostSim.SheetApplication"}).error.find("sheet=PROGID"), std::string::npos);
  EXPECT_NE(parse({L"--timeout", L"0"}).error.find("seconds"), std::string::npos);
  EXPECT_NE(parse({L"--colour", L"red"}).error.find("unknown option"), std::string::npos);
  EXPECT_EQ(parse({L"--help"}).error, "help");
}

}  // namespace
}  // namespace brelmcheck
