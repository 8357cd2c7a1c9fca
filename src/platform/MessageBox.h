#pragma once
// Message boxes as the program uses them: a text, flags and a title. The window layer
// installs the real dialog; tests install a handler that answers without a person.

#include <QString>
#include <functional>

namespace platform {

// Flags: 0 OK, 16 OK with critical icon, 35 Yes/No/Cancel with question icon, 64 OK with
// information icon.
enum MsgBoxFlags { vbOKOnly = 0, vbCritical = 16, vbYesNoCancelQuestion = 35, vbInformation = 64 };
// Answers.
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

inline const QString AppTitle = QStringLiteral("Brenholt's Turnwise");

using MsgBoxHandler = std::function<int(const QString& text, int flags, const QString& title)>;

// Shows a message box; an empty title shows the application title.
int MsgBox(const QString& text, int flags = vbOKOnly, const QString& title = QString());

// Replaces the handler and returns the previous one. Without a handler, MsgBox writes the
// message to stderr and answers Cancel to a question, OK otherwise: nothing ever waits.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

} // namespace platform
