#include "toolkit/controls/InstanceChannel.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "tests/runtime/ChildProcesses.h"
#include "tests/runtime/TempFolder.h"

namespace {

std::string ProbePath() {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "toolkit_InstanceProbe").string();
}

// Runs copies of the probe program for one key and one folder of results.
class InstanceChannelTest : public testing::Test {
protected:
  pid_t Start(const std::string& key, const std::vector<std::string>& text = {}) {
    std::vector<std::string> arguments{ProbePath(), key, folder_.Path().string()};
    arguments.insert(arguments.end(), text.begin(), text.end());
    return processes_.Start(arguments);
  }

  // The exit status of a probe that hands over a text.
  int Finish(pid_t pid) { return processes_.Finish(pid); }

  // Starts a first process and waits until it has claimed the key.
  pid_t StartFirst(const std::string& key) {
    const pid_t pid = Start(key);
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(folder_ / ("claimed-" + std::to_string(pid))); }))
        << "the first process did not claim " << key;
    return pid;
  }

  std::vector<std::string> Messages(size_t count) {
    std::vector<std::string> messages;
    for (size_t n = 1; n <= count; ++n) {
      const std::string name = folder_ / ("message-" + std::to_string(n));
      WaitFor([&] { return std::filesystem::exists(name); });
      messages.push_back(ReadFileText(name));
    }
    return messages;
  }

  std::string Key(const std::string& name) const { return "/opt/quantrel/" + name + std::to_string(getpid()); }

  TempFolder folder_;
  ChildProcesses processes_;
};

std::string LongPath() {
  std::string path = "/home/some user/Dokumente/é";
  while (path.size() < 300) path += "/folder";
  path.resize(296);
  return path + ".tar";
}

TEST_F(InstanceChannelTest, ASecondStartHandsOverItsTextWhole) {
  StartFirst(Key("handover"));
  const std::string text = LongPath();
  ASSERT_EQ(text.size(), 300u);
  EXPECT_EQ(Finish(Start(Key("handover"), {text})), 0);
  EXPECT_EQ(Messages(1), std::vector<std::string>{text});
}

TEST_F(InstanceChannelTest, AStartWithoutTextWakesTheFirstUp) {
  StartFirst(Key("wake"));
  EXPECT_EQ(Finish(Start(Key("wake"))), 0);
  EXPECT_EQ(Messages(1), std::vector<std::string>{""});
}

TEST_F(InstanceChannelTest, AfterTheFirstIsKilledTheNextStartIsFirst) {
  const pid_t first = StartFirst(Key("killed"));
  processes_.Kill(first);
  const pid_t next = StartFirst(Key("killed"));
  EXPECT_EQ(Finish(Start(Key("killed"), {"after"})), 0);
  EXPECT_EQ(Messages(1), std::vector<std::string>{"after"});
  EXPECT_NE(next, first);
}

TEST_F(InstanceChannelTest, SimultaneousSendersDeliverIntactTexts) {
  StartFirst(Key("five"));
  std::set<std::string> sent;
  std::vector<pid_t> senders;
  for (int i = 0; i < 5; ++i) {
    const std::string text = std::string(2000 + i, static_cast<char>('a' + i)) + " é";
    sent.insert(text);
    senders.push_back(Start(Key("five"), {text}));
  }
  for (pid_t sender : senders) EXPECT_EQ(Finish(sender), 0);
  const auto received = Messages(5);
  EXPECT_EQ(std::set<std::string>(received.begin(), received.end()), sent);
}

TEST_F(InstanceChannelTest, TwoKeysGiveTwoFirstInstances) {
  StartFirst(Key("one"));
  StartFirst(Key("two"));
}

TEST(InstanceChannel, ASenderWithoutAFirstLearnsItAfterTheBound) {
  TInstanceChannel channel("/opt/quantrel/nobody" + std::to_string(getpid()));
  EXPECT_FALSE(channel.Send("file.tarn", 300));
  EXPECT_FALSE(channel.IsFirst());
}

TEST(InstanceChannel, OneProcessHoldsAKeyOnce) {
  const std::string key = "/opt/quantrel/once" + std::to_string(getpid());
  TInstanceChannel first(key);
  TInstanceChannel second(key);
  EXPECT_TRUE(first.Claim());
  EXPECT_FALSE(second.Claim());
  EXPECT_FALSE(second.Send(std::string(TInstanceChannel::MaxMessageBytes + 1, 'x'), 300)) << "too long";
}

TEST(InstanceChannel, OnlyTheUserCanReachTheSocket) {
  TInstanceChannel channel("/opt/quantrel/private" + std::to_string(getpid()));
  ASSERT_TRUE(channel.Claim());
  channel.Listen();
  int sockets = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::getenv("XDG_RUNTIME_DIR"))) {
    struct stat status {};
    if (entry.path().extension() != ".socket" || stat(entry.path().c_str(), &status) != 0) continue;
    ++sockets;
    EXPECT_EQ(status.st_mode & 077, 0u) << entry.path() << " is open to others";
    EXPECT_EQ(status.st_uid, getuid());
  }
  EXPECT_GE(sockets, 1);
}

}  // namespace
