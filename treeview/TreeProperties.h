#pragma once
// What the tree publishes by name, for the skin layer: the tree's Header
// (besides the Color and Font every control has), the header's Options,
// Height and SortDirection, a column's Text, and the header's owner-draw
// events OnAdvancedHeaderDraw and OnHeaderDrawQueryElements as method
// properties. Registered once, with the first tree's shared resources.

void RegisterTreeProperties();
