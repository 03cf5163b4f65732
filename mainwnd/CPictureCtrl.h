#pragma once
// The output canvas: a child window of the working area holding the cells (layer windows,
// output frames, switcher views). It draws them, converts between canvas and output pixels,
// and lets the operator select, move, resize and fit layer cells with the mouse. It tells its
// parent about every press on a cell and every finished change by posted messages:
//   MCellSelected (cell's Order, 0) on every press that starts a drag;
//   MCellChanged  (cell's Order, 1 for a frame cell else 0) after a move or resize in which the
//                 mouse moved, and after a fit or restore;
//   MCanvasCommand (0, 0) when the context menu's command reaches the canvas.
// A cell is named by its Order (the layer of a layer cell; FindCellByKey finds it), never by
// its address, because cells are rebuilt while messages may still be queued.
//
// The working area's part: StartVideo once before the first layer cell; AddFrameCell and
// AddLayerCell, then SetCellLimitRect (binds a layer to its frame) and SetCellRect (places it
// from output pixels); on MCellChanged for a layer, LayerWindowOfCell gives the device's layer
// window (X, Y, Width, Height) to store and send; StopVideo after the canvas is gone.
#include <cstdint>
#include <memory>
#include <string>

#include <wx/brush.h>
#include <wx/font.h>
#include <wx/window.h>

#include "mainwnd/CCell.h"
#include "mainwnd/canvas_geometry/CanvasModel.h"

// Where layer cells' video views are registered with the preview channels. The working area
// supplies it while the preview runs; the canvas attaches new cells to it and detaches every
// cell before deleting it, so no channel ever holds a deleted view.
class CellViewRegistry {
public:
    virtual ~CellViewRegistry() = default;
    virtual void AttachView(uint32_t channel, CCell* cell) = 0;
    virtual void DetachView(CCell* cell) = 0;
};

inline constexpr int CanvasMenuCommand = 32782;
// wx takes menu item ids below 0x8000 only: the "Top Set" item carries this id for that command.
inline constexpr int CanvasMenuItemId = 0x7F0E;
inline constexpr int OutputFrameWidth = 1920;
inline constexpr int OutputFrameHeight = 1080;

class CPictureCtrl : public wxWindow {
public:
    CPictureCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);
    ~CPictureCtrl() override;

    // SDL's video part on X11, for the cells' views: started once by the window that owns the
    // canvas, stopped after every view is gone.
    static bool StartVideo();
    static void StopVideo();

    CanvasModel& Model() { return Canvas; }
    const CanvasModel& Model() const { return Canvas; }

    // ---- cells ----
    // A layer cell from its output position and size; none when a cell of that layer exists.
    CCell* AddLayerCell(int x, int y, int width, int height, const std::string& label, uint32_t layer);
    // An output-frame cell of 1920 x 1080 output pixels until it is sized.
    CCell* AddFrameCell(int x, int y, const std::string& label, uint32_t key = 255);
    void SetCellRect(const CanvasRect& output, CCell* cell);
    void SetCellLimitRect(CCell* cell, const CanvasRect& frameOutput);
    void ClearCellLimitRect(CCell* cell);
    // Sets or clears the cell's hidden bit and shows or hides its video view with it.
    void ShowCell(CCell* cell, bool show);
    CCell* FindCellByKey(uint32_t key) const;
    CCell* CellFromPoint(CanvasPoint p) const;
    void SelectCell(CCell* cell);
    // Deletes every frame cell / every layer cell (the latter detached from the channels first).
    void DeleteAllCells();
    void RemoveAllCells();
    void AttachCellToChannel(uint32_t channel, CCell* cell);
    void SetViewRegistry(CellViewRegistry* registry) { Registry = registry; }
    void SortCellsByPriority();
    // Puts the layer cells' windows in list order, later cells on top.
    void RestackCells();
    // Draws the cell last and puts its window on top until the next restack.
    void BringCellToTop(CCell* cell);
    void ReplaceAllCells();
    void SetScale(double x, double y);
    // The preview frame size new video views are made for.
    void SetPreviewSize(int width, int height);
    int PreviewWidth() const { return PreviewW; }
    int PreviewHeight() const { return PreviewH; }

    bool ShowCaptions = false;
    CellPaintTools Tools() const;

    // Mouse events in canvas coordinates (also those the cells' view windows pass on).
    void HandleMouse(wxMouseEvent& event);

private:
    void OnPaint(wxPaintEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void Apply(const MouseOutcome& outcome);
    void NotifyCellChanged(const CanvasNotice& notice);
    void ScrollParentTowards(const wxPoint& point);
    void PlaceCellView(CCell* cell);

    void PaintGrid(wxDC& dc, const wxRect& area);
    void PaintFrameLabel(wxDC& dc, const CCell& cell);
    void PaintSplitLines(wxDC& dc, const CCell& cell);
    void PaintOverlaps(wxDC& dc);
    void PaintSnapGuide(wxDC& dc);
    void PaintCaptions(wxDC& dc);
    void PaintBand(wxDC& dc);

    CanvasModel Canvas;
    CellViewRegistry* Registry = nullptr;
    int PreviewW = 352;
    int PreviewH = 240;
    wxBrush NormalBrush;
    wxBrush FrameBrush;
    wxBrush SelectedBrush;
    wxFont CellFont;
};
