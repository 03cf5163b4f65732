// The preview window's page, made apart: its headers and the crop page's share a type name.
#include "preview/MShowVideoDlg.h"

MBaseDialog* MakePreviewPage() {
    return new MShowVideoDlg;
}
