#pragma once
// The message box of the whole application: a beep of the box's kind when a
// wave output device exists, then the modal box.
#include <QMessageBox>
#include <QString>
#include <functional>

#include "files/ErrorReporter.h"

namespace vorlix {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

using TMsgDlgButtons = QMessageBox::StandardButtons;
using TModalResult = QMessageBox::StandardButton;

TModalResult SoundMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);

// Replaces the box by a function that answers it (tests, scripted runs); an
// empty function restores the box.
using TMessageAnswerer = std::function<TModalResult(const QString&, TMsgDlgType, TMsgDlgButtons)>;
void SetMessageAnswerer(TMessageAnswerer answerer);

// Shows the core's messages in message boxes.
class TMessageBoxReporter : public TErrorReporter {
public:
    void Report(TMsgKind kind, const std::string& message) override;
};

}  // namespace vorlix
