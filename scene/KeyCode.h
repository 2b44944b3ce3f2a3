#pragma once
// A common key numbering: the position of each key in SDL 1.2's ascending key list, without the
// international keys and the compose key. -1 is a key without a number.
using KeyCode = int;

// Numbered keys run from 0 to one below this.
constexpr int KeyCodeCount = 128;

namespace keys {
constexpr KeyCode None = -1;
constexpr KeyCode Escape = 5;
constexpr KeyCode Space = 6;
constexpr KeyCode F = 49;
constexpr KeyCode Up = 88;
constexpr KeyCode Down = 89;
constexpr KeyCode Home = 93;
constexpr KeyCode F1 = 97;
}  // namespace keys

// The number of a Windows virtual key.
KeyCode keyCodeFromVirtualKey(unsigned virtualKey);
