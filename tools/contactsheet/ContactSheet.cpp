#include "tools/contactsheet/ContactSheet.h"

#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "formats/DataCatalog.h"

// Sections: loading, layout, drawing.

namespace {

constexpr int SheetWidth = 1600;
constexpr int Margin = 12;
constexpr int LineHeight = 17;  // the font's glyphs are 15 pixels high

constexpr int ModelCellSize = 120, ModelGap = 4, ModelFrames = 4, ModelColumns = 3;
constexpr int ThumbSize = 128, ThumbCellWidth = 140, ThumbGap = 8;
constexpr int FrameSize = 64, FrameCellWidth = 72, FramesPerRow = 16;

// The view of every model: turned so that its swim direction (-z) points right and a little
// away, and tilted so that the back shows.
constexpr float ViewTilt = 25.0f, ViewYaw = -60.0f;

const Vector3 Heading{1.0f, 0.85f, 0.4f};
const Vector3 Caption{0.9f, 0.9f, 0.9f};
const Vector3 Dim{0.7f, 0.75f, 0.8f};

std::string baseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ContactSheet::ContactSheet(const std::string& dataFolder) : folder_(dataFolder) {
  if (!folder_.empty() && folder_.back() != '/' && folder_.back() != '\\') folder_ += '/';
}

// ---- Loading

bool ContactSheet::load() {
  bool all = true;
  const std::string font = folder_ + "font.nlf";
  fontOk_ = text_.loadFont(font.c_str());
  if (!fontOk_) {
    std::printf("contactsheet: font %s failed\n", font.c_str());
    all = false;
  }
  for (const SheetTexture& file : singleTextures()) {
    singles_.push_back(loadTexture(file));
    all &= singles_.back()->ok;
  }
  sequences_ = textureSequences();
  for (const TextureSequence& sequence : sequences_) {
    sequenceFrames_.emplace_back();
    for (const SheetTexture& file : sequence.frames) {
      sequenceFrames_.back().push_back(loadTexture(file));
      all &= sequenceFrames_.back().back()->ok;
    }
  }
  for (const SheetModel& entry : sheetModels()) {
    models_.push_back(std::make_unique<LoadedModel>());
    models_.back()->entry = entry;
    loadModel(*models_.back());
    all &= models_.back()->ok;
  }
  card_.setBlended(true);
  layOut();
  return all;
}

std::unique_ptr<ContactSheet::LoadedTexture> ContactSheet::loadTexture(const SheetTexture& file) {
  auto loaded = std::make_unique<LoadedTexture>();
  loaded->ok = loaded->texture.loadBMP((folder_ + file.file).c_str(), file.flags);
  if (loaded->ok) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, loaded->texture.id());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
    loaded->width = value;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &value);
    loaded->height = value;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &value);
    loaded->alpha = value > 0;
    // A picture the reader accepted without uploading an image (not 24 or 32 bits).
    if (loaded->width == 0 || loaded->height == 0) {
      std::printf("contactsheet: %s has no image\n", file.file.c_str());
      loaded->ok = false;
    }
  }
  return loaded;
}

void ContactSheet::loadModel(LoadedModel& loaded) {
  const SheetModel& entry = loaded.entry;
  const bool model = loaded.model.loadMD3((folder_ + entry.model).c_str());
  const bool skin = loaded.skin.loadBMP((folder_ + entry.skin).c_str(), entry.skinFlags);
  loaded.ok = model && skin && loaded.model.frameCount() > entry.last;
  if (model && loaded.model.frameCount() <= entry.last) {
    std::printf("contactsheet: %s has %d frames, range %d-%d\n", entry.model.c_str(), loaded.model.frameCount(),
                entry.first, entry.last);
  }
  if (!model) return;
  // One single-frame range per frame shown: playing it holds the model on exactly that frame.
  const int length = entry.last - entry.first + 1;
  for (int k = 0; k < ModelFrames; ++k) {
    const int frame = entry.first + k * length / ModelFrames;
    loaded.frames.push_back(frame);
    loaded.model.addAnimation(frame, frame, std::to_string(k).c_str());
  }
  loaded.object.setModel(&loaded.model);
  loaded.object.addTexture(&loaded.skin);
  loaded.object.setTextureScale(0, entry.skinScale);
  loaded.object.setBlended(true);
  frameModel(loaded);
}

