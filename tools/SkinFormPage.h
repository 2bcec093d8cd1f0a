#pragma once
// The skin demo's page "form": a sizeable form under the test skin with a
// form provider (its own frame with the toolkit's plain caption, borders
// and menu line), a frame skinned by a frame adapter holding a label and a
// panel, and a group box, a panel and a status bar that the provider's
// control adapter takes over because the manager lists their classes.

class TForm;

TForm* CreateFormPage();
