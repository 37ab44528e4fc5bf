#pragma once
// Real mouse input through SendInput, at screen pixel positions.
#include <windows.h>

namespace hostsim {

enum class Button { Left, Right };

void mouseMove(POINT at);
void mouseButton(Button button, bool down);

}  // namespace hostsim
