// The digits of a resize rule (WINPOSCLASS): the corner a control keeps its distance to (rp),
// of the window or of its relative control, and the bits by which its size follows (rs).
#pragma once
#include <cstdint>

enum ResizeCorner : int16_t { kTopLeft = 1, kTopRight = 2, kBottomLeft = 3, kBottomRight = 4 };

enum ResizeGrowth : int16_t {
  kKeepSize = 0,
  kGrowWidth = 1,       // with the window's width
  kGrowHeight = 2,      // with the window's height
  kShareWidth = 4,      // as a share of the window's width
  kShareHeight = 8,     // as a share of the window's height
  kFollowWidth = 16,    // with the relative control's width
  kFollowHeight = 32,   // with the relative control's height
};
