#pragma once
// Reads a PGN file's game index on a worker thread while the windows stay
// alive: a progress dialog shows how far it got and can stop it.
#include <QString>

class QWidget;

namespace vorlix {

class TErrorReporter;
class TPGNIndex;

// The index's LoadFromFile, run off the GUI thread; its messages are reported
// here afterwards. Cancelling keeps the games completed so far (index.Stopped()).
bool LoadGamesWithProgress(TPGNIndex& index, const QString& fileName, TErrorReporter& reporter, QWidget* parent);

// Stops the load under way, if any, as its Cancel button does: a quit signal
// must not wait for the rest of a large file.
void CancelGameLoading();

// For tests: once a load has read past the start of its file it waits until it
// is cancelled, so that a cancel surely comes while the file is being read.
void HoldLoadsUntilCancelledForTests(bool hold);

}  // namespace vorlix
