#pragma once
// The skin demo's page "edits": raw edits, lists, a list view, a combo box
// dropped down, a string grid, a data tree with a header, statics, a link, and check boxes and
// radio buttons in every check state (one disabled), each taken over by its
// window adapter under the test skin.

class TForm;

TForm* CreateEditsPage();
