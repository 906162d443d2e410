#include "help/ui/HelpWindow.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/ui/DialogOwner.h"
#include "help/HelpCatalog.h"

namespace vorlix {
namespace {

constexpr int kFileRole = Qt::UserRole;

QUrl TopicUrl(const QString& folder, const QString& file) {
    return folder.startsWith(":") ? QUrl("qrc" + folder + "/" + file) : QUrl::fromLocalFile(folder + "/" + file);
}

}  // namespace

THelpWindow::THelpWindow(const THelpCatalog& catalog, QWidget* parent)
    : QWidget(parent, Qt::Window), catalog_(catalog) {
    setObjectName("frmHelp");
    setWindowTitle("Chess Vorlix Help");
    resize(860, 600);

    auto* column = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    connect(addButton("btnContents", "&Contents"), &QPushButton::clicked, this, &THelpWindow::ShowContents);
    connect(addButton("btnIndex", "&Index"), &QPushButton::clicked, this, [this] { ShowIndex({}); });
    back_ = addButton("btnBack", "&Back");
    forward_ = addButton("btnForward", "&Forward");
    buttons->addStretch(1);
    column->addLayout(buttons);

    auto* splitter = new QSplitter(this);
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName("tabsNavigation");
    tabs_->addTab(CreateContentsPage(), "Co&ntents");
    tabs_->addTab(CreateIndexPage(), "In&dex");
    tabs_->addTab(CreateSearchPage(), "&Search");
    browser_ = new QTextBrowser(splitter);
    browser_->setObjectName("brwTopic");
    browser_->setOpenExternalLinks(true);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});
    column->addWidget(splitter, 1);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &THelpWindow::SourceChanged);
    back_->setEnabled(false);
    forward_->setEnabled(false);
}

QWidget* THelpWindow::CreateContentsPage() {
    contents_ = new QTreeWidget;
    contents_->setObjectName("tvwContents");
    contents_->header()->hide();
    for (const QString& section : catalog_.Sections()) {
        auto* book = new QTreeWidgetItem(contents_, {section});
        for (const THelpTopic& topic : catalog_.Topics()) {
            if (topic.Section != section) continue;
            auto* page = new QTreeWidgetItem(book, {topic.Title});
            page->setData(0, kFileRole, topic.File);
        }
    }
    contents_->expandAll();
    connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString file = item->data(0, kFileRole).toString();
        if (!file.isEmpty()) ShowFile(file);
    });
    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString file = item->data(0, kFileRole).toString();
        if (!file.isEmpty()) ShowFile(file);
    });
    return contents_;
}

QWidget* THelpWindow::CreateIndexPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* label = new QLabel("&Type the first few letters of the word you're looking for:", page);
    label->setWordWrap(true);
    indexKey_ = new QLineEdit(page);
    indexKey_->setObjectName("edtIndexKey");
    label->setBuddy(indexKey_);
    indexList_ = new QListWidget(page);
    indexList_->setObjectName("lstIndex");
    auto* display = new QPushButton("Dis&play", page);
    display->setObjectName("btnIndexDisplay");
    column->addWidget(label);
    column->addWidget(indexKey_);
    column->addWidget(indexList_, 1);
    column->addWidget(display);
    FillIndex();
    connect(indexKey_, &QLineEdit::textEdited, this, &THelpWindow::edtIndexKeyChange);
    connect(indexKey_, &QLineEdit::returnPressed, this, &THelpWindow::btnIndexDisplayClick);
    connect(display, &QPushButton::clicked, this, &THelpWindow::btnIndexDisplayClick);
    connect(indexList_, &QListWidget::itemActivated, this, &THelpWindow::btnIndexDisplayClick);
    connect(indexList_, &QListWidget::itemDoubleClicked, this, &THelpWindow::btnIndexDisplayClick);
    return page;
}

QWidget* THelpWindow::CreateSearchPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* label = new QLabel("Type the &words to find (every word must appear):", page);
    label->setWordWrap(true);
    searchKey_ = new QLineEdit(page);
    searchKey_->setObjectName("edtSearchKey");
    label->setBuddy(searchKey_);
    auto* find = new QPushButton("&List Topics", page);
    find->setObjectName("btnSearch");
    searchResults_ = new QListWidget(page);
    searchResults_->setObjectName("lstSearchResults");
    column->addWidget(label);
    column->addWidget(searchKey_);
    column->addWidget(find);
    column->addWidget(searchResults_, 1);
    connect(searchKey_, &QLineEdit::returnPressed, this, &THelpWindow::btnSearchClick);
    connect(find, &QPushButton::clicked, this, &THelpWindow::btnSearchClick);
    auto open = [this](QListWidgetItem* item) { ShowFile(item->data(kFileRole).toString()); };
    connect(searchResults_, &QListWidget::itemActivated, this, open);
    connect(searchResults_, &QListWidget::itemClicked, this, open);
    return page;
}

