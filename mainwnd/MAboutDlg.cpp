#include "mainwnd/MAboutDlg.h"

#include "app/AppGlobals.h"
#include "controls/PageLanguage.h"
#include "controls/PopupPageHost.h"
#include "controls/SkinStatic.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/ShownTexts.h"

#include <wx/accel.h>
#include <wx/dc.h>

namespace {
constexpr int NoControlId = -1;  // texts that no language file changes
const wxSize BoxSize(400, 230);
wxDialog* OpenAboutBox = nullptr;
bool CloseOwnerAfterwards = false;
}  // namespace

MAboutDlg::MAboutDlg() : MBaseDialog(IDD, false) {}

void MAboutDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(PageCaption(IDD));
  auto* name = new SkinStatic(this, NoControlId, "Z81 ZedarEzuzovizu", wxRect(96, 48, 280, 24));
  name->FixedTextColour = KitPalette::Accent;
  new SkinStatic(this, IdVersionLabel, "Version :", wxRect(96, 80, 90, 20));
  new SkinStatic(this, NoControlId, ProgramVersion, wxRect(190, 80, 120, 20));
  new SkinStatic(this, IdPurpose, "Control tool for the LED video processor", wxRect(96, 106, 290, 20));
  auto* ok = new CGdipButton(this, IdOk, "OK", wxRect((BoxSize.x - 100) / 2, 166, 100, 34));
  ok->LoadStdImage(114);
  ok->SetTextColour(KitPalette::TextBright);
  OnClicked(IdOk, [this] { ClosePage(); });
  SetChildFonts();
  name->SetFont(TitleFont);  // the program's name stands out
  // A box of its own: Enter and Esc close it (a page swallows them).
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
    const int code = key.GetKeyCode();
    if (code == WXK_ESCAPE || code == WXK_RETURN || code == WXK_NUMPAD_ENTER) ClosePage();
    else key.Skip();
  });
}

void MAboutDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  Refresh();
}

void MAboutDlg::ClosePage() {
  auto* host = dynamic_cast<wxDialog*>(PopupHost());
  if (host && host->IsModal()) host->EndModal(wxID_OK);
  else MBaseDialog::ClosePage();
}

void MAboutDlg::PaintExtras(wxDC& dc) {
  const wxIconBundle icons = LoadIconResource(MainIconId);
  if (icons.IsEmpty()) return;
  const wxIcon icon = icons.GetIcon(wxSize(48, 48), wxIconBundle::FALLBACK_NEAREST_LARGER);
  if (icon.IsOk()) dc.DrawBitmap(wxBitmap(icon), 28, 48, true);
}

void RunAboutBox(wxWindow* owner) {
  wxRect rect(BoxSize);
  if (owner) rect = rect.CentreIn(owner->GetScreenRect());
  auto* host = new PopupPageHost(owner, rect);
  auto* page = new MAboutDlg;
  host->HostPage(*page);
  page->OnInitDialog();
  page->CreateCaptionButtons(false);
  page->ApplyLanguage();
  RecordShownTexts("about", {page->PageTitle.utf8_string()});
  OpenAboutBox = host;
  host->ShowModal();
  OpenAboutBox = nullptr;
  RecordShownTexts("about", {"closed"});
  host->Destroy();
  if (CloseOwnerAfterwards && owner) {
    CloseOwnerAfterwards = false;
    owner->Close();
  }
}

bool EndAboutBoxThenCloseOwner() {
  if (!OpenAboutBox) return false;
  if (OpenAboutBox->IsModal()) OpenAboutBox->EndModal(wxID_CANCEL);
  CloseOwnerAfterwards = true;
  return true;
}

void BindAboutKey(wxWindow& mainWindow) {
  // An accelerator is looked up from the focused control up to its top-level window, past the
  // pages that keep their other events to themselves.
  const wxAcceleratorEntry key(wxACCEL_NORMAL, WXK_F1, AboutCommand);
  mainWindow.SetAcceleratorTable(wxAcceleratorTable(1, &key));
  mainWindow.Bind(wxEVT_MENU, [&mainWindow](wxCommandEvent&) { RunAboutBox(&mainWindow); }, AboutCommand);
}
