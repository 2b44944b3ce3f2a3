// The start of every test program of the saver: a clean slate whatever an earlier run left behind.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdlib.h>

int main(int argc, char** argv) {
  // A run killed half-way leaves its stored settings in the reused Wine prefix; they must not
  // change what the next run sees.
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Reefsaver");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests");
  // Whether the machine has a sound card must not matter: unless a test names a driver (SDL's disk
  // driver, which writes what would be heard to a file), no sound device can be opened.
  if (GetEnvironmentVariableA("SDL_AUDIODRIVER", nullptr, 0) == 0) _putenv("SDL_AUDIODRIVER=none");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