void THelpWindow::FillIndex() {
    for (const THelpIndexEntry& entry : catalog_.Index()) {
        auto* item = new QListWidgetItem(entry.Keyword, indexList_);
        item->setData(kFileRole, entry.File);
    }
}

void THelpWindow::edtIndexKeyChange(const QString& key) {
    // Like a paper index: jump to the first entry that starts with the key.
    for (int row = 0; row < indexList_->count(); ++row) {
        if (indexList_->item(row)->text().startsWith(key.trimmed(), Qt::CaseInsensitive)) {
            indexList_->setCurrentRow(row);
            indexList_->scrollToItem(indexList_->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void THelpWindow::btnIndexDisplayClick() {
    const QListWidgetItem* item = indexList_->currentItem();
    if (item) ShowFile(item->data(kFileRole).toString());
}

void THelpWindow::btnSearchClick() {
    searchResults_->clear();
    const QList<const THelpTopic*> found = catalog_.Search(searchKey_->text());
    for (const THelpTopic* topic : found) {
        auto* item = new QListWidgetItem(topic->Title, searchResults_);
        item->setData(kFileRole, topic->File);
    }
    if (found.isEmpty()) {
        auto* none = new QListWidgetItem("(no topic holds every word)", searchResults_);
        none->setFlags(Qt::NoItemFlags);
    }
}

void THelpWindow::ShowFile(const QString& file) {
    const QUrl url = TopicUrl(catalog_.Folder(), file);
    if (browser_->source() != url) browser_->setSource(url);
    Present();
}

void THelpWindow::ShowContext(int context) {
    const THelpTopic* topic = catalog_.TopicForContext(context);
    if (!topic) return ShowContents();
    ShowFile(topic->File);
}

void THelpWindow::ShowContents() {
    tabs_->setCurrentIndex(tabContents);
    ShowFile(kHelpContentsFile);
}

void THelpWindow::ShowIndex(const QString& key) {
    tabs_->setCurrentIndex(tabIndex);
    indexKey_->setText(key);
    edtIndexKeyChange(key);
    if (browser_->source().isEmpty()) ShowFile(kHelpContentsFile);
    Present();
    indexKey_->setFocus();
}

void THelpWindow::ShowSearch() {
    tabs_->setCurrentIndex(tabSearch);
    if (browser_->source().isEmpty()) ShowFile(kHelpContentsFile);
    Present();
    searchKey_->setFocus();
}

QString THelpWindow::CurrentFile() const { return browser_->source().fileName(); }

void THelpWindow::SourceChanged(const QUrl& url) {
    const THelpTopic* topic = catalog_.TopicByFile(url.fileName());
    setWindowTitle(topic ? "Chess Vorlix Help - " + topic->Title : "Chess Vorlix Help");
}

void THelpWindow::Present() {
    AttachToOpener();
    show();
    raise();
    activateWindow();
}

// A modal dialog blocks every window that is not its own, and a window kept on
// top covers every window that is not its own.
QWidget* THelpWindow::OpenerToJoin() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    QWidget* active = QApplication::activeWindow();
    return StaysOnTop(active) ? active : nullptr;
}

// While such a window is the one help was asked from, the help window becomes
// its (still a window of its own, kept on top like it) and goes back to being
// free when it hides.
void THelpWindow::AttachToOpener() {
    QWidget* opener = OpenerToJoin();
    if (!opener || opener == this || opener == parentWidget() || opener->parentWidget() == this) return;
    if (parentWidget()) parentWidget()->removeEventFilter(this);
    const QRect bounds = geometry();
    const bool visible = isVisible();
    setParent(opener, StaysOnTop(opener) ? Qt::Window | Qt::WindowStaysOnTopHint : Qt::Window);
    if (visible) setGeometry(bounds);  // a window never shown is placed by the desktop
    opener->installEventFilter(this);
    if (visible) show();
}

void THelpWindow::DetachFromDialog() {
    QWidget* dialog = parentWidget();
    if (!dialog) return;
    dialog->removeEventFilter(this);
    const QRect bounds = geometry();
    const bool visible = isVisible();
    setParent(nullptr, Qt::Window);
    if (visible) setGeometry(bounds);  // a window never shown is placed by the desktop
    if (visible) show();
}

bool THelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        DetachFromDialog();
    return QWidget::eventFilter(watched, event);
}

}  // namespace vorlix
