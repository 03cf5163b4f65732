#include "mainwnd/MainDialogStandIn.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

// The main dialog's title at start.
static const char* const MainDialogTitle = "Z81 ZedarEzuzovizu";

MainDialogStandIn::MainDialogStandIn()
    : wxDialog(nullptr, wxID_ANY, MainDialogTitle, wxDefaultPosition, wxSize(1280, 728),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMINIMIZE_BOX | wxMAXIMIZE_BOX) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, MainDialogTitle), 0, wxALL, 20);
    SetSizer(sizer);
}
