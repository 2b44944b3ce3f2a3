#include "render/CompiledArrays.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace {

struct CompiledArrays {
  bool tried = false;
  PFNGLLOCKARRAYSEXTPROC lock = nullptr;
  PFNGLUNLOCKARRAYSEXTPROC unlock = nullptr;
};

CompiledArrays& compiledArrays() {
  static CompiledArrays state;
  if (!state.tried) {
    state.tried = true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions && std::strstr(extensions, "GL_EXT_compiled_vertex_array")) {
      state.lock =
          reinterpret_cast<PFNGLLOCKARRAYSEXTPROC>(reinterpret_cast<void*>(wglGetProcAddress("glLockArraysEXT")));
      state.unlock =
          reinterpret_cast<PFNGLUNLOCKARRAYSEXTPROC>(reinterpret_cast<void*>(wglGetProcAddress("glUnlockArraysEXT")));
    }
    if (!state.lock || !state.unlock) state.lock = nullptr;
  }
  return state;
}

}  // namespace

bool lockArrays(int count) {
  const CompiledArrays& state = compiledArrays();
  if (!state.lock || count <= 0) return false;
  state.lock(0, count);
  return true;
}

void unlockArrays() {
  const CompiledArrays& state = compiledArrays();
  if (state.unlock) state.unlock();
}
