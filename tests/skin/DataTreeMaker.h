#pragma once
// A data tree of treeview/ for the skin tests. The tree's headers and the
// skin layer's cannot meet in one source (each has its own bkNone), and the
// skin layer reaches the tree by name only anyway: so do its tests.

class TPersistent;
class TWinControl;

// A string tree on parent at (10, 10, 300 x 200): a visible header of two
// columns ("Name", "Value") with sort glyphs, and 100 rows. Its published
// properties are registered.
TWinControl* MakeDataTree(TWinControl* parent);
TPersistent* DataTreeColumn(TWinControl* tree, int index);
// The application paints the tree's header cells itself.
void GiveOwnHeaderPainting(TWinControl* tree);
