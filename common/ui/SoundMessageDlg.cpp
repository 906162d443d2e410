#include "common/ui/SoundMessageDlg.h"

#include <QApplication>

#include "common/ui/SoundPlayer.h"

namespace vorlix {
namespace {

TMessageAnswerer& Answerer() {
    static TMessageAnswerer answerer;
    return answerer;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
    switch (type) {
        case TMsgDlgType::mtWarning: return QMessageBox::Warning;
        case TMsgDlgType::mtError: return QMessageBox::Critical;
        case TMsgDlgType::mtInformation: return QMessageBox::Information;
        case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString CaptionOf(TMsgDlgType type) {
    switch (type) {
        case TMsgDlgType::mtWarning: return "Warning";
        case TMsgDlgType::mtError: return "Error";
        case TMsgDlgType::mtInformation: return "Information";
        case TMsgDlgType::mtConfirmation: return "Confirm";
    }
    return {};
}

TMsgDlgType TypeOf(TMsgKind kind) {
    switch (kind) {
        case TMsgKind::Warning: return TMsgDlgType::mtWarning;
        case TMsgKind::Error: return TMsgDlgType::mtError;
        case TMsgKind::Information: return TMsgDlgType::mtInformation;
        case TMsgKind::Confirmation: return TMsgDlgType::mtConfirmation;
    }
    return TMsgDlgType::mtError;
}

}  // namespace

void SetMessageAnswerer(TMessageAnswerer answerer) { Answerer() = std::move(answerer); }

TModalResult SoundMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    if (Answerer()) return Answerer()(text, type, buttons);
    // The system has one beep for every kind of box here.
    if (TSoundPlayer::HasWaveOutput()) QApplication::beep();
    QMessageBox box(IconOf(type), CaptionOf(type), text, buttons, QApplication::activeWindow());
    return static_cast<TModalResult>(box.exec());
}

void TMessageBoxReporter::Report(TMsgKind kind, const std::string& message) {
    SoundMessageDlg(QString::fromStdString(message), TypeOf(kind), QMessageBox::Ok);
}

}  // namespace vorlix
