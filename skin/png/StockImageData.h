#pragma once
// The five glyph strips of the stock alpha image list, compiled into the
// skin library (resources/images/SF.png ... SC.png).

// Adds them as resources "SF", "SR", "SD", "SE", "SC", each unless its name
// is taken already (a test's replacement stays).
void AddStockImageResources();
