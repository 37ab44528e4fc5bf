#pragma once
// Writes the whole screen to a 24-bit BMP file.
#include <string>

namespace hostsim {

bool saveScreenshot(const std::wstring& path);

}  // namespace hostsim
