// The shown-text record lives in platform/ui (velk_ui); this file stays empty until the
// working-area test stops naming it.
#include "platform/ui/ShownTexts.h"
