// Drawing a view: projection and camera, then every layer in DrawOrder.
#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include "render/Transforms.h"

#include "scene/FarToNear.h"
#include "scene/GroundCover.h"
#include "scene/SeaScene.h"
#include "world/Matrix.h"

namespace {

// A view turned to the side looks past the edges of the lagoon's floor, water and fader; there they
// go on as mirror images of themselves, which meet them seamlessly.
constexpr int SideCopies = 2;

// Calls draw(transform) for an object spanning left to right (x): once with `around` (nullptr: no
// transform, the object where it stands), and in a view turned to the side once for each copy past
// its edges, `around` followed by the copy's own transform.
template <typename Draw>
void withSides(float left, float right, const Matrix4x4* around, const SceneView& view, const Draw& draw) {
  draw(around);
  if (view.yaw == 0.0f) return;
  const float width = right - left;
  for (int k = 1; k <= SideCopies; ++k) {
    // Odd copies are mirrored about the edge they meet; even ones are the object moved on.
    const bool mirrored = k % 2 == 1;
    for (const float edge : {right, left}) {
      const float away = edge == right ? 1.0f : -1.0f;
      Matrix4x4 copy =
          Matrix4x4::translation(mirrored ? 2.0f * edge + away * (k - 1) * width : away * k * width, 0.0f, 0.0f);
      if (mirrored) copy = Matrix4x4::multiply(copy, Matrix4x4::scaling(-1.0f, 1.0f, 1.0f));
      if (around) copy = Matrix4x4::multiply(*around, copy);
      draw(&copy);
    }
  }
}

// The same, and looking sideways also past the near edge (OpenGL z), where the object goes on mirrored.
template <typename Draw>
void allAround(float left, float right, float nearEdge, const SceneView& view, const Draw& draw) {
  withSides(left, right, nullptr, view, draw);
  if (view.yaw == 0.0f) return;
  const Matrix4x4 mirror =
      Matrix4x4::multiply(Matrix4x4::translation(0.0f, 0.0f, 2.0f * nearEdge), Matrix4x4::scaling(1.0f, 1.0f, -1.0f));
  withSides(left, right, &mirror, view, draw);
}

// The object where a copy of it stands (nullptr: where it stands itself).
void renderCopy(SceneObject& object, const Matrix4x4* copy) {
  if (!copy) {
    object.render();
    return;
  }
  transforms::push();
  transforms::multiply(*copy);
  object.render();
  transforms::pop();
}

}  // namespace

void SeaScene::renderWithSides(SceneObject& object, float left, float right, const SceneView& view) {
  withSides(left, right, nullptr, view, [&](const Matrix4x4* copy) { renderCopy(object, copy); });
}

void SeaScene::renderAround(SceneObject& object, float left, float right, float nearEdge, const SceneView& view) {
  allAround(left, right, nearEdge, view, [&](const Matrix4x4* copy) { renderCopy(object, copy); });
}

void SeaScene::renderFloor(const SceneView& view) {
  Terrain::Ground area;
  if (!floor_.ground(area)) {
    floor_.render();
    return;
  }
  // The floor's edges as its mesh has them (it leaves a band at its right and near edges open).
  const Vector3 at = floor_.position();
  renderAround(floor_, area.xMin + at.x, area.xMax + at.x, area.zMax - at.z, view);
}

// The horizon fader's opaque band, drawn next, paints over the far floor in its rows: cells that
// would land wholly there need not be sent.
void SeaScene::hideFloorUnderFader() {
  if (wireframe_ || !shown(SceneLayer::RockAndFader, 1)) {
    floor_.hideRows(0, 0);
  } else {
    floor_.hideRows(faderBandLow_, faderBandHigh_);
  }
}

void SeaScene::draw(const SceneView& view) {
  beginView(view);
  for (const SceneLayer layer : DrawOrder) drawLayer(layer, view);
}

namespace {

// The floor's and the water's grid lines drawn in a view: all of them where their cells are wide
// enough to show their shape, fewer in small views (the Display control panel's preview).
int gridDetail(const SceneView& view) {
  if (view.height >= 400) return 1;
  return view.height >= 200 ? 2 : 4;
}

}  // namespace

