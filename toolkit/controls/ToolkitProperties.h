#pragma once
// The toolkit's published properties, which the skin layer reads and
// writes by name: a control's Color and Font, a font's Name, Height, Color
// and Style, a grid's FixedColor. Registered once, by the platform start;
// calling it again does nothing.

void RegisterToolkitProperties();
