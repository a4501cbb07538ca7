#pragma once

#include <algorithm>

// A pixel rectangle; right and bottom are exclusive, y grows downward.
// All four zero means empty.
struct IRECT
{
  int L = 0, T = 0, R = 0, B = 0;

  IRECT() = default;
  IRECT(int l, int t, int r, int b) : L(l), T(t), R(r), B(b) {}

  int W() const { return R - L; }
  int H() const { return B - T; }
  bool Empty() const { return L == 0 && T == 0 && R == 0 && B == 0; }

  bool Contains(int x, int y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  // Touching rectangles count as intersecting: right and bottom are compared inclusively
  // on this side so that a neighbour sharing an edge is repainted with it.
  bool Intersects(const IRECT& o) const { return !Empty() && !o.Empty() && R >= o.L && L < o.R && B >= o.T && T < o.B; }

  IRECT Union(const IRECT& o) const
  {
    if (Empty())
      return o;
    if (o.Empty())
      return *this;
    return IRECT(std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B));
  }

  IRECT Intersection(const IRECT& o) const
  {
    return IRECT(std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B));
  }

  bool operator==(const IRECT& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRECT& o) const { return !(*this == o); }
};
