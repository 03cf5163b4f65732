#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <wx/frame.h>
#include <wx/mstream.h>
#include <wx/wfstream.h>

#include "GifBytes.h"
#include "KitFixture.h"
#include "app/AppGlobals.h"
#include "controls/CDropButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMemuDC.h"
#include "controls/CMyEdit.h"
#include "controls/CPictureEx.h"
#include "controls/CProgressDlg.h"
#include "controls/KitControlFactory.h"
#include "controls/MBaseDialog.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/PopupPageHost.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"
#include "platform/ui/UserMessages.h"

TEST_F(KitWindow, EnterAndEscInAPageReachNoButtonAndLeaveItOpen) {
    auto* button = new CGdipButton(Page, 1200, "Apply", wxRect(20, 60, 75, 36));
    button->LoadStdImage(113);
    int clicks = 0;
    Page->OnClicked(1200, [&] { ++clicks; });
    button->SetFocus();
    for (int key : {WXK_RETURN, WXK_ESCAPE, WXK_NUMPAD_ENTER}) {
        wxKeyEvent e = CharHook(button, key);
        button->ProcessWindowEvent(e);
    }
    Pump();
    EXPECT_TRUE(Page->IsShown());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(FrameKeys, 0);
    EXPECT_EQ(PageClosed, 0);
}

TEST_F(KitWindow, ButtonClicksOfAPageStopAtThePage) {
    int pageClicks = 0;
    Page->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
        ++pageClicks;
        e.Skip();   // even a handler that passes it on does not hand it to the main dialog
    }, CloseButtonId);
    Page->CloseButton->Click();
    Pump();
    EXPECT_GE(pageClicks, 1);
    EXPECT_EQ(FrameClicks, 0);
    EXPECT_FALSE(Page->IsShown());
    EXPECT_EQ(PageClosed, 1);
}

TEST_F(KitWindow, PageThatDoesNotNotifyClosesQuietly) {
    auto* quiet = new TestPage(false);
    quiet->Create(Frame, wxRect(0, 0, 300, 200));
    quiet->CreateCaptionButtons(false);
    quiet->ClosePage();
    Pump();
    EXPECT_FALSE(quiet->IsShown());
    EXPECT_EQ(PageClosed, 0);
}

TEST_F(KitWindow, CaptionButtonsFollowTheRightEdge) {
    auto* page = new TestPage;
    page->Create(Frame, wxRect(0, 0, 500, 300));
    page->CreateCaptionButtons(true);
    page->SetSize(640, 480);
    Pump();
    EXPECT_EQ(page->CloseButton->GetRect(), wxRect(616, 1, 24, 24));
    EXPECT_EQ(page->MaximizeButton->GetRect(), wxRect(584, 1, 24, 24));
    EXPECT_EQ(ControlIdOf(page->CloseButton), 1002);
    EXPECT_EQ(ControlIdOf(page->MaximizeButton), 61438);
    EXPECT_EQ(FindControl(page, 61438), page->MaximizeButton);
}

TEST_F(KitWindow, PopupPageLivesInItsHostAndTellsTheMainDialog) {
    auto* host = new PopupPageHost(Frame, wxRect(100, 100, 400, 300));
    auto* page = new TestPage;
    ASSERT_TRUE(host->HostPage(*page));
    page->CreateCaptionButtons(true);
    page->ShowPage(true);
    Pump();
    EXPECT_TRUE(host->IsShown());
    EXPECT_EQ(page->OwnerWindow(), Frame);
    EXPECT_EQ(page->GetSize(), host->GetClientSize());
    page->MaximizeButton->Click();
    EXPECT_TRUE(page->MaximizeButton->IsChecked());
    page->MaximizeButton->Click();
    EXPECT_FALSE(page->MaximizeButton->IsChecked());
    page->CloseButton->Click();
    Pump();
    EXPECT_FALSE(host->IsShown());
    EXPECT_EQ(PageClosed, 1);
    EXPECT_EQ(FrameClicks, 0);
}

