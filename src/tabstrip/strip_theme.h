#pragma once
// The strip background follows the host version and the user's Office theme.
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace brelm {

// The number a host version string starts with ("14.0" -> 14, "16.0.1234" -> 16,
// "abc" -> 0), as the host's own number conversion reads it.
double versionNumber(const std::string& version);
int majorVersion(const std::string& version);

// Reads one registry value as text. `valueType` is the type expected on entry
// and the type found on return. A missing key or value gives "0" when a DWORD
// was expected and "" otherwise.
std::string readRegValue(Registry& registry, RegRoot root, const std::string& subKey,
                         const std::string& valueName, std::uint32_t& valueType);

// The form's background picture for a host version and theme value;
// `themedPicture` is the host's alternative picture (8 or 6).
int chooseStripPicture(const std::string& version, const std::string& theme, int themedPicture);
// From 15 on: the background for the "UI Theme" value, the dark one for the
// dark themes (2 dark grey on 15; 3 dark grey and 4 black on 16), the host's
// alternative picture for the light ones and for any value not known.
int chooseUiThemePicture(const std::string& uiTheme, int themedPicture);

}  // namespace brelm
