#include "toolkit/qt/QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// The end of one sound, awaited by a synchronous play.
class TCompletion {
public:
  void Signal() {
    std::lock_guard lock(mutex_);
    done_ = true;
    ended_.notify_all();
  }
  void WaitFor(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    ended_.wait_for(lock, bound, [this] { return done_; });
  }

private:
  std::mutex mutex_;
  std::condition_variable ended_;
  bool done_ = false;
};

QAudioFormat QtFormat(const TWaveFormat& format) {
  QAudioFormat result;
  result.setSampleRate(format.SampleRate);
  result.setChannelCount(format.Channels);
  result.setSampleFormat(format.BitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  return result;
}

// Lives on the sound thread: one sink at a time, fed from the shared samples.
class TSoundPlayer final : public QObject {
public:
  explicit TSoundPlayer(std::atomic<bool>& failed) : failed_(failed) {}
  ~TSoundPlayer() override { Finish(); }

  // False when no audio output exists.
  bool Probe() {
    device_ = QMediaDevices::defaultAudioOutput();
    return !device_.isNull();
  }

  void Start(const TWaveFormat& format, TSoundSamples samples, std::shared_ptr<TCompletion> done) {
    Finish();
    samples_ = std::move(samples);
    done_ = std::move(done);
    buffer_.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(samples_->data()),
                                            static_cast<qsizetype>(samples_->size())));
    buffer_.open(QIODevice::ReadOnly);
    sink_ = new QAudioSink(device_, QtFormat(format), this);
    connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) { Follow(state); });
    sink_->start(&buffer_);
    if (sink_->error() != QAudio::NoError) Fail();
  }

  void Finish() {
    if (sink_) {
      sink_->disconnect(this);
      sink_->stop();
      sink_->deleteLater();
      sink_ = nullptr;
    }
    buffer_.close();
    samples_.reset();
    if (done_) done_->Signal();
    done_.reset();
  }

private:
  void Follow(QAudio::State state) {
    if (state == QAudio::IdleState) Finish();
    if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError) Fail();
  }

  // A device that fails to open stays silent from now on.
  void Fail() {
    failed_ = true;
    Finish();
  }

  std::atomic<bool>& failed_;
  QAudioDevice device_;
  QAudioSink* sink_ = nullptr;
  QBuffer buffer_;
  TSoundSamples samples_;
  std::shared_ptr<TCompletion> done_;
};

class TQtSoundBackend final : public ISoundBackend {
public:
  // Sounds asked for later (a destructor running after this one) are
  // silence. The thread ends with its player; one that cannot run any more
  // (the process is ending under it) is not waited for long, and is left.
  ~TQtSoundBackend() override {
    if (&SoundBackend() == this) SetSoundBackend(nullptr);
    thread_->quit();
    if (thread_->wait(QDeadlineTimer(LongestEndMilliseconds))) delete thread_;
  }

  void Play(const TWaveFormat& format, TSoundSamples samples, bool wait) override {
    if (!Available()) return silence_.Play(format, std::move(samples), wait);
    const auto length = std::chrono::milliseconds(1000LL * static_cast<long long>(samples->size()) /
                                                  std::max(1, format.BytesPerSecond()));
    auto done = std::make_shared<TCompletion>();
    QMetaObject::invokeMethod(player_, [this, format, samples, done] { player_->Start(format, samples, done); },
                              Qt::QueuedConnection);
    if (wait) done->WaitFor(length + std::chrono::milliseconds(500));
  }

  // Nothing plays before the thread runs: stopping does not start it.
  void Stop() override {
    if (!thread_->isRunning() || !Available()) return silence_.Stop();
    QMetaObject::invokeMethod(player_, [this] { player_->Finish(); }, Qt::QueuedConnection);
  }

  void Beep() override { QApplication::beep(); }

private:
  // The thread and the device are looked for at the first request.
  bool Available() {
    if (!thread_->isRunning()) Start();
    return hasDevice_ && !failed_;
  }

  void Start() {
    thread_->start();
    player_ = new TSoundPlayer(failed_);
    player_->moveToThread(thread_);
    // The player goes on its own thread, as the thread ends.
    QObject::connect(thread_, &QThread::finished, thread_, [player = player_] { delete player; }, Qt::DirectConnection);
    QMetaObject::invokeMethod(player_, [this] { hasDevice_ = player_->Probe(); }, Qt::BlockingQueuedConnection);
  }

  static constexpr int LongestEndMilliseconds = 1000;
  // Held by pointer: a thread that never ended must outlive this object.
  QThread* thread_ = new QThread;
  TSoundPlayer* player_ = nullptr;
  bool hasDevice_ = false;
  std::atomic<bool> failed_{false};
  TNullSoundBackend silence_;
};

}  // namespace

ISoundBackend& QtSoundBackend() {
  static TQtSoundBackend backend;
  return backend;
}