// The box, in view space, around every vertex of the frames shown, widened to the cell's shape.
void ContactSheet::frameModel(LoadedModel& loaded) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRotatef(ViewTilt, 1.0f, 0.0f, 0.0f);
  glRotatef(ViewYaw, 0.0f, 1.0f, 0.0f);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glPopMatrix();

  float low[3] = {1e30f, 1e30f, 1e30f}, high[3] = {-1e30f, -1e30f, -1e30f};
  for (int frame : loaded.frames) {
    for (int v = 0; v < loaded.model.vertexCount(); ++v) {
      const Vector3 p = loaded.model.vertex(frame, v);
      for (int axis = 0; axis < 3; ++axis) {
        const float value = m[axis] * p.x + m[4 + axis] * p.y + m[8 + axis] * p.z;
        low[axis] = std::min(low[axis], value);
        high[axis] = std::max(high[axis], value);
      }
    }
  }
  if (low[0] > high[0]) return;
  const float size = std::max({high[0] - low[0], high[1] - low[1], 1e-3f}) * 1.1f;
  const float cx = (low[0] + high[0]) / 2, cy = (low[1] + high[1]) / 2;
  loaded.left = cx - size / 2;
  loaded.right = cx + size / 2;
  loaded.bottom = cy - size / 2;
  loaded.top = cy + size / 2;
  const float depth = high[2] - low[2] + 1.0f;
  loaded.nearest = -high[2] - depth;
  loaded.farthest = -low[2] + depth;
}

// ---- Layout

void ContactSheet::addLabel(int x, int y, int w, const std::string& text, const Vector3& colour) {
  labels_.push_back({{x, y, w, LineHeight}, text, colour});
}

void ContactSheet::layOut() {
  int y = Margin;
  addLabel(Margin, y, SheetWidth - 2 * Margin, "Reefglass contact sheet    " + folder_, Heading);
  y += LineHeight;
  addLabel(Margin, y, SheetWidth - 2 * Margin,
           "Models: frames of the range the scene plays, unlit, seen from above and in front, swimming to the "
           "right (the model's -z). Red: failed to load.",
           Dim);
  y += LineHeight;
  addLabel(Margin, y, SheetWidth - 2 * Margin,
           "Textures: as a Quad shows them (first row of the picture at the top), blended over a checkerboard, "
           "so transparent parts show it.",
           Dim);
  y += LineHeight + 10;
  y = layOutModels(y);
  y = layOutTextures(y + 10);
  y = layOutSequences(y + 10);
  width_ = SheetWidth;
  height_ = y + Margin;
}

int ContactSheet::layOutModels(int top) {
  addLabel(Margin, top, 400, "Models", Heading);
  top += LineHeight + 4;
  const int blockWidth = ModelFrames * ModelCellSize + (ModelFrames - 1) * ModelGap;
  const int blockGap = (SheetWidth - 2 * Margin - ModelColumns * blockWidth) / (ModelColumns - 1);
  const int blockHeight = LineHeight + ModelCellSize + 14;
  for (size_t i = 0; i < models_.size(); ++i) {
    const int x = Margin + static_cast<int>(i % ModelColumns) * (blockWidth + blockGap);
    const int y = top + static_cast<int>(i / ModelColumns) * blockHeight;
    LoadedModel& loaded = *models_[i];
    addLabel(x, y, blockWidth, loaded.entry.label, Caption);
    for (int k = 0; k < ModelFrames; ++k) {
      const Rect cell{x + k * (ModelCellSize + ModelGap), y + LineHeight, ModelCellSize, ModelCellSize};
      modelCells_.push_back({cell, &loaded, static_cast<size_t>(k)});
      if (k < static_cast<int>(loaded.frames.size())) {
        addLabel(cell.x + 3, cell.y + 2, 40, std::to_string(loaded.frames[k]), Caption);
      }
    }
  }
  const int rows = static_cast<int>((models_.size() + ModelColumns - 1) / ModelColumns);
  return top + rows * blockHeight;
}

int ContactSheet::layOutTextures(int top) {
  addLabel(Margin, top, 400, "Textures (flags " + std::to_string(catalog::PictureLoadFlags) + ")", Heading);
  top += LineHeight + 4;
  const std::vector<SheetTexture> files = singleTextures();
  const int perRow = (SheetWidth - 2 * Margin + ThumbGap) / (ThumbCellWidth + ThumbGap);
  const int cellHeight = ThumbSize + 2 * LineHeight + 8;
  for (size_t i = 0; i < singles_.size(); ++i) {
    const int x = Margin + static_cast<int>(i % perRow) * (ThumbCellWidth + ThumbGap);
    const int y = top + static_cast<int>(i / perRow) * cellHeight;
    LoadedTexture& loaded = *singles_[i];
    textureCells_.push_back({{x, y, ThumbSize, ThumbSize}, &loaded});
    addLabel(x, y + ThumbSize + 2, ThumbCellWidth, baseName(files[i].file), Caption);
    const std::string size = loaded.ok ? std::to_string(loaded.width) + " x " + std::to_string(loaded.height) +
                                             (loaded.alpha ? "  RGBA" : "  RGB")
                                       : "failed";
    addLabel(x, y + ThumbSize + 2 + LineHeight, ThumbCellWidth, size, Dim);
  }
  const int rows = static_cast<int>((singles_.size() + perRow - 1) / perRow);
  return top + rows * cellHeight;
}

