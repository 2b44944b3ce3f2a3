#pragma once
// Model files in the MD3 layout: header, frame headers, no tags, one surface with one shader
// record, triangles, texture coordinates and per-frame vertices (16-bit, 64 steps per unit,
// with packed normals so standard MD3 readers agree with ours).

#include "Mesh.h"

#include <string>

#include "formats/FileRecords.h"

using formats::Bytes;

// Fills `out` and returns true; false (with a message) when a coordinate does not fit 16 bits or
// the model has no frames.
bool encodeMd3(const AnimatedModel& model, const std::string& name, const std::string& skin, Bytes& out);
