// Starting programs, documents and web addresses through the shell: a program that asks for
// administrator rights then gets the elevation prompt instead of failing, and documents and
// addresses open with the user's own programs. The tests put their own starter in its place.
#pragma once

#include <windows.h>

#include <string>

namespace launcher {

struct StartRequest {
  std::string verb;        // empty: the file's default verb
  std::string file;        // a program (its path quoted), a document or a web address
  std::string parameters;  // passed on as written
  std::string folder;      // the started program's current folder; empty: ours
};

// What a start gave: the process to wait for (none when the shell handed the file to a program
// that was already running), or the Windows error code when nothing could be started.
struct Started {
  HANDLE process = nullptr;
  DWORD error = ERROR_SUCCESS;
};

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // owner: the window that any prompt of the shell belongs to.
  virtual Started start(HWND owner, const StartRequest& request) = 0;
};

// ShellExecuteEx; the calling thread must have COM started.
class ShellStarter : public ProgramStarter {
 public:
  Started start(HWND owner, const StartRequest& request) override;
};

// The one shell starter of the program.
ProgramStarter& shellStarter();

}  // namespace launcher
