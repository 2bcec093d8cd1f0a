#pragma once
// The skin demo's page "buttons": under the test skin, raw push buttons
// (default, focused, disabled), a bit button in each layout, a group box,
// panels of each bevel, a spin pair and a size grip, tab controls in the
// four orientations (one of two rows, one of button tabs) and a page
// control, each taken over by its window adapter.

class TForm;

TForm* CreateButtonsPage();
