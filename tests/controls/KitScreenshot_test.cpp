// Every kit control in its states on one skinned page, photographed from the X server; the
// picture is kept in the build's artifacts/ folder and its pixels must show the skin.
#include <cstdlib>
#include <filesystem>

#include <wx/image.h>

#include "KitFixture.h"
#include "controls/CDropButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMyEdit.h"
#include "controls/CPictureEx.h"
#include "controls/CProgressDlg.h"
#include "controls/DrawingAids.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "controls/logic/KitPalette.h"
#include "controls/oBitmapSlider.h"

namespace {
class ShowcasePage : public TestPage {
public:
    ShowcasePage() { LoadPngResource(1511, Mosaic); }

protected:
    void PaintExtras(wxDC& dc) override {
        const wxRect picture(470, 320, 64, 64);
        DrawImageInRect(Mosaic, dc, &picture);
        DrawFrame(dc, wxRect(460, 310, 84, 84));
    }
    wxImage Mosaic;
};

bool IsAccent(const wxImage& image, int x, int y) {
    return image.GetRed(x, y) > 200 && image.GetGreen(x, y) > 110 && image.GetGreen(x, y) < 190 &&
           image.GetBlue(x, y) < 70;
}

int CountAccent(const wxImage& image, const wxRect& area) {
    int n = 0;
    for (int y = area.GetTop(); y <= area.GetBottom(); ++y)
        for (int x = area.GetLeft(); x <= area.GetRight(); ++x)
            n += IsAccent(image, x, y);
    return n;
}

CGdipButton* Button(wxWindow* page, int id, const char* caption, int x, int y, int image, int alt = 0) {
    auto* b = new CGdipButton(page, id, caption, wxRect(x, y, 10, 10));
    b->LoadStdImage(image);
    if (alt)
        b->LoadAltImage(alt);
    b->SizeToImage();
    b->SetTextColour(KitPalette::TextBright);
    return b;
}
}  // namespace

