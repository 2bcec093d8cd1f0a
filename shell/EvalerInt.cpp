#include "shell/EvalerInt.h"

#include "engine/Func.h"
#include "engine/Lib.h"
#include "engine/Var.h"
#include "shell/EvaluatorForm.h"
#include "toolkit/controls/TreeView.h"

TEvalerInt::TEvalerInt(TEvaluatorForm& form, ITarnscript& engine) : form_(&form), engine_(&engine) {}

void TEvalerInt::Update(std::uint8_t) {
  if (!form_ || !engine_) return;
  TTreeNodes& nodes = form_->FuncTree->Items();
  nodes.BeginUpdate();
  form_->ClearRoutineTree();
  libraryEmpty_ = true;
  lastLibraryNode_ = nullptr;
  engine_->EnumLibraries(*this, true, Mask, "");
  DropEmptyLibrary();
  form_->FuncTree->AlphaSort();
  nodes.EndUpdate();
}

void* TEvalerInt::AddItem(void* parent, void* item, std::uint8_t kind) {
  if (!form_) return nullptr;
  TTreeNode* node = nullptr;
  switch (kind) {
    case dikLibrary:
      DropEmptyLibrary();
      node = form_->AddLibraryNode(static_cast<TLib*>(item)->Name());
      lastLibraryNode_ = node;
      libraryEmpty_ = true;
      return node;
    case dikRoutine: node = form_->AddRoutineNode(static_cast<TTreeNode*>(parent), static_cast<TFunc*>(item)); break;
    case dikConstant: node = form_->AddConstantNode(static_cast<TTreeNode*>(parent), static_cast<TVar*>(item)); break;
    default: return nullptr;
  }
  if (node) libraryEmpty_ = false;
  return node;
}

void TEvalerInt::DropEmptyLibrary() {
  if (lastLibraryNode_ && libraryEmpty_) lastLibraryNode_->Delete();
  lastLibraryNode_ = nullptr;
}
