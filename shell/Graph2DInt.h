#pragma once
// The 2D graph window as scripts see it: the record variable "Graph2D",
// whose fields are the titles, legend, label, grid, axes and coordinate
// switches of the window's renderer, and whose routines Clear, BeginUpdate
// and EndUpdate call back here. A write that changes an option repaints a
// graph that holds data (shown at once, the window opened when hidden);
// between BeginUpdate and EndUpdate writes only store, and EndUpdate
// repaints once. BeginUpdate does not nest. An empty graph is never
// repainted from here, so after Clear the window keeps its old picture
// until its next paint.

#include <span>
#include <string>

#include "engine/TarnClient.h"

class TGraphForm;
class TXGOptions;

class TGraph2DInt : public TTarnClient {
public:
  // Form must be given; it owns the object.
  explicit TGraph2DInt(TGraphForm* Form);

  std::string TarnName() const override { return "Graph2D"; }
  // "procedure Clear", "procedure BeginUpdate", "procedure EndUpdate", by index.
  void TarnExports(ITarnscript& engine) override;
  // Runs the routine of the index; always answers 0.
  TVariant TarnExecs(int index, std::span<const TVariant> args) override;

  void Changed();
  void BeginUpdate();
  void EndUpdate();

  // The renderer's options the properties read and write.
  TXGOptions& Options() const;
  // Stores a different value and repaints; an equal one changes nothing.
  template <class TValue>
  void SetOption(TValue TXGOptions::*option, TValue value);

  TGraphForm* Form;
  bool Updating = false;
};