TEST(KitScreenshot, EveryControlInItsStatesShowsTheSkin) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "kit", wxPoint(0, 0), wxSize(900, 560), wxBORDER_NONE);
    auto* page = new ShowcasePage;
    ASSERT_TRUE(page->Create(frame, wxRect(0, 0, 900, 560)));
    page->PageTitle = "Picture Setting";
    page->CreateCaptionButtons(true);

    // Buttons: normal, chosen, disabled; tabs; toggles; icons.
    page->AddGroupBox(1140, wxRect(10, 40, 430, 230), "Buttons");
    Button(page, 1201, "Output", 25, 65, 113, 114);
    auto* chosen = Button(page, 1202, "Picture", 110, 65, 113, 114);
    chosen->SetToggle(true);
    chosen->SetChecked(true);
    chosen->SetTextColour(KitPalette::Accent);
    auto* disabled = Button(page, 1203, "Disabled", 195, 65, 113, 114);
    disabled->SetDisabledLook(true);
    Button(page, 1204, "TAKE", 290, 65, 169)->SetTextColour(KitPalette::TextBright);
    Button(page, 1205, "Presets", 25, 115, 115, 116);
    auto* tab = Button(page, 1206, "Templates", 110, 115, 115, 116);
    tab->SetCheckOnClick(true);
    tab->SetChecked(true);
    tab->SetTextColour(KitPalette::Accent);
    auto* on = Button(page, 1207, "ON", 200, 120, 130, 128);
    on->SetToggle(true);
    on->SetChecked(true);
    Button(page, 1208, "OFF", 270, 120, 130, 128)->SetToggle(true);
    int x = 25;
    for (int id : {180, 1560, 1488, 1485, 1486, 1487})
        Button(page, 1300 + id % 100, "", (x += 30) - 30, 165, id);
    Button(page, 1320, "", 210, 169, 155);
    Button(page, 1321, "", 232, 169, 157);
    x = 25;
    for (int id : {137, 138, 139, 140, 135})
        Button(page, 1330 + id % 100, "", (x += 75) - 75, 205, id);
    Button(page, 1341, "", 25, 236, 141)->Disable();

    // Values: statics, numeric edits, the slider pair, the coloured edit.
    page->AddGroupBox(1141, wxRect(450, 40, 440, 230), "Values");
    new SkinStatic(page, 1401, "Brightness", wxRect(465, 65, 90, 20));
    new SkinStatic(page, 1290, "Contrast", wxRect(465, 100, 90, 20));
    (new SkinStatic(page, 1403, "Hue", wxRect(465, 135, 90, 20)))->Disable();
    auto* sliderEdit = new oSliderEdit(page, 1418, wxRect(815, 65, 50, 20));
    auto* slider = new oBitmapSlider(page, 1425, wxRect(565, 65, 230, 20));
    slider->SetBitmapChannel(159, 163);
    slider->SetBitmapThumb(161);
    sliderEdit->SetRange(true, 0, 100, "%d", 64);
    sliderEdit->AttachSlider(slider);
    auto* real = new oRealEdit(page, 1411, wxRect(565, 100, 80, 20));
    real->SetRange(true, 500, 4096, "%d", 1920);
    auto* realOff = new oRealEdit(page, 1412, wxRect(565, 135, 80, 20));
    realOff->SetRange(false, 0, 5, "%.1f", 2.5f);
    auto* name = new CMyEdit(page, 1555, wxRect(565, 170, 200, 20));
    name->ChangeValue("Machine 127.0.0.2");
    auto* offSlider = new oBitmapSlider(page, 1426, wxRect(565, 210, 230, 20));
    offSlider->SetBitmapChannel(159, 163);
    offSlider->SetBitmapThumb(161);
    offSlider->SetRange(0, 100);
    offSlider->SetPos(30);
    offSlider->Disable();

    // Lists, the report list, the picture and the animation.
    page->AddGroupBox(1142, wxRect(10, 280, 430, 270), "Lists");
    auto* drop = new CDropButton;
    drop->Create("", page, 65400, KitPalette::Dark, KitPalette::Dark, KitPalette::TextBright, -1, nullptr, 0xFFFFFF,
                 wxRect(25, 305, 160, 22));
    drop->GetList()->SetBkColor(KitPalette::ListBackground);
    drop->GetList()->SetSelColor();
    for (const char* item : {"1920x1080@60", "1280x720@60", "3840x2160@30", "1024x768@60", "1600x1200@60",
                             "2560x1440@60", "1366x768@60", "800x600@60"})
        drop->GetList()->AddString(item);
    drop->SetCurSel(0);
    auto* dropOff = new CDropButton;
    dropOff->Create("Auto", page, 65401, KitPalette::Dark, KitPalette::Dark, KitPalette::TextBright, -1, nullptr,
                    0xFFFFFF, wxRect(250, 305, 160, 22));
    dropOff->Disable();
    auto* list = new CListCtrlCl(page, 1177, wxRect(25, 420, 400, 115));
    HeaderSettings header;
    header.Titles = {"Name", "Address", "State"};
    header.Format = "012";
    header.Red = header.Green = header.Blue = 0x53;   // a page's own dark header
    header.GradientStep = 2;
    header.FontHeight = 15;
    header.TextColour = KitPalette::TextBright;
    list->SetHeader(header);
    for (int row = 0; row < 3; ++row) {
        list->InsertItem(row, wxString::Format("Machine %d", row + 1));
        list->SetItem(row, 1, wxString::Format("127.0.0.%d", row + 2));
        list->SetItem(row, 2, row == 1 ? "offline" : "online");
        list->SetRowTextColour(row, row == 1 ? KitPalette::DisabledItem : KitPalette::Text);
    }
    page->AddGroupBox(1143, wxRect(450, 280, 440, 270), "Pictures");
    auto* busy = new CPictureEx(page, 1450, wxRect(600, 310, 10, 10));
    ASSERT_TRUE(busy->Load(171));
    busy->Draw();

    frame->Show();
    auto* box = new CProgressDlg(frame, wxSize(300, 150));
    box->Move(560, 380);
    box->SetTitleText("Getting Data From Desitination... ");
    box->Show();
    box->Animation->Draw();
    Pump(300);
    drop->ShowDropDown();
    Pump(400);

    const std::filesystem::path folder = VELKAN_ARTIFACTS_DIR;
    std::filesystem::create_directories(folder);
    const std::string shot = (folder / "controls_showcase.png").string();
    std::filesystem::remove(shot);
    const std::string command = "import -window root -crop 900x560+0+0 +repage " + shot;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    drop->HideDropDown();
    wxImage image;
    ASSERT_TRUE(image.LoadFile(shot, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(image.GetSize(), wxSize(900, 560));

    // Title bar: the gradient's upper half starts light, the lower half ends nearly black...
    EXPECT_NEAR(image.GetRed(40, 0), 0x53, 3);
    EXPECT_NEAR(image.GetRed(40, 12), 0x2F, 4);
    EXPECT_NEAR(image.GetRed(40, 13), 0x17, 3);
    EXPECT_NEAR(image.GetRed(40, 25), 0x07, 4);
    EXPECT_EQ(image.GetRed(40, 6), image.GetBlue(40, 6));
    // ...with the caption in the accent in its middle, and nowhere at its sides.
    EXPECT_GT(CountAccent(image, wxRect(350, 3, 200, 20)), 40);
    EXPECT_EQ(CountAccent(image, wxRect(40, 0, 250, 26)), 0);
    // Close and maximise buttons in the top right corner.
    EXPECT_GT(CountAccent(image, wxRect(876, 1, 24, 24)), 10);
    EXPECT_GT(CountAccent(image, wxRect(844, 1, 24, 24)), 10);
    // Below the title the page is the dark skin, not black and not the theme's grey.
    const int skin = image.GetRed(445, 275);
    EXPECT_GE(skin, 10);
    EXPECT_LE(skin, 30);
    // The chosen button is framed in the accent, the plain one is not.
    EXPECT_GT(CountAccent(image, wxRect(110, 65, 75, 36)), 60);
    EXPECT_LT(CountAccent(image, wxRect(25, 65, 75, 36)), 5);
    // The active part of the slider is orange up to the thumb, the rest is not.
    EXPECT_GT(CountAccent(image, wxRect(570, 65, 100, 20)), 100);
    EXPECT_LT(CountAccent(image, wxRect(740, 65, 50, 20)), 5);
    // Numeric edits: accent frame when enabled.
    EXPECT_TRUE(IsAccent(image, 563, 110));
    EXPECT_FALSE(IsAccent(image, 563, 145));
    // Group-box frame line in the frame colour.
    const int frameLine = image.GetRed(200, 548);
    EXPECT_NEAR(frameLine, 0x1E, 4);
    // The busy box on its own grey.
    EXPECT_NEAR(image.GetRed(565, 385), 0x40, 2);
    EXPECT_NEAR(image.GetBlue(565, 385), 0x40, 2);

    box->Destroy();
    frame->Destroy();
    Pump(50);
}
