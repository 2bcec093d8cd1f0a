#pragma once
// The skin layer's process-wide state, put back in one place.

// Puts back as at start: dialog mode, the bulk-release flag, the disabled
// kind of adapters, and the state the adapters keep between messages.
// Tests call it between cases.
void ResetSkinLayerGlobals();
