#pragma once
// The forwards a chain of takeovers keeps (a window's subclasses, a
// control's window methods): a takeover removed from under another one
// leaves a forward from its procedure to the one it had replaced, so that
// the takeover above, which still calls it, goes on down the chain. A
// forward stays while a remaining takeover's replaced procedure leads
// through it.

#include <algorithm>
#include <utility>
#include <vector>

template <class Procedure>
class TProcedureForwards {
public:
  bool Empty() const { return forwards_.empty(); }

  // Where a call to the procedure lands: itself unless it was removed.
  Procedure Resolve(Procedure procedure) const {
    for (auto found = Find(procedure); found != forwards_.end(); found = Find(procedure)) procedure = found->second;
    return procedure;
  }

  void Add(const Procedure& removed, const Procedure& replaced) { forwards_.emplace_back(removed, Resolve(replaced)); }

  // Keeps the forwards that a replaced procedure of the takeovers leads through.
  template <class Takeovers, class ReplacedOf>
  void DropUnreachable(const Takeovers& takeovers, ReplacedOf replacedOf) {
    std::vector<bool> reachable(forwards_.size());
    for (const auto& takeover : takeovers)
      for (auto found = Find(replacedOf(takeover)); found != forwards_.end(); found = Find(found->second))
        reachable[size_t(found - forwards_.begin())] = true;
    std::vector<std::pair<Procedure, Procedure>> kept;
    for (size_t i = 0; i < forwards_.size(); ++i)
      if (reachable[i]) kept.push_back(forwards_[i]);
    forwards_ = std::move(kept);
  }

private:
  auto Find(const Procedure& procedure) const {
    return std::find_if(forwards_.begin(), forwards_.end(),
                        [&procedure](const auto& forward) { return forward.first == procedure; });
  }

  std::vector<std::pair<Procedure, Procedure>> forwards_;
};
