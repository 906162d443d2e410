#include "help/ui/Help.h"

#include <QCoreApplication>
#include <QPointer>

#include "help/HelpCatalog.h"
#include "help/ui/HelpWindow.h"

namespace vorlix {

namespace {
QPointer<THelpWindow> helpWindow;
}  // namespace

THelpWindow& HelpWindow() {
    if (!helpWindow) {
        helpWindow = new THelpWindow(THelpCatalog::Instance());
        // Freed with the application, whichever window is its parent then.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, helpWindow.data(), &QObject::deleteLater);
    }
    return *helpWindow;
}

void ShowHelpTopic(int context) { HelpWindow().ShowContext(context); }
void ShowHelpContents() { HelpWindow().ShowContents(); }
void ShowHelpIndex(const QString& key) { HelpWindow().ShowIndex(key); }
void ShowHelpSearch() { HelpWindow().ShowSearch(); }
void ShowHelpOnHelp() { HelpWindow().ShowFile(kHelpOnHelpFile); }

void CloseHelp() {
    if (helpWindow) helpWindow->close();
}

bool HelpTopicExists(int context) { return THelpCatalog::Instance().TopicForContext(context) != nullptr; }

}  // namespace vorlix
