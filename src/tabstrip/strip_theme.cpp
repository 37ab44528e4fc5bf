#include "tabstrip/strip_theme.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/form.h"

namespace brelm {

double versionNumber(const std::string& version) {
  std::size_t i = 0;
  while (i < version.size() && version[i] == ' ') ++i;
  const std::size_t start = i;
  while (i < version.size() && std::isdigit(static_cast<unsigned char>(version[i]))) ++i;
  if (i < version.size() && version[i] == '.') {
    ++i;
    while (i < version.size() && std::isdigit(static_cast<unsigned char>(version[i]))) ++i;
  }
  const std::string number = version.substr(start, i - start);
  if (number.empty() || number == ".") return 0;
  try {
    return std::stod(number);
  } catch (const std::exception&) {
    return 0;  // out of range: no usable version
  }
}

int majorVersion(const std::string& version) {
  const double v = versionNumber(version);
  return v > 2e9 ? 0 : static_cast<int>(std::floor(v));
}

namespace {

std::string trimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string stringData(const std::vector<std::uint8_t>& data) {
  std::string text(data.begin(), data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();  // the terminator, not content
  return text;
}

std::string binaryData(const std::vector<std::uint8_t>& data) {
  std::string text;
  char pair[4];
  for (std::uint8_t byte : data) {
    std::snprintf(pair, sizeof pair, "%02X ", byte);
    text += pair;
  }
  return text;
}

std::string dwordData(const std::vector<std::uint8_t>& data) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i) value |= std::uint32_t{data[i]} << (8 * i);
  return std::to_string(value);
}

}  // namespace

std::string readRegValue(Registry& registry, RegRoot root, const std::string& subKey,
                         const std::string& valueName, std::uint32_t& valueType) {
  RegValue value;
  if (registry.read(root, subKey, valueName, value) != RegStatus::Ok) {
    return valueType == regtype::kDword ? "0" : "";
  }
  valueType = value.type;
  switch (value.type) {
    case regtype::kSz:
    case regtype::kExpandSz:
    case regtype::kMultiSz:
      return trimSpaces(stringData(value.data));
    case regtype::kBinary:
      return trimSpaces(binaryData(value.data));
    case regtype::kDword:
      return dwordData(value.data);
    default:
      return {};
  }
}

int chooseStripPicture(const std::string& version, const std::string& theme, int themedPicture) {
  const double v = versionNumber(version);
  const int major = majorVersion(version);
  int chosen = picture::kStripDesign;
  if (major > 13 && theme != "1") chosen = themedPicture;
  if (major == 12 && theme != "" && theme != "1") chosen = 6;
  if (v < 12) chosen = 7;
  return chosen;
}

int chooseUiThemePicture(const std::string& uiTheme, int themedPicture) {
  if (uiTheme == "2" || uiTheme == "3" || uiTheme == "4") return picture::kStripDark;
  return themedPicture;
}

}  // namespace brelm
