#include "controls/ShownGeometry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/popupwin.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CProgressDlg.h"
#include "controls/DrawingAids.h"
#include "controls/MBaseDialog.h"
#include "controls/PopupPageHost.h"
#include "controls/SkinStatic.h"
#include "platform/ui/ControlIds.h"
#include "platform/ui/NativeWindow.h"

namespace {
std::string Box(const wxRect& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
}

// Text measured as the kit draws it: wrapped to the room where the control wraps.
struct Caption {
    std::string Kind = "other";
    wxString Text;
    wxSize Room, Extent;
    int Lines = 0;
};

wxSize Measure(const wxFont& font, const wxString& text, int wrapWidth, int* lines = nullptr) {
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    dc.SetFont(font);
    const wxString shown = wrapWidth > 0 ? WrapText(dc, text, wrapWidth) : text;
    if (lines) *lines = shown.empty() ? 0 : static_cast<int>(shown.Freq('\n')) + 1;
    return shown.empty() ? wxSize() : dc.GetMultiLineTextExtent(shown);
}

Caption CaptionOf(wxWindow* w) {
    Caption c;
    const wxSize client = w->GetClientSize();
    if (auto* button = dynamic_cast<CGdipButton*>(w)) {
        c.Kind = "button";
        c.Text = button->GetLabel();
        c.Room = client;
        if (button->IsVerticalCaption()) {
            const wxSize e = Measure(w->GetFont(), c.Text, 0);
            c.Extent = {e.y, e.x};  // turned a quarter
        } else {
            c.Extent = Measure(w->GetFont(), c.Text, client.x, &c.Lines);
        }
    } else if (auto* text = dynamic_cast<SkinStatic*>(w)) {
        c.Kind = "static";
        c.Text = text->GetLabel();
        c.Room = client;
        c.Extent = Measure(w->GetFont(), c.Text, client.x, &c.Lines);
    } else if (auto* drop = dynamic_cast<CDropButton*>(w)) {
        // Any item may become the caption: the widest one must fit beside the arrow.
        c.Kind = "droplist";
        const wxSize m = Measure(w->GetFont(), "M", 0);
        c.Room = {client.x - m.x - 15, client.y};
        c.Text = drop->GetLabel();
        c.Extent = Measure(w->GetFont(), c.Text, 0);
        if (CDropList* list = drop->GetList()) {
            for (int i = 0; i < list->GetCount(); ++i) {
                const wxSize e = Measure(w->GetFont(), list->GetText(i), 0);
                if (e.x > c.Extent.x) {
                    c.Extent = e;
                    c.Text = list->GetText(i);
                }
            }
        }
    } else if (auto* edit = dynamic_cast<wxTextCtrl*>(w)) {
        // Its text, for what the page shows; an edit has no caption to fit.
        c.Kind = "edit";
        c.Text = edit->GetValue();
    }
    return c;
}

std::string TopKind(wxWindow* top) {
    if (top == wxTheApp->GetTopWindow()) return "main";
    if (auto* host = dynamic_cast<PopupPageHost*>(top))
        return host->Page() ? "popup:" + std::to_string(host->Page()->TemplateId) : "popup";
    if (dynamic_cast<CProgressDlg*>(top)) return "busy";
    return "dialog";
}

class Recorder {
public:
    explicit Recorder(std::string path) : Path(std::move(path)) {}

    void Record() {
        std::ostringstream out;
        int index = 0;
        for (wxWindow* top : wxTopLevelWindows) {
            if (!top->IsShown() || !IsMappedOnScreen(top)) continue;
            Top = index++;
            ShownPages.clear();
            CollectPages(top);
            const wxRect visible = ScreenClient(top).Intersect(DisplayArea(top));
            out << "window\t" << Top << '\t' << TopKind(top) << '\t' << Box(visible) << '\t'
                << (dynamic_cast<wxTopLevelWindow*>(top) ? dynamic_cast<wxTopLevelWindow*>(top)->GetTitle().utf8_string() : std::string()) << '\n';
            Frames(out, top, "top");
            Walk(out, top, "top", visible);
        }
        const std::string text = out.str();
        if (text == Last) return;
        Last = text;
        const std::string temp = Path + ".tmp";
        std::ofstream file(temp, std::ios::trunc);
        file << text;
        file.close();
        if (!file || std::rename(temp.c_str(), Path.c_str()) != 0) {
            std::remove(temp.c_str());
            std::fprintf(stderr, "velkan: cannot write the geometry to %s\n", Path.c_str());
        }
    }

private:
    static wxRect ScreenClient(wxWindow* w) {
        return wxRect(w->ClientToScreen(wxPoint(0, 0)), w->GetClientSize());
    }
    static wxRect DisplayArea(wxWindow* w) {
        const int at = wxDisplay::GetFromWindow(w);
        return wxDisplay(at == wxNOT_FOUND ? 0u : static_cast<unsigned>(at)).GetGeometry();
    }