void SeaScene::beginView(const SceneView& view) {
  floor_.setDetail(gridDetail(view));
  water_.setDetail(gridDetail(view));
  transforms::setViewport(view.x, view.y, view.width, view.height);
  constexpr float Near = 0.1f, Far = 1000.0f;
  transforms::setProjection(view.offAxis ? Matrix4x4::frustum(view.left * Near, view.right * Near, view.bottom * Near,
                                                              view.top * Near, Near, Far)
                                         : Matrix4x4::perspective(45.0f, view.aspect, Near, Far));

  // Only this view's part of the window is cleared: others may share it.
  glScissor(view.x, view.y, view.width, view.height);
  glEnable(GL_SCISSOR_TEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);

  const LookAtCamera& camera = view.camera;
  const Vector3& eye = camera.eye();
  Vector3 lookAt = camera.lookAt();
  // Turned about the vertical, so every view keeps the camera's pitch and a level horizon.
  if (view.yaw != 0.0f) lookAt = eye + rotateAbout(lookAt - eye, Vector3{0.0f, 1.0f, 0.0f}, view.yaw);
  transforms::loadModelview(Matrix4x4::lookAt(eye, lookAt, camera.up()));
  if (!rowsCoveredByCard(faderPlane_, faderBandLow_, faderBandHigh_)) faderBandLow_ = faderBandHigh_ = 0;
}

void SeaScene::drawLayer(SceneLayer layer, const SceneView& view) {
  switch (layer) {
    case SceneLayer::Sky: {
      if (!shown(layer, 0)) break;
      // What follows paints over parts of the view: the floor, opaque, the rows it covers from
      // side to side at the bottom (two rows of margin for its edge), and the horizon fader the
      // rows of its opaque band. The sky is drawn above and between them only. Their lines in
      // wireframe paint over nothing.
      if (wireframe_) {
        drawSky(view, 0, view.height);
        break;
      }
      const Vector3 floorAt = floor_.position();
      const int floorRows = std::max(0, rowsCoveredByGround(floor_, Vector3{floorAt.x, floorAt.y, -floorAt.z}) - 2);
      const int bandLow = faderBandLow_, bandHigh = faderBandHigh_;
      if (bandHigh <= bandLow || bandLow > floorRows) {
        drawSky(view, floorRows, bandLow > floorRows ? bandLow : view.height);
        if (bandHigh > bandLow && bandLow > floorRows) drawSky(view, bandHigh, view.height);
      } else {
        drawSky(view, std::max(floorRows, bandHigh), view.height);
      }
      break;
    }
    case SceneLayer::Floor:
      if (!shown(layer, 0)) break;
      glEnable(GL_FOG);
      floor_.setTexture(&assets_.frame(catalog::FloorCaustics, causticFrame_), 1);
      hideFloorUnderFader();
      renderFloor(view);
      glDisable(GL_FOG);
      break;
    case SceneLayer::RockAndFader:
      if (shown(layer, 0)) rockPlane_.render();
      if (shown(layer, 1)) renderWithSides(faderPlane_, -0.5f * faderPlane_.width(), 0.5f * faderPlane_.width(), view);
      break;
    case SceneLayer::CoralsBeforeReefFish:
      drawCorals(layer, CoralGroup::BeforeReefFish);
      break;
    case SceneLayer::CoralsAfterBigFish:
      drawCorals(layer, CoralGroup::AfterBigFish);
      break;
    case SceneLayer::Island:
      if (shown(layer, 0)) islandPlane_.render();
      break;
    case SceneLayer::Water:
      if (!shown(layer, 0)) break;
      if (foldsSunlight()) {
        // Each copy of the water past its edges under the same copy of the sunlight card: the card
        // spans the water's width from the same near edge, so its own copies would stand there too.
        const WaterGrid::Sunlight light{&assets_.frame(catalog::Highlights, highlightFrame_),
                                        highlightPlane_.textureScale(1),
                                        highlightPlane_.texture(0),
                                        &assets_.premultipliedWater(),
                                        highlightPlane_.placement(),
                                        highlightPlane_.width(),
                                        highlightPlane_.height(),
                                        view.camera.eye()};
        allAround(-0.5f * WaterWidth, 0.5f * WaterWidth, 0.5f * WaterDepth - water_.position().z, view,
                  [&](const Matrix4x4* copy) { water_.renderSunlit(light, copy); });
        break;
      }
      renderAround(water_, -0.5f * WaterWidth, 0.5f * WaterWidth, 0.5f * WaterDepth - water_.position().z, view);
      break;
    case SceneLayer::Highlight:
      if (!shown(layer, 0) || foldsSunlight()) break;
      highlightPlane_.setTexture(&assets_.frame(catalog::Highlights, highlightFrame_), 1);
      renderAround(highlightPlane_, -0.5f * highlightPlane_.width(), 0.5f * highlightPlane_.width(),
                   0.5f * highlightPlane_.height() - highlightPlane_.position().z, view);
      break;
    case SceneLayer::Gull:
    case SceneLayer::School:
    case SceneLayer::Predator:
    case SceneLayer::ReefFish:
    case SceneLayer::BigFish:
    case SceneLayer::Manta:
      drawCreatures(layer, view);
      break;
  }
}

