#include "shell/InstCtrl.h"

#include <filesystem>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/InstanceChannel.h"
#include "toolkit/win/MessageQueue.h"

TInstCtrl* InstCtrl = nullptr;
bool FirstInstance = true;

namespace {

std::string ClaimKey(const std::string& program, std::uint32_t claim) {
  return claim == 0 ? program : program + "\n" + std::to_string(claim);
}

}  // namespace

TInstCtrl::TInstCtrl(TComponent* owner) : TComponent(owner) {
  if (InstCtrl) throw EInstCtrl("Only one copy of this component can be dropped on a form!");
  InstCtrl = this;
}

TInstCtrl::~TInstCtrl() {
  if (InstCtrl == this) InstCtrl = nullptr;
}

void TInstCtrl::Check(const std::string& ProgramFile, const std::vector<std::string>& Arguments) {
  if (!Enabled) return;
  FirstInstance = true;
  std::error_code error;
  std::filesystem::path program = std::filesystem::weakly_canonical(ProgramFile, error);
  if (error) program = std::filesystem::absolute(ProgramFile);
  for (std::uint32_t claim = 0; claim < MaxInst; ++claim)
    if (TryClaim(ClaimKey(program.string(), claim))) {
      holdsFirstClaim_ = claim == 0;
      return;
    }
  FirstInstance = false;
  Counted = false;
  if (OnMaxInst) OnMaxInst(this, 0);
  if (HandOver(ClaimKey(program.string(), 0), Arguments)) return;
  // The copy holding the claim is hung (a dead one frees it): rather than
  // leave the user without a window, this start runs, unclaimed, leaving
  // the hung copy's claim and socket as they are.
  FirstInstance = true;
  warning_ = "The running copy of the program did not answer; this copy runs on its own";
}

bool TInstCtrl::TryClaim(const std::string& key) {
  auto channel = std::make_unique<TInstanceChannel>(key);
  if (!channel->Claim()) return false;
  channel->OnMessage = [this](const std::string& text) { Receive(text); };
  claim_ = std::move(channel);
  return true;
}

// The file is made absolute here: the running copy has another folder.
bool TInstCtrl::HandOver(const std::string& key, const std::vector<std::string>& Arguments) {
  const std::string text = Arguments.empty() ? "" : std::filesystem::absolute(Arguments.front()).string();
  return TInstanceChannel(key).Send(text);
}

void TInstCtrl::Listen() {
  if (holdsFirstClaim_) claim_->Listen();
}

void TInstCtrl::Deliver() {
  delivering_ = true;
  // Nothing was posted before: every text kept is a held one, in order.
  for (const auto& [number, text] : received_) PostMessage(Application().Handle(), WM_INSTCTRL, number, 0);
}

void TInstCtrl::Receive(const std::string& text) {
  const WPARAM number = nextNumber_++;
  received_[number] = text;
  if (delivering_) PostMessage(Application().Handle(), WM_INSTCTRL, number, 0);
}

std::string TInstCtrl::GetCmdLine() const { return handling_ ? *handling_ : std::string(); }

TInstCtrl::THandling::THandling(const MSG& Message) {
  if (!InstCtrl || Message.message != WM_INSTCTRL) return;
  const auto found = InstCtrl->received_.find(Message.wParam);
  if (found == InstCtrl->received_.end()) return;
  control_ = InstCtrl;
  number_ = Message.wParam;
  outer_ = control_->handling_;
  control_->handling_ = &found->second;
}

TInstCtrl::THandling::~THandling() {
  if (!control_ || InstCtrl != control_) return;
  control_->handling_ = outer_;
  control_->received_.erase(number_);
}