// Picking with the mouse (posts once) is driven in KitInput_test; the list rules are logic tests.
TEST_F(KitWindow, DropListSetCurSelAndDisabledPickPostNothing) {
    Page->Listen(MDropListSelChanged);
    auto* drop = new CDropButton;
    ASSERT_TRUE(drop->Create("", Page, 65400, 0x101010, 0x101010, 0xEBEBEB, -1, nullptr, 0xFFFFFF,
                             wxRect(20, 60, 120, 22)));
    CDropList* list = drop->GetList();
    for (long v : {10L, 20L, 30L})
        list->SetItemData(list->AddString(wxString::Format("Mode %ld", v)), v);
    drop->SetCurSel(1);
    EXPECT_EQ(drop->GetLabel(), "Mode 20");
    DropListSelectByData(drop, 30);
    EXPECT_EQ(drop->GetLabel(), "Mode 30");
    // An index no item has leaves the list without a selection and the caption blank.
    for (int bad : {3, -1}) {
        drop->SetCurSel(bad);
        EXPECT_EQ(drop->GetLabel(), "") << bad;
        EXPECT_EQ(list->GetSelection(), wxNOT_FOUND) << bad;
        EXPECT_EQ(drop->GetCurSel(), -1) << bad;
    }
    drop->SetCurSel(2);
    EXPECT_EQ(list->GetSelection(), 2);
    drop->ShowDropDown();
    Pump();
    list->SetItemDisabled(0, true);
    auto* popup = dynamic_cast<CListWnd*>(list->GetParent());
    ASSERT_NE(popup, nullptr);
    popup->PickIndex(0);   // disabled: the pop-up stays and nothing is sent
    Pump();
    EXPECT_TRUE(drop->IsDroppedDown());
    EXPECT_EQ(Page->Count(MDropListSelChanged), 0);
    CDropButton unmade;
    EXPECT_EQ(DropListFindData(&unmade, 20), -1);
    EXPECT_EQ(DropListFindData(nullptr, 20), -1);
    DropListSelectByData(nullptr, 1);
}

TEST_F(KitWindow, SliderAndItsEditStayInStep) {
    auto* edit = new oSliderEdit(Page, 1418, wxRect(260, 60, 60, 22));
    auto* slider = new oBitmapSlider(Page, 1425, wxRect(20, 60, 200, 20));
    slider->SetBitmapChannel(159, 163);
    slider->SetBitmapThumb(161);
    edit->SetRange(true, 0, 255, "%d", 10);
    edit->AttachSlider(slider);
    EXPECT_EQ(slider->GetMin(), 0);
    EXPECT_EQ(slider->GetMax(), 255);
    EXPECT_EQ(slider->GetPageSize(), 127);
    EXPECT_EQ(slider->GetPos(), 10);
    edit->SetValue(40.0f);
    EXPECT_EQ(slider->GetPos(), 40);
    // A new range reaches the linked slider.
    edit->SetRange(true, 0, 5, "%.1f", 2.5f);
    EXPECT_EQ(slider->GetMax(), 500);
    EXPECT_EQ(slider->GetPos(), 250);
    edit->SetRange(false, 0, 255, "%d", 40);
    EXPECT_FALSE(slider->IsEnabled());
    edit->SetRange(true, 0, 255, "%d", 40);
    EXPECT_TRUE(slider->IsEnabled());
}

TEST_F(KitWindow, SliderWithoutAnEditMovesAndNeverCrashes) {
    auto* slider = new oBitmapSlider(Page, 1550, wxRect(20, 60, 200, 20));
    slider->SetBitmapChannel(1550, 1551);
    slider->SetRange(0, 100);
    wxKeyEvent e(wxEVT_KEY_DOWN);
    e.m_keyCode = WXK_RIGHT;
    slider->ProcessWindowEvent(e);
    EXPECT_EQ(slider->GetPos(), 1);
    slider->SetRange(5, 5);   // collapsed range
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.m_x = 100;
    slider->ProcessWindowEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    slider->ProcessWindowEvent(up);
    slider->Refresh();
    slider->Update();
    EXPECT_EQ(slider->GetPos(), 5);
}

