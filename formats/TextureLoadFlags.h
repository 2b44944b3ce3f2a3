#pragma once
// How a picture is made into a texture: the flags the data catalogue gives each picture and
// Texture::loadBMP takes. Other bits are ignored.
enum TextureLoadFlags : unsigned {
  TexMipmap = 1,        // full mipmap chain instead of one level
  TexLinear = 2,        // linear minification
  TexNearestMin = 4,    // nearest minification
  TexNearest = 8,       // nearest minification and magnification
  TexClampS = 16,       // clamp the S coordinate instead of repeating it
  TexClampT = 32,       // the same for T: a card standing on its bottom edge, whose top must not show it
  TexPremultiply = 64,  // colours multiplied by their alpha, for blending with (ONE, ONE_MINUS_SRC_ALPHA)
};