int ContactSheet::layOutSequences(int top) {
  const int cellHeight = FrameSize + LineHeight + 4;
  for (size_t s = 0; s < sequences_.size(); ++s) {
    const std::vector<std::unique_ptr<LoadedTexture>>& frames = sequenceFrames_[s];
    std::string title = sequences_[s].title;
    if (!frames.empty() && frames[0]->ok) {
      title += "    " + std::to_string(frames[0]->width) + " x " + std::to_string(frames[0]->height) +
               (frames[0]->alpha ? "  RGBA" : "  RGB");
    }
    addLabel(Margin, top, SheetWidth - 2 * Margin, title, Heading);
    top += LineHeight + 4;
    for (size_t i = 0; i < frames.size(); ++i) {
      const int x = Margin + static_cast<int>(i % FramesPerRow) * FrameCellWidth;
      const int y = top + static_cast<int>(i / FramesPerRow) * cellHeight;
      textureCells_.push_back({{x, y, FrameSize, FrameSize}, frames[i].get()});
      addLabel(x, y + FrameSize + 1, FrameCellWidth, sequences_[s].frameLabels[i], Dim);
    }
    top += static_cast<int>((frames.size() + FramesPerRow - 1) / FramesPerRow) * cellHeight + 8;
  }
  return top;
}

// ---- Drawing

bool ContactSheet::visible(const Rect& rect) const {
  return rect.x < tile_.x + tile_.w && rect.x + rect.w > tile_.x && rect.y < tile_.y + tile_.h &&
         rect.y + rect.h > tile_.y;
}

// Viewport and scissor on the rectangle's place in the current tile (GL counts rows from the bottom).
void ContactSheet::useArea(const Rect& rect) const {
  const int x = rect.x - tile_.x;
  const int y = tile_.h - (rect.y - tile_.y) - rect.h;
  glViewport(x, y, rect.w, rect.h);
  glScissor(x, y, rect.w, rect.h);
}

void ContactSheet::drawTile(int left, int top, int areaWidth, int areaHeight) {
  tile_ = {left, top, areaWidth, areaHeight};
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glViewport(0, 0, areaWidth, areaHeight);
  glClearColor(0.14f, 0.15f, 0.17f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  for (const TextureCell& cell : textureCells_) {
    if (visible(cell.image)) drawTexture(cell);
  }
  for (const ModelCell& cell : modelCells_) {
    if (visible(cell.rect)) drawModel(cell);
  }
  for (const Label& label : labels_) {
    if (visible(label.rect)) drawLabel(label);
  }
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
}

void ContactSheet::drawTexture(const TextureCell& cell) {
  useArea(cell.image);
  const float halfW = cell.image.w / 2.0f, halfH = cell.image.h / 2.0f;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-halfW, halfW, -halfH, halfH, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (!cell.texture->ok) {
    glClearColor(0.8f, 0.1f, 0.1f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return;
  }
  // Keep the picture's shape inside the square.
  const float aspect = static_cast<float>(cell.texture->width) / static_cast<float>(cell.texture->height);
  const float w = aspect >= 1.0f ? 2 * halfW : 2 * halfH * aspect;
  const float h = aspect >= 1.0f ? 2 * halfW / aspect : 2 * halfH;

  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  const float square = 8.0f;
  for (float y = -h / 2; y < h / 2; y += square) {
    for (float x = -w / 2; x < w / 2; x += square) {
      const bool light = (static_cast<int>((x + w / 2) / square) + static_cast<int>((y + h / 2) / square)) % 2 == 0;
      const float grey = light ? 0.8f : 0.55f;
      glColor3f(grey, grey, grey);
      const float x1 = std::min(x + square, w / 2), y1 = std::min(y + square, h / 2);
      glVertex2f(x, y);
      glVertex2f(x1, y);
      glVertex2f(x1, y1);
      glVertex2f(x, y1);
    }
  }
  glEnd();

  card_.setSize(w, h);
  if (card_.textureCount() == 0) {
    card_.addTexture(&cell.texture->texture);
  } else {
    card_.setTexture(&cell.texture->texture, 0);
  }
  card_.render();
}

void ContactSheet::drawModel(const ModelCell& cell) {
  useArea(cell.rect);
  const LoadedModel& loaded = *cell.model;
  glClearColor(loaded.ok ? 0.25f : 0.8f, loaded.ok ? 0.4f : 0.1f, loaded.ok ? 0.6f : 0.1f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (cell.frame >= loaded.frames.size()) return;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(loaded.left, loaded.right, loaded.bottom, loaded.top, loaded.nearest, loaded.farthest);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(ViewTilt, 1.0f, 0.0f, 0.0f);
  glRotatef(ViewYaw, 0.0f, 1.0f, 0.0f);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  QModel& model = cell.model->model;
  model.playAnimation(std::to_string(cell.frame).c_str());
  cell.model->object.render();
  glDisable(GL_DEPTH_TEST);
}

void ContactSheet::drawLabel(const Label& label) {
  if (!fontOk_) return;
  useArea(label.rect);
  text_.setScreenSize(label.rect.w, label.rect.h);
  text_.setPosition(0.0f, 1.0f, 0.0f);
  text_.setColour(label.colour);
  text_.setLine(label.text.c_str());
  text_.render();
  glDisable(GL_DEPTH_TEST);
}
