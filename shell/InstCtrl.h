#pragma once
// The single-instance control: at most MaxInst copies of one program file
// run per user at a time. A later start hands its first argument (a
// program file, made absolute) to a running copy and ends, before it reads
// any settings or starts the window system. The running copy gets each
// handed-over text as one WM_INSTCTRL posted to the application window, in
// arrival order, once it delivers; while the application's message hook
// handles it, GetCmdLine answers its text. The copies meet through the
// toolkit's instance channel: MaxInst per-user claims of the program
// file's canonical path (so copies in different folders are different
// programs), the first of which listens on a socket only the user can
// reach. A claim left by a process that died is free again; one held by a
// copy that does not answer (hung) does not keep a later start from running.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Component.h"
#include "toolkit/win/Messages.h"

class TInstanceChannel;

class EInstCtrl : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// LastInst: the running instance's window, which this platform cannot
// reach from another process: always 0.
using TMaxInstEvent = std::function<void(TObject* Sender, std::uint32_t LastInst)>;

// A handed-over text waits in the application's queue as this message.
constexpr UINT WM_INSTCTRL = WM_USER + 666;

class TInstCtrl : public TComponent {
public:
  // Becomes InstCtrl; a second one in the process raises EInstCtrl.
  explicit TInstCtrl(TComponent* owner);
  // Releases the claim; InstCtrl becomes nil.
  ~TInstCtrl() override;

  // Only when Enabled: decides FirstInstance. ProgramFile names the
  // program (the key); Arguments are the process's, without the program.
  // A later start hands its first argument over (an empty text without
  // one). When the running copy does not take it within the channel's
  // bound, this start runs after all, holding no claim, with a Warning.
  void Check(const std::string& ProgramFile, const std::vector<std::string>& Arguments);
  // Empty, or the line for the console of a start that ran because the
  // running copy did not answer.
  const std::string& Warning() const { return warning_; }
  // The first instance receives from now on; needs the window system.
  // Texts received are held until Deliver.
  void Listen();
  // Posts the held texts and, from now on, each text as it arrives. Called
  // once the application's message hook is in place: a message pumped
  // before that (a library's code pumps while the windows are made) would
  // reach no handler and be lost.
  void Deliver();
  // The text of the WM_INSTCTRL being handled; empty otherwise.
  std::string GetCmdLine() const;

  // Brackets the handling of one message: GetCmdLine answers its text
  // meanwhile (a message handled inside, while a run pumps messages, has
  // its own), and the text is gone afterwards.
  class THandling {
  public:
    explicit THandling(const MSG& Message);
    ~THandling();
    THandling(const THandling&) = delete;
    THandling& operator=(const THandling&) = delete;

  private:
    TInstCtrl* control_ = nullptr;
    WPARAM number_ = 0;
    const std::string* outer_ = nullptr;
  };

  bool Enabled = true;
  std::uint32_t MaxInst = 1;
  // This process holds a claim: true from creation, false for a later start.
  bool Counted = true;
  TMaxInstEvent OnMaxInst;

private:
  bool TryClaim(const std::string& key);
  // False when no running copy took the text.
  bool HandOver(const std::string& key, const std::vector<std::string>& Arguments);
  void Receive(const std::string& text);

  // The claim this process holds; the first claim's holder listens.
  std::unique_ptr<TInstanceChannel> claim_;
  bool holdsFirstClaim_ = false;
  // Received texts by the number their message carries.
  std::map<WPARAM, std::string> received_;
  WPARAM nextNumber_ = 0;
  bool delivering_ = false;
  const std::string* handling_ = nullptr;
  std::string warning_;
};

// Nil until the program makes it.
extern TInstCtrl* InstCtrl;
// False once the check found the allowed number of copies running.
extern bool FirstInstance;
