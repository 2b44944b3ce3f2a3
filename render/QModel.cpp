#include "render/QModel.h"
#include "render/Transforms.h"

#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "formats/FileOpen.h"
#include "render/Md3Reader.h"
#include "render/ViewVolume.h"

namespace {

bool readWholeFile(FILE* file, std::vector<uint8_t>& bytes) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) return false;
  bytes.resize(static_cast<size_t>(size));
  return bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

bool QModel::loadMD3(const char* path) {
  FILE* file = openFile(path, "rb");
  if (!file) {
    std::printf("QModel::loadMD3 fopen %s failed\n", path);
    return false;
  }
  std::vector<uint8_t> bytes;
  const bool read = readWholeFile(file, bytes);
  std::fclose(file);
  if (!read) {
    release();
    return false;
  }
  return loadMD3(bytes.data(), bytes.size());
}

bool QModel::loadMD3(const uint8_t* data, size_t size) {
  release();
  Md3Mesh mesh;
  if (!parseMd3(data, size, mesh)) return false;
  frameCount_ = mesh.frameCount;
  vertexCount_ = mesh.vertexCount;
  triangleCount_ = mesh.triangleCount;
  positions_ = std::move(mesh.positions);
  texCoords_ = std::move(mesh.texCoords);
  indices_ = std::move(mesh.indices);
  blended_.resize(static_cast<size_t>(vertexCount_));
  blendValid_ = false;
  radius_ = 0.0f;
  boundsLow_ = boundsHigh_ = positions_.empty() ? Vector3{} : positions_[0];
  for (const Vector3& p : positions_) {
    radius_ = std::max(radius_, length3(p));
    boundsLow_ = componentMin(boundsLow_, p);
    boundsHigh_ = componentMax(boundsHigh_, p);
  }
  buildLevels();
  return true;
}

void QModel::release() {
  frameCount_ = vertexCount_ = triangleCount_ = 0;
  positions_ = {};
  texCoords_ = {};
  indices_ = {};
  for (auto& level : lodIndices_) level = {};
  blended_ = {};
  blendValid_ = false;
  radius_ = 0.0f;
  boundsLow_ = boundsHigh_ = Vector3{};
  animation_.clear();
}

Vector3 QModel::vertex(int frame, int v) const {
  if (frame < 0 || frame >= frameCount_ || v < 0 || v >= vertexCount_) return {};
  return positions_[static_cast<size_t>(frame) * vertexCount_ + v];
}

// Vertex clustering on the first frame: every vertex stands for the first one in its cell, and a
// triangle that loses a corner that way is dropped. The other frames bend the same vertices.
void QModel::buildLevels() {
  if (vertexCount_ == 0) return;
  Vector3 low = positions_[0], high = positions_[0];
  for (int v = 0; v < vertexCount_; ++v) {
    const Vector3& p = positions_[static_cast<size_t>(v)];
    low = componentMin(low, p);
    high = componentMax(high, p);
  }
  const float extent = std::max({high.x - low.x, high.y - low.y, high.z - low.z, 1e-6f});
  std::vector<int> firstInCell;
  std::vector<uint16_t> representative(static_cast<size_t>(vertexCount_));
  for (int level = 0; level < LodLevels; ++level) {
    const int grid = LodGrids[level];
    firstInCell.assign(static_cast<size_t>(grid) * grid * grid, -1);
    const auto cellOf = [&](float value, float from) {
      const int cell = static_cast<int>((value - from) / extent * static_cast<float>(grid));
      return cell < 0 ? 0 : (cell >= grid ? grid - 1 : cell);
    };
    for (int v = 0; v < vertexCount_; ++v) {
      const Vector3& p = positions_[static_cast<size_t>(v)];
      const size_t cell =
          (static_cast<size_t>(cellOf(p.x, low.x)) * grid + cellOf(p.y, low.y)) * grid + cellOf(p.z, low.z);
      if (firstInCell[cell] < 0) firstInCell[cell] = v;
      representative[static_cast<size_t>(v)] = static_cast<uint16_t>(firstInCell[cell]);
    }
    std::vector<uint16_t>& kept = lodIndices_[level];
    kept.clear();
    for (size_t k = 0; k + 2 < indices_.size(); k += 3) {
      const uint16_t a = representative[indices_[k]], b = representative[indices_[k + 1]],
                     c = representative[indices_[k + 2]];
      if (a == b || b == c || a == c) continue;
      kept.insert(kept.end(), {a, b, c});
    }
  }
}

const std::vector<uint16_t>& QModel::indicesAt(float pixelsAcross) const {
  if (pixelsAcross > FullDetailPixels) return indices_;
  for (int level = 0; level < LodLevels; ++level) {
    if (pixelsAcross <= CellPixels * static_cast<float>(LodGrids[level]) && !lodIndices_[level].empty()) {
      return lodIndices_[level];
    }
  }
  return indices_;
}

int QModel::trianglesAt(float pixelsAcross) const { return static_cast<int>(indicesAt(pixelsAcross).size() / 3); }

void QModel::draw(const SceneObject& object, float pixelsAcross) const {
  if (frameCount_ == 0) {
    if (!animation_.hasRanges()) std::printf("frame >= NumFrames\n");
    return;
  }
  if (indices_.empty()) return;
  const bool ranges = animation_.hasRanges();
  const int current = ranges ? animation_.shownFrame() : 0;
  const int next = ranges ? animation_.nextFrame() : 0;
  const float fraction = animation_.fraction();
  const bool blend = ranges && (object.flags() & Interpolate);
  const Vector3* from = positions_.data() + static_cast<size_t>(current) * vertexCount_;
  const Vector3* to = positions_.data() + static_cast<size_t>(next) * vertexCount_;

  if (blend && !(blendValid_ && blendedFrom_ == current && blendedTo_ == next && blendedFraction_ == fraction)) {
    for (int k = 0; k < vertexCount_; ++k) blended_[k] = from[k] + (to[k] - from[k]) * fraction;
    blendValid_ = true;
    blendedFrom_ = current;
    blendedTo_ = next;
    blendedFraction_ = fraction;
  }
  glNormal3f(0.0f, 0.0f, 0.0f);
  const std::vector<uint16_t>& indices = indicesAt(pixelsAcross);
  object.drawElements(GL_TRIANGLES, &(blend ? blended_.data() : from)->x, sizeof(Vector3), texCoords_.data(),
                      2 * sizeof(float), static_cast<int>(indices.size()), indices.data());
}

void ModelObject::begin() {
  transforms::push();
  SceneObject::begin();
}

void ModelObject::draw() {
  if (!model_) return;
  float pixelsAcross = QModel::FullDetailPixels + 1.0f;
  if (model_->frameCount() > 0) {
    ViewVolume view;
    view.capture();
    // Both bounds hold every frame, so either one outside the view says the model is. The box is
    // the tighter for a model standing on its origin, such as a coral colony: its sphere reaches
    // as far below the floor as the colony stands above it.
    if (view.sphereOutside(Vector3{}, model_->radius()) || view.boxOutside(model_->boundsLow(), model_->boundsHigh()))
      return;
    pixelsAcross = 2.0f * model_->radius() * view.pixelsPerUnit(Vector3{});
  }
  model_->draw(*this, pixelsAcross);
}

void ModelObject::end() {
  transforms::pop();
  SceneObject::end();
}

void ModelObject::releaseGeometry() {
  if (model_) model_->release();
  SceneObject::releaseGeometry();
}
