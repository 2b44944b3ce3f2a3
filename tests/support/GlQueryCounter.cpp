#include "tests/support/GlQueryCounter.h"

#include <windows.h>
#include <GL/gl.h>

#include <cstring>

namespace {

int counts[32];

// A stand-in counts its call under Id and calls the real function.
template <int Id, typename Result, typename... Args>
struct StandIn {
  static inline Result(WINAPI* real)(Args...) = nullptr;
  static Result WINAPI call(Args... args) {
    ++counts[Id];
    return real(args...);
  }
};

struct Watched {
  const char* name;
  void* standIn;
  void** real;
};

template <int Id, typename Result, typename... Args>
Watched watch(const char* name) {
  using S = StandIn<Id, Result, Args...>;
  return {name, reinterpret_cast<void*>(&S::call), reinterpret_cast<void**>(&S::real)};
}

const Watched* watchedFunctions(int& count) {
  static const Watched list[] = {
      watch<0, void, GLenum, GLboolean*>("glGetBooleanv"),
      watch<1, void, GLenum, GLdouble*>("glGetDoublev"),
      watch<2, void, GLenum, GLfloat*>("glGetFloatv"),
      watch<3, void, GLenum, GLint*>("glGetIntegerv"),
      watch<4, GLenum>("glGetError"),
      watch<5, const GLubyte*, GLenum>("glGetString"),
      watch<6, void, GLenum, GLvoid**>("glGetPointerv"),
      watch<7, void, GLenum, GLenum, GLint*>("glGetTexEnviv"),
      watch<8, void, GLenum, GLenum, GLfloat*>("glGetTexEnvfv"),
      watch<9, void, GLenum, GLenum, GLint*>("glGetTexParameteriv"),
      watch<10, void, GLenum, GLenum, GLfloat*>("glGetTexParameterfv"),
      watch<11, void, GLenum, GLint, GLenum, GLint*>("glGetTexLevelParameteriv"),
      watch<12, void, GLenum, GLint, GLenum, GLfloat*>("glGetTexLevelParameterfv"),
      watch<13, void, GLenum, GLint, GLenum, GLenum, GLvoid*>("glGetTexImage"),
      watch<14, GLboolean, GLenum>("glIsEnabled"),
      watch<15, GLboolean, GLuint>("glIsTexture"),
      watch<16, GLboolean, GLuint>("glIsList"),
      watch<17, void, GLenum, GLenum, GLfloat*>("glGetLightfv"),
      watch<18, void, GLenum, GLenum, GLfloat*>("glGetMaterialfv"),
      watch<19, void, GLenum, GLdouble*>("glGetClipPlane"),
  };
  count = static_cast<int>(sizeof(list) / sizeof(list[0]));
  return list;
}

bool reads(const char* name) { return std::strncmp(name, "glGet", 5) == 0 || std::strncmp(name, "glIs", 4) == 0; }

void writeSlot(void** slot, void* value) {
  DWORD old = 0;
  VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
  *slot = value;
  VirtualProtect(slot, sizeof(void*), old, &old);
}

}  // namespace

GlQueryCounter::GlQueryCounter() {
  std::memset(counts, 0, sizeof counts);
  auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  int watchedCount = 0;
  const Watched* watched = watchedFunctions(watchedCount);
  for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       directory.VirtualAddress != 0 && module->Name != 0; ++module) {
    if (_stricmp(reinterpret_cast<const char*>(base + module->Name), "opengl32.dll") != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (int i = 0; names[i].u1.AddressOfData != 0; ++i) {
      if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) continue;
      const char* name = reinterpret_cast<const char*>(
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData)->Name);
      if (!reads(name)) continue;
      void** slot = reinterpret_cast<void**>(&slots[i].u1.Function);
      bool known = false;
      for (int w = 0; w < watchedCount && !known; ++w) {
        if (std::strcmp(watched[w].name, name) != 0) continue;
        known = true;
        *watched[w].real = *slot;
        writeSlot(slot, watched[w].standIn);
        patched_.push_back(slot);
      }
      if (!known) unwatched_.push_back(name);
    }
  }
}

GlQueryCounter::~GlQueryCounter() {
  int watchedCount = 0;
  const Watched* watched = watchedFunctions(watchedCount);
  for (void** slot : patched_) {
    for (int w = 0; w < watchedCount; ++w) {
      if (*slot == watched[w].standIn) writeSlot(slot, *watched[w].real);
    }
  }
}

int GlQueryCounter::calls() const {
  int total = 0;
  for (const int c : counts) total += c;
  return total;
}

std::string GlQueryCounter::callsByName() const {
  int watchedCount = 0;
  const Watched* watched = watchedFunctions(watchedCount);
  std::string text;
  for (int w = 0; w < watchedCount; ++w) {
    if (counts[w] == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::string(watched[w].name) + " " + std::to_string(counts[w]);
  }
  return text;
}
