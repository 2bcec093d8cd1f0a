#include "toolkit/controls/InstanceChannel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <exception>
#include <map>

#include "toolkit/win/MessageQueue.h"

namespace {

constexpr char Acknowledgement = 0x06;
constexpr int HeaderBytes = 4;

// The user's runtime folder, else a folder of the user's own under the
// temporary folder; empty when neither is safe to use.
QString UserFolder() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) return QString::fromLocal8Bit(runtime);
  const QString folder = QDir::tempPath() + "/quantrel-" + QString::number(getuid());
  const QByteArray path = folder.toLocal8Bit();
  mkdir(path.constData(), 0700);
  struct stat status {};
  if (lstat(path.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != getuid()) return {};
  chmod(path.constData(), 0700);
  return folder;
}

QString NameOf(const std::string& key) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QByteArray::fromStdString(key + '\n' + std::to_string(getuid())));
  return "quantrel-" + QString::fromLatin1(hash.result().toHex().left(24));
}

QByteArray Header(quint32 length) {
  QByteArray header(HeaderBytes, '\0');
  for (int i = 0; i < HeaderBytes; ++i) header[i] = static_cast<char>(length >> (8 * i));
  return header;
}

quint32 LengthOf(const QByteArray& bytes) {
  quint32 length = 0;
  for (int i = 0; i < HeaderBytes; ++i) length |= static_cast<quint32>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return length;
}

}  // namespace

class TInstanceChannel::TImpl {
public:
  TImpl(TInstanceChannel& owner, const std::string& key) : owner_(owner) {
    const QString folder = UserFolder();
    if (folder.isEmpty()) return;
    const QString name = folder + "/" + NameOf(key);
    lock_ = std::make_unique<QLockFile>(name + ".lock");
    lock_->setStaleLockTime(0);  // only a dead owner makes it stale
    socketPath_ = name + ".socket";
  }

  bool Claim() {
    if (first_) return true;
    if (!lock_) return first_ = true;  // no safe folder: run alone
    if (!lock_->tryLock(0)) return false;
    return first_ = true;
  }

  void Listen() {
    if (!first_ || socketPath_.isEmpty() || server_.isListening()) return;
    QLocalServer::removeServer(socketPath_);  // left by a holder that died
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(socketPath_))
      QObject::connect(&server_, &QLocalServer::newConnection, [this] { AcceptPending(); });
  }

  bool IsFirst() const { return first_; }

  bool Send(const std::string& text, int timeoutMilliseconds) {
    if (socketPath_.isEmpty() || text.size() > MaxMessageBytes) return false;
    const QDeadlineTimer deadline(timeoutMilliseconds);
    QLocalSocket socket;
    if (!Connect(socket, deadline)) return false;
    socket.write(Header(static_cast<quint32>(text.size())) + QByteArray::fromStdString(text));
    while (socket.bytesToWrite() > 0)
      if (!socket.waitForBytesWritten(Remaining(deadline))) return false;
    while (socket.bytesAvailable() < 1)
      if (!socket.waitForReadyRead(Remaining(deadline))) return false;
    return socket.read(1) == QByteArray(1, Acknowledgement);
  }

private:
  static int Remaining(const QDeadlineTimer& deadline) { return static_cast<int>(std::max<qint64>(1, deadline.remainingTime())); }

  // The first process may still be starting: its socket appears a moment
  // after its lock.
  bool Connect(QLocalSocket& socket, const QDeadlineTimer& deadline) {
    while (true) {
      socket.connectToServer(socketPath_);
      if (socket.waitForConnected(Remaining(deadline))) return true;
      socket.abort();
      if (deadline.hasExpired()) return false;
      QThread::msleep(20);
    }
  }

  void AcceptPending() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { Receive(*socket); });
      QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket] {
        received_.erase(socket);
        socket->deleteLater();
      });
    }
  }

  // Each connection carries one text. It is acknowledged before it is
  // handed on, so that a long handler cannot make the sender give up.
  void Receive(QLocalSocket& socket) {
    QByteArray& received = received_[&socket];
    received.append(socket.readAll());
    if (received.size() < HeaderBytes) return;
    const quint32 length = LengthOf(received);
    if (length > MaxMessageBytes) return socket.abort();
    if (static_cast<quint32>(received.size()) < HeaderBytes + length) return;
    const std::string text = received.mid(HeaderBytes, length).toStdString();
    received_.erase(&socket);
    socket.write(QByteArray(1, Acknowledgement));
    // A sender that stopped waiting (this process was hung meanwhile) has
    // run on its own: its text is not run twice.
    const bool taken = socket.flush() && socket.state() == QLocalSocket::ConnectedState;
    socket.disconnectFromServer();
    if (taken) Deliver(text);
  }

  void Deliver(const std::string& text) {
    if (!owner_.OnMessage) return;
    try {
      owner_.OnMessage(text);
    } catch (...) {
      HandleEscapedException(std::current_exception());
    }
  }

  TInstanceChannel& owner_;
  std::unique_ptr<QLockFile> lock_;
  QString socketPath_;
  // What each connection has sent so far; outlives the server, whose
  // connections may report their end while it goes.
  std::map<QLocalSocket*, QByteArray> received_;
  QLocalServer server_;
  bool first_ = false;
};

TInstanceChannel::TInstanceChannel(const std::string& key) : impl_(std::make_unique<TImpl>(*this, key)) {}

TInstanceChannel::~TInstanceChannel() = default;

bool TInstanceChannel::Claim() { return impl_->Claim(); }

bool TInstanceChannel::IsFirst() const { return impl_->IsFirst(); }

void TInstanceChannel::Listen() { impl_->Listen(); }

bool TInstanceChannel::Send(const std::string& text, int timeoutMilliseconds) {
  return impl_->Send(text, timeoutMilliseconds);
}
