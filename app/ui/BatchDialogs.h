#pragma once
// Starts the batch dialogs for the viewers on the main window's board, header,
// footer, printer and save dialogs.
namespace vorlix {

class TMainWindow;
class TPgnBatchSource;
class TEpdBatchSource;

// Modal; the board's pieces are as before when the dialog closes.
void RunPgnBatchDialog(TMainWindow& window, TPgnBatchSource& source);
void RunEpdBatchDialog(TMainWindow& window, TEpdBatchSource& source);

}  // namespace vorlix
