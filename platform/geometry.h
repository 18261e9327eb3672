// Plain geometry records shared by the application and every backend.
#pragma once

namespace lv {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size&) const = default;
};

// Right and bottom are exclusive, as everywhere in the client's hit testing.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  bool operator==(const Rect&) const = default;
};

// A floating-point layout box for text; zero width and height means "no box".
struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

}  // namespace lv
