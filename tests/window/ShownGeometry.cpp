#include "window/ShownGeometry.h"

#include <algorithm>
#include <sstream>

namespace {
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) f.push_back(field);
  return f;
}

GeoRect Box(const std::string& s) {
  GeoRect r;
  char comma = 0;
  std::istringstream(s) >> r.X >> comma >> r.Y >> comma >> r.W >> comma >> r.H;
  return r;
}

std::string Show(const GeoRect& r) {
  return std::to_string(r.X) + "," + std::to_string(r.Y) + " " + std::to_string(r.W) + "x" + std::to_string(r.H);
}

std::string Name(const GeoControl& c) {
  return "[" + c.Owner + "] " + c.Kind + " " + std::to_string(c.Id) + (c.Caption.empty() ? "" : " \"" + c.Caption + "\"");
}
}  // namespace

ShownGeometry ShownGeometry::Parse(const std::string& text) {
  ShownGeometry g;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const auto f = Fields(line);
    if (f.empty()) continue;
    if (f[0] == "window" && f.size() >= 4) {
      g.Windows.push_back({std::stoi(f[1]), f[2], Box(f[3]), f.size() > 4 ? f[4] : ""});
    } else if (f[0] == "page" && f.size() >= 4) {
      g.Pages.push_back({std::stoi(f[1]), f[2], Box(f[3])});
    } else if (f[0] == "popup" && f.size() >= 4) {
      g.Popups.emplace_back(std::stoi(f[2]), Box(f[3]));
    } else if (f[0] == "video" && f.size() >= 3) {
      Video v{std::stoi(f[1]), Box(f[2]), {}};
      std::istringstream above(f.size() > 3 ? f[3] : "");
      for (std::string page; above >> page;) v.Above.push_back(page);
      g.Videos.push_back(v);
    } else if (f[0] == "frame" && f.size() >= 5) {
      g.Frames.push_back({std::stoi(f[1]), f[2], Box(f[3]), Box(f[4]), f.size() > 5 ? f[5] : ""});
    } else if (f[0] == "control" && f.size() >= 11) {
      GeoControl c;
      c.Window = std::stoi(f[1]);
      c.Owner = f[2];
      c.Direct = f[3] == "1";
      c.Id = std::stoi(f[4]);
      c.Kind = f[5];
      c.Rect = Box(f[6]);
      c.Visible = Box(f[7]);
      char comma = 0;
      std::istringstream(f[8]) >> c.RoomW >> comma >> c.RoomH;
      std::istringstream(f[9]) >> c.TextW >> comma >> c.TextH;
      c.Lines = std::stoi(f[10]);
      c.Caption = f.size() > 11 ? f[11] : "";
      g.Controls.push_back(c);
    }
  }
  return g;
}

const GeoWindow* ShownGeometry::Window(const std::string& kind) const {
  for (const auto& w : Windows)
    if (w.Kind == kind) return &w;
  return nullptr;
}

const GeoControl* ShownGeometry::Control(const std::string& windowKind, int id) const {
  const GeoWindow* w = Window(windowKind);
  if (!w) return nullptr;
  for (const auto& c : Controls)
    if (c.Window == w->Index && c.Id == id && !c.Rect.Empty()) return &c;
  return nullptr;
}

bool ShownGeometry::HasPage(const std::string& id) const {
  for (const auto& p : Pages)
    if (p.Id == id) return true;
  return false;
}

std::vector<std::string> ShownGeometry::Faults() const {
  std::vector<std::string> faults;
  auto fault = [&](const std::string& s) { faults.push_back(s); };
  // The controls an operator works with: children of a page or of a window itself.
  std::vector<const GeoControl*> own;
  for (const auto& c : Controls)
    if (c.Direct && !c.Rect.Empty()) own.push_back(&c);

  for (const GeoControl* c : own) {
    if (!c->Visible.Contains(c->Rect))
      fault(Name(*c) + " at " + Show(c->Rect) + " lies outside the visible " + Show(c->Visible));
    const bool captioned = c->Kind == "button" || c->Kind == "static" || c->Kind == "droplist";
    if (captioned && c->TextW > 0 && (c->TextW > c->RoomW || c->TextH > c->RoomH))
      fault(Name(*c) + " needs " + std::to_string(c->TextW) + "x" + std::to_string(c->TextH) + " for its caption, has " +
            std::to_string(c->RoomW) + "x" + std::to_string(c->RoomH));
  }
  // The busy box says what it waits for on one line (it is wide enough for any of its texts).
  for (const auto& w : Windows)
    if (w.Kind == "busy")
      for (const GeoControl* c : own)
        if (c->Window == w.Index && c->Kind == "static" && c->Lines > 1)
          fault(Name(*c) + " is broken into " + std::to_string(c->Lines) + " lines");
  for (size_t i = 0; i < own.size(); ++i)
    for (size_t j = i + 1; j < own.size(); ++j) {
      const GeoControl &a = *own[i], &b = *own[j];
      if (a.Window == b.Window && a.Owner == b.Owner && a.Rect.Intersects(b.Rect))
        fault(Name(a) + " at " + Show(a.Rect) + " overlaps " + Name(b) + " at " + Show(b.Rect));
    }
  for (const auto& f : Frames) {
    const std::string name = "[" + f.Owner + "] frame \"" + f.Text + "\" at " + Show(f.Frame);
    if (!f.Title.Empty() && (f.Title.X < f.Frame.X || f.Title.Right() > f.Frame.Right()))
      fault(name + ": its title " + Show(f.Title) + " runs past it");
    for (const auto& other : Frames) {
      if (&other == &f || other.Window != f.Window) continue;
      // Two frames stand apart, or one holds the other; a title keeps one pixel off any other frame.
      GeoRect title = f.Title;
      title.X -= 1, title.W += 2;
      if (other.Owner == f.Owner && f.Frame.Intersects(other.Frame) && !f.Frame.Contains(other.Frame) &&
          !other.Frame.Contains(f.Frame))
        fault(name + " crosses frame \"" + other.Text + "\" at " + Show(other.Frame));
      if (!f.Title.Empty() && title.Intersects(other.Frame) && !other.Frame.Contains(f.Frame))
        fault(name + ": its title touches frame \"" + other.Text + "\" at " + Show(other.Frame));
    }
    for (const GeoControl* c : own) {
      if (c->Window != f.Window || c->Owner != f.Owner) continue;
      if (f.Frame.Intersects(c->Rect) && !f.Frame.Contains(c->Rect))
        fault(Name(*c) + " at " + Show(c->Rect) + " sits across " + name);
      if (f.Title.Intersects(c->Rect)) fault(Name(*c) + " at " + Show(c->Rect) + " covers the title of " + name);
    }
  }
  // A video view is an X window of its own: stacked above a page it meets, it covers it.
  for (const auto& v : Videos)
    for (const auto& p : Pages)
      if (p.Window == v.Window && p.Rect.Intersects(v.Rect) &&
          std::find(v.Above.begin(), v.Above.end(), p.Id) != v.Above.end())
        fault("a video view at " + Show(v.Rect) + " covers page " + p.Id + " at " + Show(p.Rect));
  return faults;
}
