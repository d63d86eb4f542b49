#pragma once

namespace kv {

// A rectangle in pixels; right and bottom lie just outside it.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const CRect&, const CRect&) = default;
};

// The width and height of a piece of text or a picture.
struct CExtent {
  int width = 0;
  int height = 0;
};

}  // namespace kv
