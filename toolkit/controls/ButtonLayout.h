#pragma once
// Where a button's glyph stands beside its caption; tree header columns
// place theirs the same way.

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