TEST_F(KitWindow, ImageButtonTogglesPerDeliveredClick) {
    auto* button = new CGdipButton(Page, 1201, "ON", wxRect(20, 60, 60, 24));
    button->LoadStdImage(128);
    button->LoadAltImage(130);
    button->SetToggle(true);
    int clicks = 0;
    Page->OnClicked(1201, [&] { ++clicks; });
    auto mouse = [&](wxEventType type, int x, int y) {
        wxMouseEvent e(type);
        e.m_x = x;
        e.m_y = y;
        e.SetEventObject(button);
        button->ProcessWindowEvent(e);
    };
    // Pressed, then released outside: no click, no change.
    mouse(wxEVT_LEFT_DOWN, 5, 5);
    mouse(wxEVT_LEFT_UP, -20, 5);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->IsChecked());
    // One click: on, showing the alternate picture.
    mouse(wxEVT_LEFT_DOWN, 5, 5);
    mouse(wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button->IsChecked());
    button->Refresh();
    button->Update();
    Pump();
    EXPECT_EQ(button->ShownPicture(), ButtonPicture::AltNormal);
    // A double click is two clicks.
    mouse(wxEVT_LEFT_DOWN, 5, 5);
    mouse(wxEVT_LEFT_UP, 5, 5);
    mouse(wxEVT_LEFT_DCLICK, 5, 5);
    mouse(wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(button->IsChecked());   // three clicks in all: on
    // The disabled look: grey whatever the state.
    button->SetDisabledLook(true);
    button->Update();
    Pump();
    EXPECT_EQ(button->ShownPicture(), ButtonPicture::StdDisabled);
    // Space on a focused button clicks it once.
    button->SetDisabledLook(false);
    wxKeyEvent space(wxEVT_KEY_DOWN);
    space.m_keyCode = WXK_SPACE;
    button->ProcessWindowEvent(space);
    EXPECT_EQ(clicks, 4);
    EXPECT_FALSE(button->IsChecked());
}

TEST_F(KitWindow, ButtonSizesToItsImageKeepingItsCorner) {
    auto* button = new CGdipButton(Page, 1202, "Load", wxRect(33, 44, 10, 10));
    ASSERT_TRUE(button->LoadStdImage(113));
    button->SizeToImage();
    EXPECT_EQ(button->GetRect(), wxRect(33, 44, 75, 36));
    auto* missing = new CGdipButton(Page, 1203, "", wxRect(1, 2, 10, 10));
    EXPECT_FALSE(missing->LoadStdImage(99999));
    missing->SizeToImage();
    EXPECT_EQ(missing->GetRect(), wxRect(1, 2, 10, 10));
    missing->Update();   // paints without pictures
}

TEST_F(KitWindow, AnimationRunsOnTheUiThreadAndStopsAtOnce) {
    const auto bytes = MakeGif({10, 10, 500});
    auto* picture = new CPictureEx(Page, wxID_ANY, wxRect(20, 60, 10, 10));
    ASSERT_TRUE(picture->LoadFromMemory(bytes.data(), bytes.size()));
    ASSERT_TRUE(picture->Draw());
    ASSERT_TRUE(picture->Draw());   // a second start does not double the pace
    EXPECT_TRUE(picture->IsPlaying());
    // Frames 0 and 1 show 100 ms each; after ~250 ms frame 2 (5 s) is showing.
    ASSERT_TRUE(PumpUntil([&] { return picture->CurrentFrame() == 2; }, 2000));
    picture->Stop();
    EXPECT_FALSE(picture->IsPlaying());
    Pump(150);
    EXPECT_EQ(picture->CurrentFrame(), 2);   // stopped means stopped
    // The pixel of frame 2 (even frame: colour 0, the dark entry) is on the canvas.
    const wxImage canvas = picture->CanvasImage();
    ASSERT_TRUE(canvas.IsOk());
    EXPECT_EQ(canvas.GetRed(0, 0), 0x10);
}

