#pragma once
// Counts the calls this program makes to the OpenGL functions that read the driver's state back
// (glGet..., glIs...): while a counter lives, the program's import table leads them through
// counting stand-ins that call the real functions.
#include <string>
#include <vector>

class GlQueryCounter {
 public:
  GlQueryCounter();
  ~GlQueryCounter();
  GlQueryCounter(const GlQueryCounter&) = delete;
  GlQueryCounter& operator=(const GlQueryCounter&) = delete;

  int calls() const;
  // "glGetFloatv 3, glIsEnabled 1", the functions called since the counter was made.
  std::string callsByName() const;
  // Reading functions the program imports that have no stand-in: their calls would go uncounted.
  const std::vector<std::string>& unwatched() const { return unwatched_; }

 private:
  std::vector<std::string> unwatched_;
  std::vector<void**> patched_;
};
