#pragma once
// The one entry point of the help system. Every window's Help button and the
// Help menu call these; the help window is created on first use and shared.
#include <QString>

namespace vorlix {

class THelpWindow;

// Opens the topic of a context number; a number without a topic opens the contents.
void ShowHelpTopic(int context);
void ShowHelpContents();
// The index with a search key (empty: the whole index).
void ShowHelpIndex(const QString& key = {});
// The full-text search page.
void ShowHelpSearch();
void ShowHelpOnHelp();
// Hides the help window (the application is closing).
void CloseHelp();
// The shared help window, created on first use.
THelpWindow& HelpWindow();
// True when a topic answers the context number.
bool HelpTopicExists(int context);

constexpr int kQuickStartContext = 100;

}  // namespace vorlix
