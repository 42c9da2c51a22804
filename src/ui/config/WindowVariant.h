// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleKind.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace tessel {

class DeviceTable;
class EepromImage;
class SessionClient;
class SettingsBands;
class WindowHost;

// One of the two timing bands (steps 3 and 4): its frame's title and height, the caption
// left of its scroll bar and what a screen reader calls the bar.
struct TimingBandLook {
    QString title;
    int topTwips;
    int heightTwips;
    QString caption;
    QString accessibleName;
};

// What the windows of the module kinds show differently.
struct WindowLook {
    ModuleKind kind;
    QString objectName;
    QString title;
    QString initialBaseSerial;      // in the serial box before the first read
    QString functionHeader;         // over the function column
    QString initialFunctionCaption; // of every function cell before the first read
    int rowSerialMaxLength;         // the longest text a row's serial box takes
    int maxStepType;                // where stepping the controller type wraps
    TimingBandLook debounceBand;
    TimingBandLook refreshBand;
};

// The parts of a finished window a variant adds its own controls to and works with.
struct WindowParts {
    QWidget &window;
    EepromImage &image;
    SessionClient &session;
    SettingsBands &bands;
    DeviceTable &table;
    WindowHost &host;
};

// Where the configuration window of one module kind differs from the other's. There is one
// window; it shows its variant's look and asks the variant wherever the kinds behave apart.
class WindowVariant : public QObject {
    Q_OBJECT
public:
    [[nodiscard]] const WindowLook &look() const { return m_look; }

    // Adds the kind's own controls, once the shared ones exist and their handlers run. The
    // window calls it once, before anything else.
    virtual void addControls(const WindowParts &parts) = 0;
    // The window talks to the module through another session from now on; the kind's own
    // requests (if any) follow it.
    virtual void useSession(SessionClient &) {}
    // Shows the function column of every row from the image (relay functions, or the analog
    // limits).
    virtual void showRowFunctions() = 0;
    // The window has shown what the module holds, read anew: what the kind showed of the
    // module's state before no longer counts. An edit, an undo or a profile keeps it.
    virtual void moduleRead() {}
    virtual void functionCellClicked(int index) = 0;
    // The part of a control's help that depends on what the control shows; empty for none.
    [[nodiscard]] virtual QString helpState(const QString &control, int index) const = 0;
    // The kind's own entries of the File and Module menus; none at first.
    [[nodiscard]] virtual QList<QAction *> fileActions() const { return {}; }
    [[nodiscard]] virtual QList<QAction *> moduleActions() const { return {}; }

Q_SIGNALS:
    void helpTextChosen(const QString &text);
    // The kind's own fields that its checks reject now, named as the operator knows them.
    void fieldsChecked(const QStringList &invalid);
    // The kind's own tools change the settings: one edit named `what`, as a profile loaded.
    void editWanted(const tessel::EepromImage &settings, const QString &what);
    // A lasting note for the status line (a record under way); empty when there is none.
    void statusNote(const QString &text);

protected:
    explicit WindowVariant(WindowLook look) : m_look(std::move(look)) {}

private:
    WindowLook m_look;
};

// The Tessel module's variant; the Threshold module's is a room above
// (ui/threshold/ThresholdVariant.h), and the shell chooses between them by kind.
std::unique_ptr<WindowVariant> makeTesselVariant();

} // namespace tessel
