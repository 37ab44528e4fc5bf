#include "input/mouse.h"

namespace hostsim {

namespace {
void send(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}
}  // namespace

// Absolute input is normalised to 0..65535 over the primary screen.
void mouseMove(POINT at) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  LONG dx = static_cast<LONG>((at.x * 65535.0) / (w - 1) + 0.5);
  LONG dy = static_cast<LONG>((at.y * 65535.0) / (h - 1) + 0.5);
  send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
}

void mouseButton(Button button, bool down) {
  switch (button) {
    case Button::Left: return send(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    case Button::Right: return send(down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    case Button::Middle: return send(down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP);
  }
}

void keyPress(WORD key) {
  INPUT input[2]{};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

}  // namespace hostsim
