#pragma once
// GL_EXT_compiled_vertex_array: arrays drawn in several pieces are locked around them, so the
// driver may transform their vertices once. Without the extension both calls do nothing.

// Locks the arrays set now, vertices 0 to count - 1; true when they were locked. Needs a current
// GL context; the extension is looked up on the first call.
bool lockArrays(int count);
void unlockArrays();
