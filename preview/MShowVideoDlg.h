#pragma once
// The preview window: a borderless, resizable pop-up with four panes in 2 x 2, pane i showing
// quadrant i of channel 0's picture (top-left, top-right, bottom-left, bottom-right). The
// working area creates it (CreatePreviewWindow) and calls RebuildPanes whenever the preview
// starts, stops or changes size.
#include "controls/MBaseDialog.h"
#include "preview/ShowStatic.h"
#include "preview/window/PreviewWindowLayout.h"

#include <array>
#include <memory>

class PreviewChannels;
class SkinStatic;

class MShowVideoDlg : public MBaseDialog {
public:
    static constexpr int IDD = 1559;

    MShowVideoDlg();
    ~MShowVideoDlg() override;

    // Labels, panes and the window's own mouse handling; once, after Create.
    void OnInitDialog();
    void ApplyLanguage() override;

    // Without channels (preview off) only releases the panes. Otherwise every pane is made
    // again at the channel's picture size and entered once in channel 0's view table.
    // Call it with null before the channels are freed.
    void RebuildPanes(PreviewChannels* channels);
    // Every pane drops its picture (another machine's stream follows).
    void ClearPanes();

    ShowStatic& Pane(int i) { return *Panes[static_cast<size_t>(i)]; }
    SkinStatic* Label(int i) const { return Labels[static_cast<size_t>(i)]; }

private:
    void PlacePanes();
    void OnPictureReady(int pane);
    // The mouse on the page or on a pane: the panes reach the window's bottom edge, so they
    // take part in the edge handling too.
    void WatchEdges(wxWindow* window);
    void CreatePane(int i, const wxRect& rect);
    PreviewHit HitAt(const wxMouseEvent& event, wxPoint& screen) const;
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);

    std::array<std::unique_ptr<ShowStatic>, PreviewPaneCount> Panes;
    std::array<SkinStatic*, PreviewPaneCount> Labels{};
    PreviewChannels* Channels = nullptr;
    bool Built = false;
    // A drag of an edge, a corner or the caption: what was hit, where it began, the window then.
    PreviewHit DragHit = PreviewHit::Client;
    wxPoint DragFrom;
    PreviewRect DragStartRect;
};

// Makes the preview window as a pop-up owned by `owner` (hidden; ShowPage(true) shows it).
MShowVideoDlg* CreatePreviewWindow(wxWindow* owner, const wxRect& rect);