// Far to near, so the nearer paint over the farther; under water with the fish caustics of this
// frame, in the fog.
void SeaScene::drawCreatures(SceneLayer layer, const SceneView& view) {
  const int l = static_cast<int>(layer);
  int* order = layerOrder_.data() + layerStart_[l];
  const int count = layerStart_[l + 1] - layerStart_[l];
  sortFarToNear(order, count, view.camera.eye(), [this](int i) { return creatures_[i].pose->glPosition(); });
  bool fogged = false;
  for (int k = 0; k < count; ++k) {
    const Creature& creature = creatures_[order[k]];
    const CreatureKind& row = CreatureKinds[creature.kind];
    if (creature.patrolCandidate >= 0 &&
        !(routePatrol_.travellerShown() && routePatrol_.current() == creature.patrolCandidate)) {
      continue;
    }
    if (!shown(layer, order[k])) continue;
    ModelObject& look = kinds_[creature.kind].look;
    if (row.causticScale > 0.0f) {
      if (!fogged) glEnable(GL_FOG);
      fogged = true;
      look.setTexture(&assets_.frame(catalog::FishCaustics, causticFrame_), 1);
    }
    look.setPose(*creature.pose);
    look.render();
  }
  if (fogged) glDisable(GL_FOG);
}

// The sunlight is laid on in the water's pass where the driver can. Pictures that tell the objects
// apart, and the wireframe's lines, keep the two apart.
bool SeaScene::foldsSunlight() const {
  return !identity_ && !wireframe_ && WaterGrid::canFoldSunlight() && highlightPlane_.textureCount() == 2 &&
         assets_.premultipliedWater().loaded();
}

void SeaScene::drawSky(const SceneView& view, int fromRow, int toRow) {
  if (toRow <= fromRow) return;
  const bool whole = fromRow == 0 && toRow == view.height;
  if (!whole) {
    glScissor(view.x, view.y + fromRow, view.width, toRow - fromRow);
    glEnable(GL_SCISSOR_TEST);
  }
  if (skyType_ == 0) {
    skyDome_.render();
  } else {
    renderWithSides(skyPlane_, -0.5f * skyPlane_.width(), 0.5f * skyPlane_.width(), view);
  }
  if (!whole) glDisable(GL_SCISSOR_TEST);
}

// Every face of a colony is wound counter-clockwise seen from outside and no colony is seen from
// within: a face turned away lies behind a near one, so leaving it out keeps the picture and
// spares the driver the rasterising of half the corals' triangles.
void SeaScene::drawCorals(SceneLayer layer, CoralGroup group) {
  glEnable(GL_FOG);
  glCullFace(GL_BACK);
  for (int i = 0; i < CoralCount; ++i) {
    if (CoralPlacements[i].group != group || !shown(layer, i)) continue;
    if (CoralTwoSided[CoralPlacements[i].kind]) {
      glDisable(GL_CULL_FACE);
    } else {
      glEnable(GL_CULL_FACE);
    }
    corals_[i].render();
  }
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
}
