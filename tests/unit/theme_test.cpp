// The strip background by host version and theme, and the registry reader.
#include "harness.h"
#include "tabstrip/strip_theme.h"

namespace brelm::test {
namespace {

struct RegistryReader : ::testing::Test {
  sim::SimLog log;
  sim::SimRegistry reg{log};
  const std::string key = "Software\\Brelm\\Test";
  std::string read(const std::string& name, std::uint32_t expected, std::uint32_t* found = nullptr) {
    std::uint32_t type = expected;
    std::string text = readRegValue(reg, RegRoot::CurrentUser, key, name, type);
    if (found) *found = type;
    return text;
  }
  void set(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
    reg.set(RegRoot::CurrentUser, key, name, RegValue{type, std::move(data)});
  }
};

TEST_F(RegistryReader, ConvertsEachTypeToText) {
  reg.setDword(RegRoot::CurrentUser, key, "All", 0xFFFFFFFFu);
  set("Bin", regtype::kBinary, {10, 255});
  set("Sz", regtype::kSz, {'D', 'a', 'r', 'k', 0});
  set("Padded", regtype::kExpandSz, {' ', 'x', ' ', 0});
  set("Empty", regtype::kSz, {});
  set("Multi", regtype::kMultiSz, {'a', 0, 'b', 0, 0});
  set("Other", 11, {1, 2, 3, 4, 5, 6, 7, 8});
  std::uint32_t type = 0;
  EXPECT_EQ(read("All", regtype::kDword), "4294967295");
  EXPECT_EQ(read("Bin", regtype::kDword, &type), "0A FF");
  EXPECT_EQ(type, regtype::kBinary) << "the type found is handed back";
  EXPECT_EQ(read("Sz", regtype::kDword), "Dark");
  EXPECT_EQ(read("Padded", regtype::kSz), "x");
  EXPECT_EQ(read("Empty", regtype::kSz), "") << "empty data is an empty string";
  EXPECT_EQ(read("Multi", regtype::kMultiSz), std::string("a\0b\0", 4));
  EXPECT_EQ(read("Other", regtype::kDword), "");
}

TEST_F(RegistryReader, MissingKeyOrValueGivesTheDefault) {
  std::uint32_t type = 0;
  EXPECT_EQ(read("Nothing", regtype::kDword, &type), "0");
  EXPECT_EQ(type, regtype::kDword);
  reg.setDword(RegRoot::CurrentUser, key, "Present", 2);
  EXPECT_EQ(read("Absent", regtype::kDword), "0");
  EXPECT_EQ(read("Absent", regtype::kSz), "");
  reg.setFailing(true);
  EXPECT_EQ(read("Present", regtype::kDword), "0");
}

TEST(StripTheme, BackgroundByVersionAndTheme) {
  struct Case {
    const char* version;
    std::optional<std::uint32_t> theme;
    int sheet, slide;
  };
  const Case cases[] = {
      {"11.0", std::nullopt, 7, 7}, {"11.0", 1u, 7, 7},
      {"12.0", 1u, picture::kStripDesign, picture::kStripDesign},
      {"12.0", 2u, 6, 6},           {"12.0", 3u, 6, 6},
      {"12.0", std::nullopt, 6, 6},  // a missing value reads as "0"
      {"13.0", 2u, picture::kStripDesign, picture::kStripDesign},
      {"14.0", std::nullopt, 8, 6}, {"14.0", 1u, picture::kStripDesign, picture::kStripDesign},
      {"16.0", 4u, 8, 6},
  };
  for (const Case& c : cases) {
    for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
      sim::SimOptions o = kind == HostKind::Sheet ? sheetHost(c.version) : slideHost(c.version);
      o.theme = c.theme;
      Harness h{o};
      h.open("Doc");
      h.connect();
      h.tick();
      EXPECT_EQ(h.bar().form.picture, kind == HostKind::Sheet ? c.sheet : c.slide)
          << c.version << " theme " << (c.theme ? std::to_string(*c.theme) : "missing")
          << (kind == HostKind::Sheet ? " sheet" : " slide");
    }
  }
}

// From 15 on the theme is the value "UI Theme" (the old value is not there,
// and is not read): its dark themes give the dark strip, the light ones and
// anything else the host's alternative background as before.
TEST(StripTheme, CurrentVersionsReadTheUiThemeValue) {
  struct Case {
    const char* version;
    std::optional<std::uint32_t> uiTheme, theme;
    int sheet, slide;
  };
  constexpr int kDark = picture::kStripDark;
  const Case cases[] = {
      {"15.0", 2u, std::nullopt, kDark, kDark},  // dark grey
      {"15.0", 0u, std::nullopt, 8, 6},          // white
      {"15.0", 1u, std::nullopt, 8, 6},          // light grey
      {"16.0", 3u, std::nullopt, kDark, kDark},  // dark grey
      {"16.0", 4u, std::nullopt, kDark, kDark},  // black
      {"16.0", 0u, std::nullopt, 8, 6},          // colourful
      {"16.0", 5u, std::nullopt, 8, 6},          // white
      {"16.0", 6u, std::nullopt, 8, 6},          // not known: as before
      {"16.0", 4000000000u, std::nullopt, 8, 6},
      {"16.0", std::nullopt, std::nullopt, 8, 6},
      {"16.0", std::nullopt, 1u, 8, 6},  // the old value is not this version's
      {"14.0", 4u, 1u, picture::kStripDesign, picture::kStripDesign},  // and the new not 14's
  };
  for (const Case& c : cases) {
    for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
      sim::SimOptions o = kind == HostKind::Sheet ? sheetHost(c.version) : slideHost(c.version);
      o.uiTheme = c.uiTheme;
      o.theme = c.theme;
      Harness h{o};
      h.open("Doc");
      h.connect();
      EXPECT_EQ(h.bar().form.picture, kind == HostKind::Sheet ? c.sheet : c.slide)
          << c.version << " UI Theme " << (c.uiTheme ? std::to_string(*c.uiTheme) : "missing")
          << (kind == HostKind::Sheet ? " sheet" : " slide");
    }
  }
}

TEST(StripTheme, VersionNumbersAreReadAsTheHostWritesThem) {
  EXPECT_EQ(majorVersion("14.0"), 14);
  EXPECT_EQ(majorVersion("16.0.1234"), 16);
  EXPECT_DOUBLE_EQ(versionNumber("12.5"), 12.5);
  EXPECT_EQ(majorVersion(""), 0);
  EXPECT_EQ(majorVersion("abc"), 0);
  EXPECT_EQ(majorVersion("99999999999999999999"), 0);
}

}  // namespace
}  // namespace brelm::test
