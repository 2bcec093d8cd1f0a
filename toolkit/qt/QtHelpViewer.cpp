#include "toolkit/qt/HelpViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// The viewer's own pages: the keyword index and the page for a missing file.
const QString OwnScheme = "quantrel-help";

// Each showing gets an address of its own, so that the browser loads the
// list afresh and Back returns to the earlier one.
QUrl IndexUrl(std::size_t nearest, int showing) {
  QUrl url;
  url.setScheme(OwnScheme);
  url.setPath("index");
  url.setQuery("showing=" + QString::number(showing));
  url.setFragment("k" + QString::number(nearest));
  return url;
}

QUrl MissingUrl(const QString& fileName) {
  QUrl url;
  url.setScheme(OwnScheme);
  url.setPath("missing");
  QUrlQuery query;
  query.addQueryItem("file", fileName);
  url.setQuery(query);
  return url;
}

QUrl FileUrl(const std::string& address) {
  const QString text = QString::fromStdString(address);
  const qsizetype hash = text.indexOf('#');
  QUrl url = QUrl::fromLocalFile(hash < 0 ? text : text.left(hash));
  if (hash >= 0) url.setFragment(text.mid(hash + 1));
  return url;
}

bool IsOutside(const QUrl& url) { return !url.isLocalFile() && url.scheme() != OwnScheme && !url.scheme().isEmpty(); }

QString IndexHtml(const std::vector<THelpKeyword>& keywords) {
  QString html = "<html><head><title>Index</title></head><body><h2>Index</h2>";
  const QString folder = QString::fromStdString(HelpFolder());
  for (std::size_t i = 0; i < keywords.size(); ++i)
    html += QString("<a name=\"k%1\"></a><a href=\"%2\">%3</a><br>")
                .arg(i)
                .arg(QUrl::fromLocalFile(folder + QString::fromStdString(keywords[i].Page)).toString().toHtmlEscaped(),
                     QString::fromStdString(keywords[i].Keyword).toHtmlEscaped());
  return html + "</body></html>";
}

QString MissingHtml(const QString& fileName) {
  return "<html><head><title>Page not found</title></head><body><h2>Page not found</h2><p>The help file \"" +
         fileName.toHtmlEscaped() + "\" was not found.</p></body></html>";
}

// Serves the viewer's own pages; files come as the browser loads them.
class THelpBrowser final : public QTextBrowser {
public:
  std::vector<THelpKeyword> Keywords;

  QVariant loadResource(int type, const QUrl& url) override {
    if (url.scheme() != OwnScheme) return QTextBrowser::loadResource(type, url);
    if (url.path() == "index") return IndexHtml(Keywords);
    return MissingHtml(QUrlQuery(url).queryItemValue("file"));
  }
};

}  // namespace

class THelpViewer::TWindow final : public QWidget {
public:
  TWindow() {
    resize(720, 540);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    AddButton(*buttons, "Back", [this] { browser_->backward(); });
    AddButton(*buttons, "Forward", [this] { browser_->forward(); });
    AddButton(*buttons, "Home", [this] { Home(); });
    AddButton(*buttons, "Index", [this] { Index(); });
    buttons->addStretch();
    layout->addLayout(buttons);
    browser_ = new THelpBrowser;
    browser_->setOpenLinks(false);
    layout->addWidget(browser_);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { Follow(url); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(browser_->documentTitle()); });
  }

  THelpBrowser& Browser() { return *browser_; }

  void Open(const QUrl& url) {
    if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile())
      browser_->setSource(MissingUrl(url.toLocalFile()));
    else
      browser_->setSource(url);
    show();
    raise();
    activateWindow();
  }

  void ShowIndex(const std::vector<THelpKeyword>& keywords, std::size_t nearest) {
    browser_->Keywords = keywords;
    Open(IndexUrl(nearest, ++indexShowings_));
  }

  void Home() { Open(FileUrl(HelpDefaultPage())); }

  void Index() {
    const auto keywords = ReadHelpKeywords();
    if (keywords.empty())
      Open(FileUrl(HelpFolder() + "keywords.txt"));
    else
      ShowIndex(keywords, 0);
  }

  void Follow(const QUrl& link) {
    const QUrl url = browser_->source().scheme() == OwnScheme && link.isRelative() ? link : browser_->source().resolved(link);
    if (IsOutside(url))
      OpenDocument(url.toString().toStdString());
    else
      Open(url);
  }

private:
  template <class Action>
  void AddButton(QHBoxLayout& row, const char* text, Action action) {
    auto* button = new QPushButton(text);
    connect(button, &QPushButton::clicked, this, action);
    row.addWidget(button);
  }

  THelpBrowser* browser_ = nullptr;
  int indexShowings_ = 0;
};

THelpViewer::THelpViewer() = default;
THelpViewer::~THelpViewer() = default;

THelpViewer::TWindow& THelpViewer::Window() {
  if (!window_) window_ = std::make_unique<TWindow>();
  return *window_;
}

void THelpViewer::ShowPage(const std::string& address) { Window().Open(FileUrl(address)); }

void THelpViewer::ShowIndex(const std::vector<THelpKeyword>& keywords, std::size_t nearest) {
  Window().ShowIndex(keywords, nearest);
}

bool THelpViewer::Visible() const { return window_ && window_->isVisible(); }

std::string THelpViewer::Caption() const { return window_ ? window_->windowTitle().toStdString() : ""; }

std::string THelpViewer::Address() const {
  if (!window_) return "";
  const QUrl url = window_->Browser().source();
  if (!url.isLocalFile()) return url.toString().toStdString();
  const QString fragment = url.hasFragment() ? "#" + url.fragment() : QString();
  return (url.toLocalFile() + fragment).toStdString();
}

std::string THelpViewer::PlainText() const { return window_ ? window_->Browser().toPlainText().toStdString() : ""; }

void THelpViewer::FollowLink(const std::string& target) { Window().Follow(QUrl(QString::fromStdString(target))); }

void THelpViewer::Back() { Window().Browser().backward(); }

void THelpViewer::Forward() { Window().Browser().forward(); }

void THelpViewer::Home() { Window().Home(); }

void THelpViewer::Index() { Window().Index(); }

void THelpViewer::Close() {
  if (window_) window_->close();
}

bool THelpViewer::SaveImage(const std::string& fileName) const {
  return window_ && window_->grab().save(QString::fromStdString(fileName));
}

THelpViewer& HelpViewer() {
  static THelpViewer* viewer = new THelpViewer;
  return *viewer;
}

namespace {

class TQtDocumentOpener final : public IDocumentOpener {
public:
  bool Open(const std::string& document) override {
    const QString text = QString::fromStdString(document);
    const QUrl url = QFileInfo::exists(text) ? QUrl::fromLocalFile(text) : QUrl::fromUserInput(text);
    return QDesktopServices::openUrl(url);
  }
};

}  // namespace

IDocumentOpener& QtDocumentOpener() {
  static TQtDocumentOpener opener;
  return opener;
}
