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
    : QWidget(parent, Qt::Window), FCatalog(catalog) {
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
    FBack = addButton("btnBack", "&Back");
    FForward = addButton("btnForward", "&Forward");
    buttons->addStretch(1);
    column->addLayout(buttons);

    auto* splitter = new QSplitter(this);
    FTabs = new QTabWidget(splitter);
    FTabs->setObjectName("tabsNavigation");
    FTabs->addTab(CreateContentsPage(), "Co&ntents");
    FTabs->addTab(CreateIndexPage(), "In&dex");
    FTabs->addTab(CreateSearchPage(), "&Search");
    FBrowser = new QTextBrowser(splitter);
    FBrowser->setObjectName("brwTopic");
    FBrowser->setOpenExternalLinks(true);
    splitter->addWidget(FTabs);
    splitter->addWidget(FBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 600});
    column->addWidget(splitter, 1);

    connect(FBack, &QPushButton::clicked, FBrowser, &QTextBrowser::backward);
    connect(FForward, &QPushButton::clicked, FBrowser, &QTextBrowser::forward);
    connect(FBrowser, &QTextBrowser::backwardAvailable, FBack, &QPushButton::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, FForward, &QPushButton::setEnabled);
    connect(FBrowser, &QTextBrowser::sourceChanged, this, &THelpWindow::SourceChanged);
    FBack->setEnabled(false);
    FForward->setEnabled(false);
}

QWidget* THelpWindow::CreateContentsPage() {
    FContents = new QTreeWidget;
    FContents->setObjectName("tvwContents");
    FContents->header()->hide();
    for (const QString& section : FCatalog.Sections()) {
        auto* book = new QTreeWidgetItem(FContents, {section});
        for (const THelpTopic& topic : FCatalog.Topics()) {
            if (topic.Section != section) continue;
            auto* page = new QTreeWidgetItem(book, {topic.Title});
            page->setData(0, kFileRole, topic.File);
        }
    }
    FContents->expandAll();
    connect(FContents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString file = item->data(0, kFileRole).toString();
        if (!file.isEmpty()) ShowFile(file);
    });
    connect(FContents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString file = item->data(0, kFileRole).toString();
        if (!file.isEmpty()) ShowFile(file);
    });
    return FContents;
}

QWidget* THelpWindow::CreateIndexPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* label = new QLabel("&Type the first few letters of the word you're looking for:", page);
    label->setWordWrap(true);
    FIndexKey = new QLineEdit(page);
    FIndexKey->setObjectName("edtIndexKey");
    label->setBuddy(FIndexKey);
    FIndexList = new QListWidget(page);
    FIndexList->setObjectName("lstIndex");
    auto* display = new QPushButton("Dis&play", page);
    display->setObjectName("btnIndexDisplay");
    column->addWidget(label);
    column->addWidget(FIndexKey);
    column->addWidget(FIndexList, 1);
    column->addWidget(display);
    FillIndex();
    connect(FIndexKey, &QLineEdit::textEdited, this, &THelpWindow::edtIndexKeyChange);
    connect(FIndexKey, &QLineEdit::returnPressed, this, &THelpWindow::btnIndexDisplayClick);
    connect(display, &QPushButton::clicked, this, &THelpWindow::btnIndexDisplayClick);
    connect(FIndexList, &QListWidget::itemActivated, this, &THelpWindow::btnIndexDisplayClick);
    connect(FIndexList, &QListWidget::itemDoubleClicked, this, &THelpWindow::btnIndexDisplayClick);
    return page;
}

QWidget* THelpWindow::CreateSearchPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* label = new QLabel("Type the &words to find (every word must appear):", page);
    label->setWordWrap(true);
    FSearchKey = new QLineEdit(page);
    FSearchKey->setObjectName("edtSearchKey");
    label->setBuddy(FSearchKey);
    auto* find = new QPushButton("&List Topics", page);
    find->setObjectName("btnSearch");
    FSearchResults = new QListWidget(page);
    FSearchResults->setObjectName("lstSearchResults");
    column->addWidget(label);
    column->addWidget(FSearchKey);
    column->addWidget(find);
    column->addWidget(FSearchResults, 1);
    connect(FSearchKey, &QLineEdit::returnPressed, this, &THelpWindow::btnSearchClick);
    connect(find, &QPushButton::clicked, this, &THelpWindow::btnSearchClick);
    auto open = [this](QListWidgetItem* item) { ShowFile(item->data(kFileRole).toString()); };
    connect(FSearchResults, &QListWidget::itemActivated, this, open);
    connect(FSearchResults, &QListWidget::itemClicked, this, open);
    return page;
}

void THelpWindow::FillIndex() {
    for (const THelpIndexEntry& entry : FCatalog.Index()) {
        auto* item = new QListWidgetItem(entry.Keyword, FIndexList);
        item->setData(kFileRole, entry.File);
    }
}

void THelpWindow::edtIndexKeyChange(const QString& key) {
    // Like a paper index: jump to the first entry that starts with the key.
    for (int row = 0; row < FIndexList->count(); ++row) {
        if (FIndexList->item(row)->text().startsWith(key.trimmed(), Qt::CaseInsensitive)) {
            FIndexList->setCurrentRow(row);
            FIndexList->scrollToItem(FIndexList->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void THelpWindow::btnIndexDisplayClick() {
    const QListWidgetItem* item = FIndexList->currentItem();
    if (item) ShowFile(item->data(kFileRole).toString());
}

void THelpWindow::btnSearchClick() {
    FSearchResults->clear();
    const QList<const THelpTopic*> found = FCatalog.Search(FSearchKey->text());
    for (const THelpTopic* topic : found) {
        auto* item = new QListWidgetItem(topic->Title, FSearchResults);
        item->setData(kFileRole, topic->File);
    }
    if (found.isEmpty()) {
        auto* none = new QListWidgetItem("(no topic holds every word)", FSearchResults);
        none->setFlags(Qt::NoItemFlags);
    }
}

void THelpWindow::ShowFile(const QString& file) {
    const QUrl url = TopicUrl(FCatalog.Folder(), file);
    if (FBrowser->source() != url) FBrowser->setSource(url);
    Present();
}

void THelpWindow::ShowContext(int context) {
    const THelpTopic* topic = FCatalog.TopicForContext(context);
    if (!topic) return ShowContents();
    ShowFile(topic->File);
}

void THelpWindow::ShowContents() {
    FTabs->setCurrentIndex(tabContents);
    ShowFile(kHelpContentsFile);
}

void THelpWindow::ShowIndex(const QString& key) {
    FTabs->setCurrentIndex(tabIndex);
    FIndexKey->setText(key);
    edtIndexKeyChange(key);
    if (FBrowser->source().isEmpty()) ShowFile(kHelpContentsFile);
    Present();
    FIndexKey->setFocus();
}

void THelpWindow::ShowSearch() {
    FTabs->setCurrentIndex(tabSearch);
    if (FBrowser->source().isEmpty()) ShowFile(kHelpContentsFile);
    Present();
    FSearchKey->setFocus();
}

QString THelpWindow::CurrentFile() const { return FBrowser->source().fileName(); }

void THelpWindow::SourceChanged(const QUrl& url) {
    const THelpTopic* topic = FCatalog.TopicByFile(url.fileName());
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
