#include "scene/KeyCode.h"

#include <windows.h>

KeyCode keyCodeFromVirtualKey(unsigned vk) {
  if (vk >= '0' && vk <= '9') return static_cast<KeyCode>(21 + (vk - '0'));
  if (vk >= 'A' && vk <= 'Z') return static_cast<KeyCode>(44 + (vk - 'A'));
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<KeyCode>(71 + (vk - VK_NUMPAD0));
  if (vk >= VK_F1 && vk <= VK_F15) return static_cast<KeyCode>(97 + (vk - VK_F1));
  switch (vk) {
    case VK_BACK:
      return 0;
    case VK_TAB:
      return 1;
    case VK_CLEAR:
      return 2;
    case VK_RETURN:
      return 3;
    case VK_PAUSE:
      return 4;
    case VK_ESCAPE:
      return 5;
    case VK_SPACE:
      return 6;
    case VK_OEM_COMMA:
      return 17;
    case VK_OEM_MINUS:
      return 18;
    case VK_OEM_PERIOD:
      return 19;
    case VK_DELETE:
      return 70;
    case VK_SEPARATOR:
      return 81;
    case VK_DIVIDE:
      return 82;
    case VK_MULTIPLY:
      return 83;
    case VK_SUBTRACT:
      return 84;
    case VK_ADD:
      return 85;
    case VK_UP:
      return 88;
    case VK_DOWN:
      return 89;
    case VK_RIGHT:
      return 90;
    case VK_LEFT:
      return 91;
    case VK_INSERT:
      return 92;
    case VK_HOME:
      return 93;
    case VK_END:
      return 94;
    case VK_PRIOR:
      return 95;
    case VK_NEXT:
      return 96;
    case VK_NUMLOCK:
      return 112;
    case VK_CAPITAL:
      return 113;
    case VK_SCROLL:
      return 114;
    case VK_RSHIFT:
      return 115;
    case VK_LSHIFT:
      return 116;
    case VK_RCONTROL:
      return 117;
    case VK_LCONTROL:
      return 118;
    case VK_MENU:
      return 120;
    case VK_LWIN:
      return 123;
    case VK_RWIN:
      return 124;
    case VK_HELP:
      return 126;
    case VK_PRINT:
    case VK_SNAPSHOT:
      return 127;
    default:
      return keys::None;
  }
}