    void Frames(std::ostringstream& out, wxWindow* w, const std::string& owner) {
        auto* source = dynamic_cast<DrawnFrameSource*>(w);
        if (!source) return;
        const wxPoint origin = w->ClientToScreen(wxPoint(0, 0));
        for (DrawnFrame f : source->ShownFrames()) {
            f.Frame.Offset(origin);
            if (!f.Title.IsEmpty()) f.Title.Offset(origin);
            out << "frame\t" << Top << '\t' << owner << '\t' << Box(f.Frame) << '\t' << Box(f.Title) << '\t'
                << f.Text.utf8_string() << '\n';
        }
    }

    void Walk(std::ostringstream& out, wxWindow* parent, const std::string& owner, const wxRect& visible) {
        for (wxWindow* child : parent->GetChildren()) {
            if (dynamic_cast<wxPopupWindow*>(child)) {
                // An open drop-down list, under its button.
                if (child->IsShown() && IsMappedOnScreen(child))
                    out << "popup\t" << Top << '\t' << ControlIdOf(parent) << '\t' << Box(child->GetScreenRect()) << '\n';
                continue;
            }
            if (!child->IsShown() || child->IsTopLevel()) continue;
            // The outer rectangle, border included, as its parent placed it.
            const wxRect rect(parent->ClientToScreen(child->GetPosition()), child->GetSize());
            if (auto* page = dynamic_cast<MBaseDialog*>(child)) {
                const std::string id = std::to_string(page->TemplateId);
                out << "page\t" << Top << '\t' << id << '\t' << Box(rect) << '\t' << Box(visible) << '\n';
                Frames(out, child, id);
                Walk(out, child, id, visible.Intersect(ScreenClient(child)));
                continue;
            }
            if (IsNativeView(child)) {
                // The shown pages this view is stacked above, wherever they meet.
                out << "video\t" << Top << '\t' << Box(rect) << '\t';
                for (MBaseDialog* page : ShownPages)
                    if (IsStackedAbove(child, page)) out << page->TemplateId << ' ';
                out << '\n';
                continue;
            }
            const Caption c = CaptionOf(child);
            const bool direct = owner == "top" ? parent->IsTopLevel() : dynamic_cast<MBaseDialog*>(parent) != nullptr;
            out << "control\t" << Top << '\t' << owner << '\t' << (direct ? 1 : 0) << '\t' << ControlIdOf(child) << '\t'
                << c.Kind << '\t' << Box(rect) << '\t' << Box(visible) << '\t' << c.Room.x << ',' << c.Room.y << '\t'
                << c.Extent.x << ',' << c.Extent.y << '\t' << c.Lines << '\t';
            // One line per control: a caption's line breaks become "|".
            std::string caption = c.Text.utf8_string();
            std::replace(caption.begin(), caption.end(), '\n', '|');
            out << caption << '\n';
            Walk(out, child, owner, visible.Intersect(ScreenClient(child)));
        }
    }

    void CollectPages(wxWindow* parent) {
        for (wxWindow* child : parent->GetChildren()) {
            if (!child->IsShown() || child->IsTopLevel()) continue;
            if (auto* page = dynamic_cast<MBaseDialog*>(child)) ShownPages.push_back(page);
            CollectPages(child);
        }
    }

    std::string Path, Last;
    int Top = 0;
    std::vector<MBaseDialog*> ShownPages;  // of the window being recorded
};

class GeometryTimer : public wxTimer {
public:
    explicit GeometryTimer(std::string path) : Record(std::move(path)) {}
    void Notify() override { Record.Record(); }

private:
    Recorder Record;
};
}  // namespace

void StartShownGeometry(wxWindow* anchor) {
    const char* path = std::getenv("VELKAN_GEOMETRY");
    if (!path || !*path || !anchor) return;
    // Owned by the anchor's life: stopped and deleted with it.
    auto* timer = new GeometryTimer(path);
    timer->Start(500);
    anchor->Bind(wxEVT_DESTROY, [timer, anchor](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == anchor) delete timer;
        e.Skip();
    });
}
