// The model reader on arbitrary bytes.
#include "render/Md3Reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Md3Mesh mesh;
  if (parseMd3(data, size, mesh)) {
    // Every index the reader accepted must name a stored vertex.
    for (const uint16_t index : mesh.indices) {
      if (index >= mesh.vertexCount) __builtin_trap();
    }
    if (mesh.positions.size() != static_cast<size_t>(mesh.frameCount) * mesh.vertexCount) __builtin_trap();
  }
  return 0;
}
