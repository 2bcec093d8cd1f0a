#pragma once
// The skin demo's page "sections": every section of the test skin painted
// in the normal, hot and pressed states over a checked parent picture,
// each with its caption in the section's text colours.

class TForm;

TForm* CreateSectionsPage();
