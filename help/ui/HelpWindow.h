#pragma once
// The help window: contents, index with a search key, full-text search and the
// topic pages, with back and forward like a browser.
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace vorlix {

class THelpCatalog;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    enum TTab { tabContents = 0, tabIndex = 1, tabSearch = 2 };

    explicit THelpWindow(const THelpCatalog& catalog, QWidget* parent = nullptr);

    void ShowContext(int context);
    void ShowContents();
    void ShowIndex(const QString& key);
    void ShowSearch();
    void ShowFile(const QString& file);
    // Brings the window up above every other, modal dialogs included.
    void Present();

    QString CurrentFile() const;
    QTextBrowser& Browser() { return *browser_; }
    QTabWidget& Tabs() { return *tabs_; }
    QListWidget& IndexList() { return *indexList_; }
    QLineEdit& IndexKey() { return *indexKey_; }
    QLineEdit& SearchKey() { return *searchKey_; }
    QListWidget& SearchResults() { return *searchResults_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateContentsPage();
    QWidget* CreateIndexPage();
    QWidget* CreateSearchPage();
    void FillIndex();
    void edtIndexKeyChange(const QString& key);
    void btnIndexDisplayClick();
    void btnSearchClick();
    void SourceChanged(const QUrl& url);
    // The window help was asked from when the help window must belong to it.
    static QWidget* OpenerToJoin();
    void AttachToOpener();
    void DetachFromDialog();

    const THelpCatalog& catalog_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexKey_ = nullptr;
    QListWidget* indexList_ = nullptr;
    QLineEdit* searchKey_ = nullptr;
    QListWidget* searchResults_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
};

}  // namespace vorlix
