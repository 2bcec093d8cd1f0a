#pragma once
// The workspace window's subscriber to the engine. It wants the changes of
// variables (1) and of libraries (4, 5), and hands the items the engine
// enumerates to the window: in mode 0 variables to the tree, in mode 1
// libraries to the library list and types to the New Variable dialog. The
// engine keeps every subscriber until it ends, so the window lets go of
// it when freed (Form nil) and it does nothing from then on.

#include <cstdint>

#include "engine/Tarnscript.h"

class TWorkForm;

class TWorkInt final : public IXDataClient {
public:
  static constexpr std::uint8_t Mask = 50;

  explicit TWorkInt(TWorkForm* form) : Form(form) {}

  void Update(std::uint8_t what) override;
  std::uint8_t GetMask() override { return Mask; }
  void* AddItem(void* parent, void* item, std::uint8_t kind) override;

  // Runs the engine's enumeration in a mode: 0 the Workspace variables, 1
  // every library and type.
  void Enumerate(ITarnscript& engine, std::uint8_t mode);

  TWorkForm* Form;
  std::uint8_t Mode = 0;
};
