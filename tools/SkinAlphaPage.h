#pragma once
// The skin demo's page "alpha": the five stock glyph strips drawn by the
// PNG reader at their size and at twice it over a checked picture, and the
// stock alpha image list's images drawn by the list.

class TForm;

TForm* CreateAlphaPage();
