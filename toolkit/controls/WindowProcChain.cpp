#include "toolkit/controls/WindowProcChain.h"

#include <algorithm>

#include "toolkit/win/ProcedureForwards.h"

// The takeovers of one control, oldest first; the first replaced nothing.
class TWndMethodChain {
public:
  struct TTakeover {
    TWndHandler Handler;
    TMethod Replaced;
  };

  void Assign(const TWndHandler& handler) {
    if (!handler) {
      takeovers_.clear();
      forwards_ = {};
      return;
    }
    const auto restoring = std::find_if(takeovers_.rbegin(), takeovers_.rend(), [&handler](const TTakeover& t) {
      return t.Replaced == handler.Method();
    });
    if (restoring == takeovers_.rend()) {
      if (takeovers_.empty() || Top().Method() != handler.Method())
        takeovers_.push_back({handler, takeovers_.empty() ? TMethod{} : Top().Method()});
      return;
    }
    const auto removed = std::prev(restoring.base());
    if (std::next(removed) != takeovers_.end()) forwards_.Add(removed->Handler.Method(), handler.Method());
    takeovers_.erase(removed);
    forwards_.DropUnreachable(takeovers_, [](const TTakeover& t) { return t.Replaced; });
  }

  // Calls handler, or where it forwards to once its takeover was removed.
  void Call(const TWndHandler& handler, TMessage& message) const {
    if (forwards_.Empty()) return handler(message);
    const TMethod target = forwards_.Resolve(handler.Method());
    if (target == handler.Method()) return handler(message);
    const auto found = std::find_if(takeovers_.begin(), takeovers_.end(),
                                    [&target](const TTakeover& t) { return t.Handler.Method() == target; });
    if (found != takeovers_.end()) found->Handler(message);
  }

  bool Empty() const { return takeovers_.empty(); }
  const TWndHandler& Top() const { return takeovers_.back().Handler; }

private:
  std::vector<TTakeover> takeovers_;
  TProcedureForwards<TMethod> forwards_;
};

void TWndMethodRef::operator()(TMessage& message) const {
  if (const auto chain = chain_.lock())
    chain->Call(handler_, message);
  else
    handler_(message);
}

TWindowProc::TWindowProc() : chain_(std::make_shared<TWndMethodChain>()) {}

TWindowProc& TWindowProc::operator=(const TWndHandler& handler) {
  chain_->Assign(handler);
  return *this;
}

TWindowProc& TWindowProc::operator=(std::nullptr_t) { return *this = TWndHandler(); }

TWndMethodRef TWindowProc::Current() const {
  return chain_->Empty() ? TWndMethodRef() : TWndMethodRef(chain_, chain_->Top());
}

const TMethod& TWindowProc::Method() const {
  static const TMethod none;
  return chain_->Empty() ? none : chain_->Top().Method();
}

TWindowProc::operator bool() const { return !chain_->Empty(); }

void TWindowProc::Call(TMessage& message) const {
  if (!chain_->Empty()) chain_->Top()(message);
}
