#pragma once
// The toolkit's classes and their published properties, which the skin
// layer reads and writes by name and scripts see as host objects:
// TComponent (Name, Tag), TFont, TControl (place, look, hint, mouse and
// click events), TWinControl (key events), the Caption of buttons, check
// boxes, radio buttons, labels, panels, group boxes and forms, the Text of
// edits and memos; a grid's FixedColor by name only. Registered once, by the platform
// start; calling it again does nothing.

void RegisterToolkitProperties();
