#pragma once
// The skin layer's process-wide state, put back in one place.

// Puts back as at start: dialog mode, the bulk-release and walk flags, the disabled
// kind of adapters, the state the adapters keep between messages, the page
// adapters (freed, as at the program's end), the menus' images and flags,
// and the form providers' shared state.
// Tests call it between cases.
void ResetSkinLayerGlobals();
