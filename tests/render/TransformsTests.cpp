// The matrices kept on our side are the ones OpenGL draws with: made as GLU and OpenGL make them,
// loaded into OpenGL as they are, and the model-view stack pushed and popped alike.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "render/Transforms.h"
#include "tests/render/RenderTestSupport.h"
#include "world/Matrix.h"

using namespace rendertest;

namespace {

Matrix4x4 held(GLenum which) {
  Matrix4x4 matrix;
  glGetFloatv(which, matrix.m);
  return matrix;
}

void expectNear(const Matrix4x4& ours, const Matrix4x4& theirs, const char* what) {
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(ours.m[i], theirs.m[i], 1e-4f * (1.0f + std::abs(theirs.m[i]))) << what << " " << i;
}

class TransformsGl : public ::testing::Test {
 protected:
  void SetUp() override { gl(); }
  void TearDown() override {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
};

TEST_F(TransformsGl, TheViewIsMadeAsGluAndOpenGlMakeIt) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.35, 0.1, 1000.0);
  const Matrix4x4 perspective = held(GL_PROJECTION_MATRIX);
  glLoadIdentity();
  glFrustum(-0.07, 0.03, -0.04, 0.05, 0.1, 1000.0);
  const Matrix4x4 frustum = held(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0.0, 2.0, 7.0, 0.3, -0.4, -1.0, 0.0, 1.0, 0.0);
  const Matrix4x4 lookAt = held(GL_MODELVIEW_MATRIX);

  transforms::setProjection(Matrix4x4::perspective(45.0f, 1.35f, 0.1f, 1000.0f));
  expectNear(transforms::projection(), perspective, "perspective");
  expectNear(held(GL_PROJECTION_MATRIX), perspective, "perspective as loaded");
  EXPECT_EQ(transforms::projection().m[0], held(GL_PROJECTION_MATRIX).m[0]);
  expectNear(Matrix4x4::frustum(-0.07f, 0.03f, -0.04f, 0.05f, 0.1f, 1000.0f), frustum, "frustum");
  transforms::loadModelview(Matrix4x4::lookAt({0.0f, 2.0f, 7.0f}, {0.3f, -0.4f, -1.0f}, {0.0f, 1.0f, 0.0f}));
  expectNear(transforms::modelview(), lookAt, "look-at");
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  transforms::setViewport(3, 4, 50, 60);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 3);
  EXPECT_EQ(viewport[3], 60);
  EXPECT_EQ(transforms::viewport().width, 50);
}

TEST_F(TransformsGl, TheModelViewStackGoesAsOpenGlsDoes) {
  transforms::loadModelview(Matrix4x4::lookAt({1.0f, 2.0f, 3.0f}, {0.0f, 0.0f, -5.0f}, {0.0f, 1.0f, 0.0f}));
  const Matrix4x4 camera = transforms::modelview();
  transforms::push();
  transforms::translate(4.0f, -2.0f, 0.5f);
  transforms::multiply(Matrix4x4::rotationY(30.0f));
  transforms::push();
  transforms::scale(-1.0f, 2.0f, 0.5f);
  expectNear(transforms::modelview(), held(GL_MODELVIEW_MATRIX), "two deep");
  transforms::pop();
  expectNear(transforms::modelview(), held(GL_MODELVIEW_MATRIX), "one deep");
  transforms::pop();
  expectNear(transforms::modelview(), camera, "back at the camera");
  expectNear(held(GL_MODELVIEW_MATRIX), camera, "OpenGL back at the camera");
}

}  // namespace
