#pragma once
// The evaluator's subscription to the engine: told that routines,
// constants or libraries changed (codes 2, 3 and 4, and 0 as every client
// is), it builds the evaluator's tree again from the engine's libraries.
// A library that gets no node under it is taken out again. The engine
// keeps its clients until it ends, so the window tells the client when it
// goes (Forget) and the client then does nothing; the client holds the
// engine without a count, as the engine holds it with one.

#include <cstdint>

#include "engine/Tarnscript.h"

class TEvaluatorForm;
class TTreeNode;

class TEvalerInt : public IXDataClient {
public:
  static constexpr std::uint8_t Mask = 0x1C;

  TEvalerInt(TEvaluatorForm& form, ITarnscript& engine);

  void Update(std::uint8_t what) override;
  std::uint8_t GetMask() override { return Mask; }
  void* AddItem(void* parent, void* item, std::uint8_t kind) override;

  void Forget() {
    form_ = nullptr;
    engine_ = nullptr;
  }

private:
  void DropEmptyLibrary();

  TEvaluatorForm* form_;
  ITarnscript* engine_;
  bool libraryEmpty_ = true;
  TTreeNode* lastLibraryNode_ = nullptr;
};
