#pragma once
#include <memory>
#include <string>
#include <vector>

#include "render/QModel.h"
#include "render/Quad.h"
#include "render/TextObject.h"
#include "render/Texture.h"
#include "tools/contactsheet/ContentCatalog.h"

// Every texture and model of a data folder on one labelled sheet, drawn through the scene's own
// classes: pictures on a Quad over a checkerboard (so alpha shows), models as ModelObjects with
// their skins, unlit, a few frames of the range the scene plays, each framed to its bounding box.
// The sheet is larger than any window, so it is drawn in tiles: every cell draws into its own
// viewport, placed relative to the tile.
class ContactSheet {
 public:
  explicit ContactSheet(const std::string& dataFolder);
  ContactSheet(const ContactSheet&) = delete;
  ContactSheet& operator=(const ContactSheet&) = delete;

  // Needs a current GL context. Loads every file and lays the sheet out; false when any file
  // failed (its loader has said which, and its cell is drawn red).
  bool load();
  int width() const { return width_; }
  int height() const { return height_; }
  // Draws the part of the sheet whose top-left corner is (left, top) over the whole drawing area.
  void drawTile(int left, int top, int areaWidth, int areaHeight);

 private:
  struct Rect {
    int x, y, w, h;
  };
  struct Label {
    Rect rect;
    std::string text;
    Vector3 colour;
  };
  struct LoadedTexture {
    Texture texture;
    bool ok = false;
    int width = 0, height = 0;
    bool alpha = false;
  };
  struct TextureCell {
    Rect image;
    LoadedTexture* texture;
  };
  struct LoadedModel {
    SheetModel entry;
    QModel model;
    Texture skin;
    ModelObject object;
    bool ok = false;
    std::vector<int> frames;
    float left = 0, right = 0, bottom = 0, top = 0, nearest = 0, farthest = 0;  // view box
  };
  struct ModelCell {
    Rect rect;
    LoadedModel* model;
    size_t frame;
  };

  std::unique_ptr<LoadedTexture> loadTexture(const SheetTexture& file);
  void loadModel(LoadedModel& loaded);
  void frameModel(LoadedModel& loaded);
  void layOut();
  int layOutModels(int top);
  int layOutTextures(int top);
  int layOutSequences(int top);
  void addLabel(int x, int y, int w, const std::string& text, const Vector3& colour);

  bool visible(const Rect& rect) const;
  void useArea(const Rect& rect) const;
  void drawTexture(const TextureCell& cell);
  void drawModel(const ModelCell& cell);
  void drawLabel(const Label& label);

  std::string folder_;
  int width_ = 0, height_ = 0;
  Rect tile_{0, 0, 0, 0};
  bool fontOk_ = false;
  TextObject text_;
  Quad card_;
  std::vector<std::unique_ptr<LoadedTexture>> singles_;
  std::vector<std::vector<std::unique_ptr<LoadedTexture>>> sequenceFrames_;
  std::vector<TextureSequence> sequences_;
  std::vector<std::unique_ptr<LoadedModel>> models_;
  std::vector<Label> labels_;
  std::vector<TextureCell> textureCells_;
  std::vector<ModelCell> modelCells_;
};
