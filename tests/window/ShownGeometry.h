#pragma once
// The geometry record the program keeps under VELKAN_GEOMETRY (controls/ShownGeometry.h), read
// back, and the rules every shown screen keeps: controls inside their window's visible area, no
// two controls over each other, captions that fit, frames that hold or miss a control whole, and
// no video view over a page.
#include <string>
#include <vector>

struct GeoRect {
  int X = 0, Y = 0, W = 0, H = 0;
  int Right() const { return X + W; }
  int Bottom() const { return Y + H; }
  bool Empty() const { return W <= 0 || H <= 0; }
  bool Contains(const GeoRect& r) const { return r.X >= X && r.Y >= Y && r.Right() <= Right() && r.Bottom() <= Bottom(); }
  bool Intersects(const GeoRect& r) const {
    return !Empty() && !r.Empty() && r.X < Right() && X < r.Right() && r.Y < Bottom() && Y < r.Bottom();
  }
};

struct GeoWindow {
  int Index = 0;
  std::string Kind;  // main, popup:<page>, busy, dialog
  GeoRect Visible;
  std::string Title;
};
struct GeoPage {
  int Window = 0;
  std::string Id;
  GeoRect Rect;
};
struct GeoControl {
  int Window = 0;
  std::string Owner;  // the page's template id, or "top"
  bool Direct = false;  // a child of its page or window itself (not inside a canvas or a list)
  int Id = 0;
  std::string Kind;
  GeoRect Rect, Visible;
  int RoomW = 0, RoomH = 0, TextW = 0, TextH = 0;
  int Lines = 0;  // the lines the caption is drawn in
  std::string Caption;
};
struct GeoFrame {
  int Window = 0;
  std::string Owner;
  GeoRect Frame, Title;
  std::string Text;
};

struct ShownGeometry {
  std::vector<GeoWindow> Windows;
  std::vector<GeoPage> Pages;
  std::vector<GeoControl> Controls;
  std::vector<GeoFrame> Frames;
  struct Video {
    int Window = 0;
    GeoRect Rect;
    std::vector<std::string> Above;  // the pages it is stacked above
  };
  std::vector<Video> Videos;
  std::vector<std::pair<int, GeoRect>> Popups;  // open drop-down lists by their button's id

  static ShownGeometry Parse(const std::string& text);
  const GeoWindow* Window(const std::string& kind) const;
  const GeoControl* Control(const std::string& windowKind, int id) const;
  bool HasPage(const std::string& id) const;
  // Every broken rule, one line each; empty when the screen keeps them all.
  std::vector<std::string> Faults() const;
};