TEST_F(KitWindow, StillPicturesAndDamagedDataShowNoAnimation) {
    auto* picture = new CPictureEx(Page, wxID_ANY, wxRect(20, 60, 10, 10));
    const auto one = MakeGif({10});
    ASSERT_TRUE(picture->LoadFromMemory(one.data(), one.size()));
    picture->Draw();
    EXPECT_FALSE(picture->IsPlaying());
    // Data that starts with "BM" is shown as one picture.
    wxImage image(4, 3);
    wxMemoryOutputStream out;
    ASSERT_TRUE(image.SaveFile(out, wxBITMAP_TYPE_BMP));
    std::vector<unsigned char> bmp(out.GetSize());
    out.CopyTo(bmp.data(), bmp.size());
    ASSERT_EQ(bmp[0], 'B');
    ASSERT_TRUE(picture->LoadFromMemory(bmp.data(), bmp.size()));
    EXPECT_FALSE(picture->IsGif());
    EXPECT_EQ(picture->CanvasSize(), wxSize(4, 3));
    picture->Draw();
    EXPECT_FALSE(picture->IsPlaying());
    // A GIF cut short and plain garbage are refused without a crash.
    auto cut = MakeGif({10, 10, 10});
    for (std::size_t keep : {std::size_t{8}, std::size_t{20}, cut.size() - 9}) {
        std::vector<unsigned char> part(cut.begin(), cut.begin() + static_cast<std::ptrdiff_t>(keep));
        picture->LoadFromMemory(part.data(), part.size());
        EXPECT_FALSE(picture->IsPlaying());
    }
    const unsigned char junk[] = {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_FALSE(picture->LoadFromMemory(junk, sizeof junk));
    EXPECT_FALSE(picture->Load(99999));
}

TEST_F(KitWindow, BusyBoxLaysOutItsTitleAnimationAndHiddenBar) {
    auto* box = new CProgressDlg(Frame, wxSize(300, 150));
    EXPECT_EQ(box->Title->GetRect(), wxRect(100, 50, 100, 75));
    EXPECT_EQ(box->Title->GetLabel(), "TEST");
    EXPECT_EQ(box->Progress->GetRect(), wxRect(100, 120, 100, 25));
    EXPECT_FALSE(box->Progress->IsShown());
    EXPECT_TRUE(box->Animation->IsGif());
    EXPECT_GE(box->Animation->FrameCount(), 2);
    box->SetTitleText("Getting Data From Desitination... ");
    EXPECT_EQ(box->Title->GetLabel(), "Getting Data From Desitination... ");
    box->Destroy();
}

TEST_F(KitWindow, LanguageTextsReachControlsAndGroupBoxesButNotEdits) {
    static constexpr ControlSpec table[] = {
        {1140, ControlKind::GroupBox, 10, 40, 300, 150, "Automatic Arrangement", 0},
        {1290, ControlKind::Static, 20, 60, 100, 20, "Input", 0},
        {1411, ControlKind::RealEdit, 130, 60, 60, 22, nullptr, ControlDisabled},
        {1412, ControlKind::ImageButton, 20, 100, 75, 36, "Apply", ControlHidden},
        {1413, ControlKind::DropButton, 130, 100, 100, 22, "", 0},
    };
    const auto made = BuildPageControls(*Page, table);
    EXPECT_EQ(made.size(), 4u);
    ASSERT_NE(Page->FindGroupBox(1140), nullptr);
    EXPECT_EQ(Page->FindGroupBox(1140)->GetText(), "Automatic Arrangement");
    EXPECT_NE(FindKitControl<SkinStatic>(Page, 1290), nullptr);
    ASSERT_NE(FindKitControl<oRealEdit>(Page, 1411), nullptr);
    EXPECT_FALSE(FindKitControl<oRealEdit>(Page, 1411)->IsEnabled());
    EXPECT_FALSE(FindKitControl<CGdipButton>(Page, 1412)->IsShown());
    EXPECT_NE(FindKitControl<CDropButton>(Page, 1413), nullptr);
    FindKitControl<oRealEdit>(Page, 1411)->SetRange(true, 0, 10, "%d", 3);

    // A language file as the language switch writes it: UTF-16LE with a byte-order mark.
    const std::u16string text = u"[String]\r\nIDD9000_Title=Bildeinstellung\r\nIDS_1140=\u81EA\u52A8\u6392\u5217\r\n"
                                u"IDS_1290=Eingang\r\nIDS_1411=not for an edit\r\n";
    const std::string path = (std::filesystem::temp_directory_path() / "controls_language_test.ini").string();
    {
        std::ofstream file(path, std::ios::binary);
        file.put(static_cast<char>(0xFF)).put(static_cast<char>(0xFE));
        for (char16_t c : text)
            file.put(static_cast<char>(c & 0xFF)).put(static_cast<char>(c >> 8));
    }
    const std::string saved = ActiveLanguageFilePath;
    ActiveLanguageFilePath = path;
    ApplyLanguageToPage(*Page);
    ActiveLanguageFilePath = saved;
    std::filesystem::remove(path);
    EXPECT_EQ(Page->GetLabel(), "Bildeinstellung");
    EXPECT_EQ(Page->FindGroupBox(1140)->GetText(), wxString::FromUTF8("\xE8\x87\xAA\xE5\x8A\xA8\xE6\x8E\x92\xE5\x88\x97"));
    EXPECT_EQ(FindKitControl<SkinStatic>(Page, 1290)->GetLabel(), "Eingang");
    EXPECT_EQ(FindKitControl<oRealEdit>(Page, 1411)->GetValue(), "3");
    Page->Refresh();
    Page->Update();
}

TEST_F(KitWindow, TimersByIdRepeatRestartAndStop) {
    std::vector<int> fired;
    TimerTable timers(Frame, [&](int id) { fired.push_back(id); });
    timers.KillTimer(5);   // not running: nothing happens
    timers.SetTimer(0xAAA0, 20);
    timers.SetTimer(0xF1, 20);
    ASSERT_TRUE(PumpUntil([&] { return std::count(fired.begin(), fired.end(), 0xAAA0) >= 2; }));
    EXPECT_TRUE(std::count(fired.begin(), fired.end(), 0xF1) >= 1);
    timers.KillTimer(0xAAA0);
    timers.KillTimer(0xF1);
    EXPECT_FALSE(timers.IsRunning(0xAAA0));
    Pump(30);
    const std::size_t after = fired.size();
    Pump(80);
    EXPECT_EQ(fired.size(), after);
    timers.SetTimer(7, 10);
    timers.SetTimer(7, 10);   // restarts, one timer
    ASSERT_TRUE(PumpUntil([&] { return std::count(fired.begin(), fired.end(), 7) >= 1; }));
}

TEST_F(KitWindow, MessagesToAPageDoNotReachTheMainDialog) {
    Page->Listen(MShowBusy);
    FrameMessages->On(MShowBusy, [this](WPARAM, LPARAM) -> LRESULT {
        ++FrameClicks;
        return 0;
    });
    PostMsg(Page, MShowBusy, 1, 0);
    EXPECT_EQ(SendMsg(Page, MEditValueChanged, 1, 0), 0);   // the page has no handler: not passed up
    Pump();
    EXPECT_EQ(Page->Count(MShowBusy), 1);
    EXPECT_EQ(FrameClicks, 0);
}

TEST_F(KitWindow, PaintingSharesOneBackBuffer) {
    auto* second = new TestPage;
    second->Create(Frame, wxRect(0, 0, 600, 400));
    Page->Refresh();
    Page->Update();
    second->Refresh();
    second->Update();
    Pump();
    const wxSize shared = CMemuDC::SharedBufferSize();
    EXPECT_GE(shared.x, 600);
    EXPECT_GE(shared.y, 400);
    EXPECT_LE(shared.x, 800);   // sized to what is painted, never a 2560 x 1600 buffer per page
    // A nested off-screen DC draws into its own buffer and both copy back.
    wxBitmap target(50, 50);
    wxMemoryDC targetDc(target);
    {
        CMemuDC outer(targetDc, wxRect(0, 0, 50, 50));
        outer.SetBrush(*wxRED_BRUSH);
        outer.SetPen(*wxTRANSPARENT_PEN);
        outer.DrawRectangle(0, 0, 50, 50);
        {
            CMemuDC inner(outer, wxRect(10, 10, 10, 10));
            inner.SetBrush(*wxBLUE_BRUSH);
            inner.SetPen(*wxTRANSPARENT_PEN);
            inner.DrawRectangle(10, 10, 10, 10);
        }
    }
    targetDc.SelectObject(wxNullBitmap);
    const wxImage result = target.ConvertToImage();
    EXPECT_EQ(result.GetRed(2, 2), 255);
    EXPECT_EQ(result.GetBlue(15, 15), 255);
    EXPECT_EQ(CMemuDC::SharedBufferSize(), shared);
}

TEST_F(KitWindow, ReportListEditsCellsInPlaceAndTellsItsParent) {
    Page->Listen(MListCellEdited);
    Page->Listen(MListCellComboChanged);
    auto* list = new CListCtrlCl(Page, 1177, wxRect(20, 60, 400, 150));
    HeaderSettings header;
    header.Titles = {"Name", "Address", "Baud"};
    header.Format = "012";
    header.HeightFactor = 1.5f;
    list->SetHeader(header);
    EXPECT_EQ(list->HeaderPixelHeight(), 30);   // 20 x 1.5
    EXPECT_EQ(list->GetPosition().y, 90);
    EXPECT_EQ(list->GetColumnCount(), 3);
    for (int row = 0; row < 2; ++row) {
        list->InsertItem(row, wxString::Format("Machine %d", row + 1));
        list->SetItem(row, 1, wxString::Format("127.0.0.%d", row + 2));
        list->SetItem(row, 2, "115200");
    }
    // Columns nobody registered are read-only.
    list->BeginCellEdit(1, 1);
    EXPECT_EQ(list->InPlaceEditor(), nullptr);
    list->SetEditableColumns({0});
    list->SetDropDownColumns({2});
    list->BeginCellEdit(1, 0);
    ASSERT_NE(list->InPlaceEditor(), nullptr);
    EXPECT_TRUE(list->InPlaceEditor()->IsShown());
    EXPECT_EQ(list->InPlaceEditor()->GetValue(), "Machine 2");
    list->InPlaceEditor()->ChangeValue("Stage left");
    SendMsg(list, MEditKeyDown, 13, CListCtrlCl::InPlaceEditId);   // Enter in the editor
    Pump();
    EXPECT_FALSE(list->InPlaceEditor()->IsShown());
    EXPECT_EQ(list->GetItemText(1, 0), "Stage left");
    ASSERT_EQ(Page->Count(MListCellEdited), 1);
    EXPECT_EQ(Page->Got[0].W, 1u);
    EXPECT_EQ(Page->Got[0].L, 0);
    // Esc leaves the cell as it was.
    list->BeginCellEdit(0, 0);
    list->InPlaceEditor()->ChangeValue("lost");
    SendMsg(list, MEditKeyDown, 27, CListCtrlCl::InPlaceEditId);
    EXPECT_EQ(list->GetItemText(0, 0), "Machine 1");
    // A drop-down column: the pick's item data and the row go to the parent.
    list->BeginCellEdit(0, 2);
    ASSERT_NE(list->InPlaceDropList(), nullptr);
    list->InPlaceDropList()->GetList()->SetItemData(0, 9600);
    SendMsg(list, MDropListSelChanged, CListCtrlCl::InPlaceListId, 0);
    Pump();
    EXPECT_EQ(list->GetItemText(0, 2), "N/A");
    ASSERT_EQ(Page->Count(MListCellComboChanged), 1);
    EXPECT_EQ(Page->Got.back().W, 9600u);
    EXPECT_EQ(Page->Got.back().L, 0);
    SendMsg(list, MDropListSelChanged, CListCtrlCl::InPlaceListId, 5);   // no such item: nothing
    list->SetRowTextColour(0, 0x808080);
    list->SetRowTextColour(9, 0x808080);   // no such row: drawn nowhere
    EXPECT_EQ(list->ColoursOf(0, 1), (CellColours{0x808080, KitPalette::Dark}));
    // A selected row shows 0x505050 behind 0xEBEBEB; when the selection moves on it gets its own
    // colours back.
    list->SelectRow(0);
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_EQ(list->ColoursOf(0, 1), (CellColours{0xEBEBEB, 0x505050}));
    list->SelectRow(1);
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(list->ColoursOf(0, 1), (CellColours{0x808080, KitPalette::Dark}));
    EXPECT_EQ(list->ColoursOf(1, 0), (CellColours{0xEBEBEB, 0x505050}));
    // A double click on a cell edits it in place.
    list->SetRowHeight(24);
    const wxRect cell = list->CellRect(1, 0);
    EXPECT_EQ(cell, wxRect(0, 24, 80, 24));
    int row = -1, column = -1;
    EXPECT_TRUE(list->HitCell(cell.GetPosition() + wxPoint(5, 5), row, column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 0);
    EXPECT_FALSE(list->HitCell(wxPoint(300, 5), row, column));   // right of the last column
}

TEST_F(KitWindow, CaptionPageIsDraggedByItsTitleBar) {
    auto* host = new PopupPageHost(Frame, wxRect(200, 150, 300, 200));
    auto* page = new TestPage(false);
    ASSERT_TRUE(host->HostPage(*page));
    page->DragByTitleBar = true;
    page->ShowPage(true);
    Pump(50);
    const wxPoint before = host->GetPosition();
    auto mouse = [&](wxEventType type, int x, int y) {
        wxMouseEvent e(type);
        e.m_x = x;
        e.m_y = y;
        e.SetEventObject(page);
        page->ProcessWindowEvent(e);
    };
    mouse(wxEVT_LEFT_DOWN, 50, 10);
    mouse(wxEVT_MOTION, 80, 30);
    mouse(wxEVT_LEFT_UP, 80, 30);
    Pump(50);
    EXPECT_EQ(host->GetPosition(), before + wxPoint(30, 20));
    // Below the title bar a press does not move the page.
    mouse(wxEVT_LEFT_DOWN, 50, 100);
    mouse(wxEVT_MOTION, 90, 140);
    mouse(wxEVT_LEFT_UP, 90, 140);
    Pump(50);
    EXPECT_EQ(host->GetPosition(), before + wxPoint(30, 20));
    host->Destroy();
}

TEST_F(KitWindow, ChildrenTakeThePageControlFont) {
    auto* label = new SkinStatic(Page, 1401, "Brightness", wxRect(20, 60, 90, 20));
    auto* button = new CGdipButton(Page, 1402, "Apply", wxRect(20, 90, 75, 36));
    Page->SetChildFonts();
    EXPECT_EQ(label->GetFont(), Page->ControlFont);
    EXPECT_EQ(button->GetFont(), Page->ControlFont);
    EXPECT_TRUE(Page->ControlFont.GetWeight() == wxFONTWEIGHT_BOLD);
    EXPECT_EQ(Page->ControlFont.GetFaceName(), "Liberation Sans");
    EXPECT_EQ(Page->GroupLogFont.Height, 100);
}
