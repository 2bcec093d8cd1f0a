#pragma once
// One running copy per key and user. The first process to claim a key holds
// its lock and listens on a local socket that only its user can reach; a
// later process with the same key hands it one text and ends. Each text is
// delivered once, whole, on the first process's window thread, in arrival
// order; an empty text is a wake-up.

#include <functional>
#include <memory>
#include <string>

using TInstanceMessageEvent = std::function<void(const std::string& text)>;

class TInstanceChannel {
public:
  // The longest text handed over, in UTF-8 bytes.
  static constexpr std::size_t MaxMessageBytes = 64 * 1024;

  explicit TInstanceChannel(const std::string& key);
  ~TInstanceChannel();
  TInstanceChannel(const TInstanceChannel&) = delete;
  TInstanceChannel& operator=(const TInstanceChannel&) = delete;

  // True when this process is the first for the key. A lock left by a
  // process that died is taken over. Needs no window system, so a later
  // process can hand over before it starts one.
  bool Claim();
  bool IsFirst() const;
  // For the first process, once the window system runs: texts are received
  // from now on; a later process waits for this while it connects.
  void Listen();
  // For a later process: connects (retrying while the first is still
  // starting), sends the text and waits for its acknowledgement, all within
  // the bound. False when no first process took it or the text is too long.
  bool Send(const std::string& text, int timeoutMilliseconds = 5000);

  // Called on the window thread for each text received.
  TInstanceMessageEvent OnMessage;

private:
  class TImpl;
  std::unique_ptr<TImpl> impl_;
};
