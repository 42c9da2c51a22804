// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace tessel {

class ProgressWindow;

// The operator's answer when a window with settings not stored is closed.
enum class ClosingChoice { Store, Discard, Cancel };
// What a file is chosen for.
enum class FileChoice { OpenProfile, SaveProfile, CompareProfile, RecordLevels };

// What a configuration window needs from the program around it. The application provides
// the real windows; tests provide a recorder, so that no test waits on a message box.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    // A modal message with an OK button; returns when the operator has closed it.
    virtual void showMessage(const QString &text) = 0;
    // A modal question with OK and Cancel, Cancel being the default; true for OK.
    virtual bool askQuestion(const QString &text) = 0;
    // Asks the operator to pick one of the answers (buttons); the index of the one picked.
    // Escape or closing the box picks `onClose`, the answer that loses nothing.
    virtual int askChoice(const QString &text, const QStringList &answers, int onClose) = 0;
    // A transfer failed because the line to the module is gone; `text` says what failed and
    // what the module may now hold. Besides closing the message, the host offers to connect
    // again and gives the window the new line's session (ConfigWindow::attachSession).
    virtual void lineLost(const QString &text) = 0;
    // "Store the changes into the module before closing?" with Store, Discard and Cancel;
    // Cancel is the default and what Escape picks. `changes` lists what a store would write.
    virtual ClosingChoice askStoreBeforeClosing(const QString &changes) = 0;
    // The file the operator picks; empty when they cancel.
    virtual QString chooseFile(FileChoice purpose) = 0;
    virtual ProgressWindow &progressWindow() = 0;
    // The port as the operator named it, for the commands a message suggests.
    [[nodiscard]] virtual QString portName() const = 0;
    virtual void showReport(const QString &profile) = 0;
    // An image has been shown: the empty start-up window steps aside.
    virtual void imageShown() = 0;
    // The operator closed the configuration window: the program ends.
    virtual void windowClosed() = 0;
    // Where this session's stores keep their backups (practice on a simulated module apart).
    [[nodiscard]] virtual QString backupsFolder() const = 0;
};

} // namespace tessel
