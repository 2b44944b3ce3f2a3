#pragma once
#include <cstdint>
#include <vector>

#include "world/Matrix.h"
#include "world/Pose.h"
#include "world/Vector.h"

class Texture;

// Bits of SceneObject::flags. The only flag operation clears bits.
enum ObjectFlags : unsigned {
  Interpolate = 1,     // models blend between animation frames
  EulerTransform = 2,  // placed by translation and three angles; clear: by position, target and up
  DepthTest = 4,       // the depth test stays on while the object draws
};

// Base of everything the scene draws: placement, orientation, scale, colour, blending, the
// textures it wears and the begin/draw/end protocol. Position, target and up are a Pose, held
// with z negated, the form handed to OpenGL; the accessors negate z on the way in and out.
class SceneObject {
 public:
  SceneObject() = default;
  virtual ~SceneObject() = default;
  SceneObject(const SceneObject&) = delete;
  SceneObject& operator=(const SceneObject&) = delete;

  void render() {
    begin();
    draw();
    end();
  }
  virtual void begin();
  virtual void draw() {}
  virtual void end();
  // Frees what the object built; the base empties the texture lists and keeps their storage.
  virtual void releaseGeometry();

  // Placement. setPosition carries the target along in look-at mode, so the facing is kept.
  void setPosition(float x, float y, float z);
  void setPosition(const Vector3& p) { setPosition(p.x, p.y, p.z); }
  void setTarget(float x, float y, float z) { pose_.setTarget(x, y, z); }
  void setTarget(const Vector3& t) { pose_.setTarget(t); }
  void setUp(float x, float y, float z) { pose_.setUp(x, y, z); }
  void setUp(const Vector3& u) { pose_.setUp(u); }
  Vector3 position() const { return pose_.position(); }
  Vector3 target() const { return pose_.target(); }
  Vector3 up() const { return pose_.up(); }
  // A creature's pose: the scene draws one object per kind at each creature's pose in turn.
  void setPose(const Pose& pose) { pose_ = pose; }
  const Pose& pose() const { return pose_; }

  // Orientation in degrees, each angle kept within (-360, 360) with its sign and fraction.
  void setAngleX(float degrees);
  void setAngleY(float degrees);
  void setAngleZ(float degrees);
  void turnY(float deltaDegrees);
  float angleX() const { return angleX_; }
  float angleY() const { return angleY_; }
  float angleZ() const { return angleZ_; }

  void setScale(float s) { setScale(s, s, s); }
  void setScale(float x, float y, float z);
  Vector3 scale() const { return {scaleX_, scaleY_, scaleZ_}; }

  void setColour(const Vector3& rgb);  // alpha unchanged
  void setAlpha(float a) { colour_[3] = a; }
  const float* colour() const { return colour_; }
  void setBlended(bool blended) { blended_ = blended; }
  bool blended() const { return blended_; }
  void clearFlags(unsigned bits) { flags_ &= ~bits; }
  unsigned flags() const { return flags_; }

  // Texture i is used on texture unit i. The list storage is reserved once, so swapping a
  // texture per frame with setTexture never allocates.
  void addTexture(Texture* texture);
  void setTexture(Texture* texture, int index);
  void setTextureScale(int index, float scale);
  int textureCount() const { return static_cast<int>(textures_.size()); }
  Texture* texture(int index) const;
  float textureScale(int index) const;
  bool textured() const { return textured_; }
  bool multitextured() const { return multitextured_; }

  // Pictures that tell the objects apart (the census): while a colour is set, every object draws
  // in it alone, cut out by its first picture's alpha (opaque above one half), unblended and
  // unfogged. Null gives the real picture back. The colour is read at each begin.
  static void setFlatColour(const float* rgb);

  // Emits (u, v) once per texture in use: through every unit when multitextured, else through
  // the first texture; nothing when untextured.
  void texCoord(float u, float v) const;

  // Draws from client arrays: positions of three floats and (u, v) pairs, each at its stride in
  // bytes, as count vertices in order or through count indices. The picture is the one that
  // texCoord and glVertex3f per vertex would give, for a handful of GL calls in all.
  void drawArrays(unsigned mode, const float* positions, int positionStride, const float* coords, int coordStride,
                  int count) const;
  void drawElements(unsigned mode, const float* positions, int positionStride, const float* coords, int coordStride,
                    int count, const uint16_t* indices) const;
  void drawElements(unsigned mode, const float* positions, int positionStride, const float* coords, int coordStride,
                    int count, const uint32_t* indices) const;
  // Several runs of the arrays (vertexCount vertices), run i from vertex firsts[i] for counts[i]
  // vertices, with the arrays set up once and locked where the driver offers it.
  void drawArrayRuns(unsigned mode, const float* positions, int positionStride, const float* coords, int coordStride,
                     const int* firsts, const int* counts, int runs, int vertexCount) const;
  // The same through indices: run i from index firsts[i] for counts[i] indices.
  void drawElementRuns(unsigned mode, const float* positions, int positionStride, const float* coords, int coordStride,
                       const uint32_t* indices, const int* firsts, const int* counts, int runs, int vertexCount) const;

 private:
  void updateMultitextured();
  void beginFlat(const float* rgb);
  // indexType 0 draws the arrays in order.
  void drawClientArrays(unsigned mode, const float* positions, int positionStride, const float* coords, int coordStride,
                        int count, unsigned indexType, const void* indices) const;
  // The number of textures in use; 0 when untextured.
  size_t texturesInUse() const;
  void enableClientArrays(const float* positions, int positionStride, const float* coords, int coordStride) const;
  void disableClientArrays() const;

  Matrix4x4 rotationX_, rotationY_, rotationZ_;
  float angleX_ = 0.0f, angleY_ = 0.0f, angleZ_ = 0.0f;
  float scaleX_ = 1.0f, scaleY_ = 1.0f, scaleZ_ = 1.0f;
  std::vector<Texture*> textures_;
  std::vector<float> textureScales_;
  bool textured_ = false;
  bool blended_ = false;
  bool multitextured_ = false;
  float colour_[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  Pose pose_;
  unsigned flags_ = Interpolate | EulerTransform | DepthTest;
};
