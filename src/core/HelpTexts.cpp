// SPDX-License-Identifier: Apache-2.0
#include "core/HelpTexts.h"

#include "core/ControllerTypes.h"
#include "core/MemoryMap.h"

#include <QCoreApplication>

namespace tessel {

namespace {

// The windows show the texts translated in this context.
const char *const kContext = "tessel::HelpTexts";

// Every help text of both windows, numbered from 1. Several are shared by the two windows.
// The spacing inside and at the end of the texts is as the operators have always seen it.
const char *const kTexts[kHelpTextCount] = {
    /*  1 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Use this button to set this Tessel Device to Broadcast Mode.  This device will "
        "broadcast relay control commands to all devices within range.  Remote Device part "
        "numbers must have the same command set."),
    /*  2 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This Column Simply Displays the Numeric Order of Remote Relay Devices Assigned to "
        "this Tessel Module.  You Cannot Change this Value."),
    /*  3 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This Column Simply Displays the Numeric Order of Remote Relay Devices Assigned to "
        "this device.  You Cannot Change this Value.  This device can talk to as many as 16 "
        "different remote relay controllers depending on settings."),
    /*  4 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This Column Can be Used to Enable/Disable Communications to a Particular Remote "
        "Relay Controller."),
    /*  5 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This Column Stores the Last 4 Hex Values of a Remote Relay Controllers Serial "
        "Number.  Double-Click on Any Available Box to Set the Serial Number of the Device "
        "you Want the Tessel Module to Communicate with."),
    /*  6 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Choose the type of controller this device will be communicating with.  This setting "
        "is very important, because it changes the command set used to speak to the remote "
        "device.  This device is compatible with Velqa and WD1/WD2 Series controllers that "
        "share the same wireless interface technology. "),
    /*  7 */
    QT_TRANSLATE_NOOP("tessel::HelpTexts", "This Field Cannot be Changed."),
    /*  8 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This configuration program maps an Input to a remote relay Controller.  This "
        "function makes efficient assignments for the best use of inputs, and works best "
        "when controllers are grouped in multiples of 8.  For best results, group all 1, 2 "
        "and 4 channel controllers together so that they total 8 or less.  Once set, an "
        "Input on this device will correspond directly to a remote relay.  The ADVANCED "
        "FEATURES give you limited control over the assignment, but most applications will "
        "work well with the computed Input Assignment values.       "),
    /*  9 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This button returns your Tessel Device to factory default settings.  Factory "
        "settings will not recover communications to the device, but they give you a "
        "known-good data set that you can adapt to the devices in your local area."),
    /* 10 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "2-Way Communications is very fast and is the default setting for your controller.  "
        "Use the Busy/Ready LEDs to check communications.  If READY is lit all the time, "
        "even while communicating, the device is operating without errors.  If BUSY flashes "
        "occasionally, an error was detected and corrected.  If BUSY flashes consistently, "
        "there is trouble communicating with one or more remote devices.  If BUSY is on all "
        "the time, no remote device can be reached."),
    /* 11 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Debounce sets the reaction time of the device.  An input may be left to stabilize "
        "before the controller reacts to it, and a longer debounce makes the controller "
        "react more slowly.  A value of 0 triggers special functions that increase "
        "communication speed.  A setting of 5 to 10 is good when a computer also controls "
        "the device.  A setting of 255 is suited to periodic input monitoring and makes the "
        "controller immune to quick pulses."),
    /* 12 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This option gives you instant feedback as to the on/off status of the remote relay. "
        " 2-Way QM Port Confirmation requires a QM Series relay controller plugged into the "
        "QM expansion port of the Tessel device.  The device sets the remote relay, then "
        "asks the remote controller for the status of the relay and sends it to the QM port, "
        "so that a local relay follows the remote relay.  If there are communication errors "
        "or no answer, the local relay turns off."),
    /* 13 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Use this button to generate a data set that can be emailed to Orvane.  The data "
        "contain your configuration options and may be stored in as many controllers as you "
        "need.  The data can also help the manufacturer diagnose faults of your device."),
    /* 14 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This button restores communication mode to default ZigBee Series 1 devices and "
        "allows communication to multiple controllers of multiple device types (default and "
        "recomended setting)."),
    /* 15 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This option allows you to choose how many remote relay controllers this Tessel "
        "Device will communicate to.  Up to 16 1-Channel controllers are supported"),
    /* 16 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Refresh Rate determines the speed of communications between the Tessel Module and "
        "Remote Relay Controllers.  A value of 0 makes the module communicate constantly and "
        "as fast as possible, which is not recommended if a computer also talks to a relay "
        "controller.  A value of 1 to 5 is a good setting.  A value of 255 makes the module "
        "communicate only when an input changes.  Any value in between selects a Beacon Mode "
        "that sends periodic beacons, which is very helpful during installation, because the "
        "LEDs of the module show when a controller is out of range."),
    /* 17 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "The Mapping Byte is used to control how inputs are mapped to a particular "
        "controller.  You may experiment with these settings freely, but the best use of "
        "this field is to copy a value to another row.  To let two controllers share the "
        "same set of inputs, copy the mapping byte of the first controller to the second.  "
        "The same byte may be copied to all fields."),
    /* 18 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This button attempts to communicate with a remote Tessel Device and read all "
        "settings.  User interface will be updated to after loading."),
    /* 19 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Enter a 8 Digit HEX Value that corresponds with the last 8 HEX Values of your "
        "remote relay controller device.  Only the characters 0 to 9 and A to F can be "
        "stored.  Check the serial number if communication errors occur."),
    /* 20 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Enter a 4 Digit HEX Value that corresponds with the last 4 HEX Values of your "
        "remote relay controller device.  Only the characters 0 to 9 and A to F can be "
        "stored.  Check the serial number if communication errors occur."),
    /* 21 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This button stores your user interface settings into a remote Tessel Device."),
    /* 22 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Most users should always use calculated Mapping bytes.  The MAP byte controls how "
        "inputs are assigned to remote controllers."),
    /* 23 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "You can set your own MAP byte values to use a single input or group of inputs to "
        "control multiple devices."),
    /* 24 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This is the actual value returned by the on-board Analog to Digital Converters.  "
        "The number follows the input voltage: 0 at 0 volts and 255 at 5 volts.  More than 5 "
        "volts on an analog input will damage the controller."),
    /* 25 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "These Level Meters show you the current value of the Analog Inputs.  Click a meter "
        "to read that input at once.  With READ INPUTS CONSTANTLY checked, clicking a meter "
        "reads that one channel quickly and repeatedly.  Uncheck the box when finished."),
    /* 26 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "For experimenters ONLY!  These settings will not damage the controller, but may "
        "adversely affect operation OR may cause very unpredictable behavior."),
    /* 27 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "This number directly corresponds with an input number labeled on the circuit board. "
        " Each input is limited to reading analog input voltages between 0 and 5VDC.  "
        "Exceeding these voltage levels will damage the controller."),
    /* 28 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Click the DONE! Button after you have set valid input ranges for all inputs."),
    /* 29 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Reactions are read as a group of 256 total reads across all A/D ports.  This value "
        "sets the delay between the reads within a group.  It is normally kept low: 0 is "
        "common and 0 to 10 is usual.  Raising it lengthens the reaction time, which some "
        "applications want."),
    /* 30 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Reactions are read as a group of 256 total reads across all A/D ports.  The "
        "Reaction Interval is the delay between groups, so a value of 5 means 256 reads, a "
        "wait of 5 seconds, and then the next group.  Most users will want 1 or 2.  A value "
        "of 0 is fast, but makes a lot of radio traffic that can disturb other devices "
        "talking to the relay controllers.  Longer intervals let, for example, heaters stay "
        "on long enough to warm a room."),
    /* 31 */
    QT_TRANSLATE_NOOP("tessel::HelpTexts",
                      "Use this button to define limits that correspond to remote relay devices."),
    /* 32 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Check this box and click READ ALL A/D INPUTS to review analog inputs constantly.  "
        "With the box checked, clicking a level meter reads that single input constantly.  "
        "Uncheck the box when finished."),
    /* 33 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Read All A/D Inputs.  This button reads the current values of the analog inputs, "
        "which helps you choose upper and lower limits.  With READ INPUTS CONSTANTLY "
        "checked, it reads them constantly until the box is unchecked."),
    /* 34 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "The serial number is used to control communications to individual controllers or "
        "broadcast to a group of controllers.  It is better to talk to individual "
        "controllers and keep the default serial number.  "),
    /* 35 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Activate a Relay Above the Preset Limit.  When the Analog Input Value reaches the "
        "Limit you have chosen, a Relay will activate."),
    /* 36 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Activate a Relay Below the Preset Limit.  When the Analog Input Value falls below "
        "the Limit you have chosen, a Relay will activate."),
    /* 37 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Activate a Relay Outside Limits.  Set Upper and Lower Limits.  If the Analog Input "
        "Value is above or Below the Limits you have chosen, a Relay will activate.   "
        "Otherwise, a Relay will turn off."),
    /* 38 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "Activate a Relay Inside Limits.  Set Upper and Lower Limits.  If the Analog Input "
        "Value is between the Limits you have chosen, a Relay will activate.  Otherwise, a "
        "Relay will turn off."),
    /* 39 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "When an analog sensor is read, a value will assigned from 0 to 255 that directly "
        "corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY "
        "ABOVE LIMIT option.  Enter a value from 0 to 255 to switch a relay on when the "
        "input reaches the limit, as for an air conditioning system.  Move your mouse to "
        "complete the entry.  The field stays red while the value is invalid.  Only numbers "
        "from 0 to 255 can be stored: no negative numbers or letters."),
    /* 40 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "When an analog sensor is read, a value will assigned from 0 to 255 that directly "
        "corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY "
        "BELOW LIMIT option.  Enter a value from 0 to 255 to switch a relay on when the "
        "input falls below the limit, as for a heating system.  Move your mouse to complete "
        "the entry.  The field stays red while the value is invalid.  Only numbers from 0 to "
        "255 can be stored: no negative numbers or letters."),
    /* 41 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "When an analog sensor is read, a value will assigned from 0 to 255 that directly "
        "corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY "
        "OUTSIDE LIMITS option.  Enter a lower and an upper limit from 0 to 255, with the "
        "lower limit below the upper limit and at least one value between them.  The relay "
        "is on up to the lower limit, off between the limits, and on above the upper limit.  "
        "Move your mouse to complete the entry.  The field stays red while the value is "
        "invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters."),
    /* 42 */
    QT_TRANSLATE_NOOP(
        "tessel::HelpTexts",
        "When an analog sensor is read, a value will assigned from 0 to 255 that directly "
        "corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY "
        "INSIDE LIMITS option.  Enter a lower and an upper limit from 0 to 255, with the "
        "lower limit below the upper limit and at least one value between them.  The relay "
        "is on while the input lies between the limits, and off otherwise.  Move your mouse "
        "to complete the entry.  The field stays red while the value is invalid.  Only "
        "numbers from 0 to 255 can be stored: no negative numbers or letters."),
};

// The texts by what they explain, in the order of kTexts.
enum TextNumber : int {
    kBroadcastToAll = 1,
    kTesselDeviceNumber,
    kThresholdDeviceNumber,
    kActive,
    kRowSerial,
    kControllerType,
    kFunction,
    kInputAssignment,
    kFactorySettings,
    kTwoWayMode,
    kDebounce,
    kFeedbackMode,
    kProductionProfile,
    kDefaultSerial,
    kDeviceCount,
    kRefresh,
    kMappingByte,
    kReadSettings,
    kTesselSerialEditor,
    kThresholdSerialEditor,
    kStoreSettings,
    kCalculatedMapping,
    kOwnMapping,
    kLevel,
    kLevelMeter,
    kAdvancedFeatures,
    kAnalogInput,
    kLimitsDone,
    kThresholdDebounce,
    kThresholdRefresh,
    kSetLimits,
    kReadConstantly,
    kReadAllInputs,
    kThresholdBaseSerial,
    kFirstLimitType,                        // ..+3: the four limit types
    kFirstLimitEntry = kFirstLimitType + 4, // ..+3: typing the limits of each type
};
static_assert(kFirstLimitEntry + 3 == kHelpTextCount);

enum class Windows { Both, TesselOnly, ThresholdOnly };

// A control whose help text does not depend on the window's state.
struct FixedHelp {
    const char *control;
    Windows windows;
    TextNumber text;
    bool endsEditing;
};

// Where the two windows differ, the control appears twice, once per window.
constexpr FixedHelp kFixedHelp[] = {
    {"broadcastToAll", Windows::Both, kBroadcastToAll, false},
    {"deviceNumber", Windows::TesselOnly, kTesselDeviceNumber, true},
    {"deviceNumber", Windows::ThresholdOnly, kThresholdDeviceNumber, true},
    {"active", Windows::Both, kActive, true},
    {"serial", Windows::Both, kRowSerial, true},
    {"controllerType", Windows::Both, kControllerType, false},
    {"function", Windows::Both, kFunction, true},
    {"inputAssignment", Windows::Both, kInputAssignment, true},
    {"restoreFactorySettings", Windows::Both, kFactorySettings, false},
    {"productionProfile", Windows::Both, kProductionProfile, false},
    {"restoreDefaultSerial", Windows::Both, kDefaultSerial, false},
    {"deviceCountBand", Windows::Both, kDeviceCount, false},
    {"debounceBand", Windows::TesselOnly, kDebounce, true},
    {"debounceBand", Windows::ThresholdOnly, kThresholdDebounce, true},
    {"refreshBand", Windows::TesselOnly, kRefresh, true},
    {"refreshBand", Windows::ThresholdOnly, kThresholdRefresh, true},
    {"readSettings", Windows::Both, kReadSettings, false},
    {"serialEditor", Windows::TesselOnly, kTesselSerialEditor, false},
    {"serialEditor", Windows::ThresholdOnly, kThresholdSerialEditor, false},
    {"storeSettings", Windows::Both, kStoreSettings, false},
    {"level", Windows::ThresholdOnly, kLevel, false},
    {"levelMeter", Windows::ThresholdOnly, kLevelMeter, false},
    {"advancedFeatures", Windows::ThresholdOnly, kAdvancedFeatures, false},
    {"analogInput", Windows::ThresholdOnly, kAnalogInput, false},
    {"limitsDone", Windows::ThresholdOnly, kLimitsDone, false},
    {"setLimits", Windows::ThresholdOnly, kSetLimits, false},
    {"readConstantly", Windows::ThresholdOnly, kReadConstantly, false},
    {"readAllInputs", Windows::ThresholdOnly, kReadAllInputs, false},
    {"baseSerial", Windows::ThresholdOnly, kThresholdBaseSerial, false},
};

bool appliesTo(Windows windows, ModuleKind window) {
    switch (windows) {
    case Windows::Both:
        return true;
    case Windows::TesselOnly:
        return window == ModuleKind::Tessel;
    case Windows::ThresholdOnly:
        return window != ModuleKind::Tessel;
    }
    return false;
}

HelpEntry textEntry(int number, bool endsEditing = false) {
    return {helpText(number), endsEditing, false};
}

// The window's background and the help box itself only end serial editing.
bool isBackground(const QString &control) {
    return control.isEmpty() || control == QLatin1String("form") ||
           control == QLatin1String("help") || control == QLatin1String("tesselWindow") ||
           control == QLatin1String("thresholdWindow");
}

} // namespace

QString initialHelpText() {
    return QCoreApplication::translate("tessel::HelpTexts",
                                       "HELP Information will be displayed in this box.");
}

QString helpText(int number) {
    if (number < 1 || number > kHelpTextCount)
        return {};
    return QCoreApplication::translate(kContext, kTexts[number - 1]);
}

QString limitTypeHelp(const QString &caption) {
    const std::optional<int> type = limitTypeIndex(caption);
    return type ? helpText(kFirstLimitType + *type) : QString();
}

int analogInputOfLimitBox(int limitBoxIndex) {
    if (limitBoxIndex < 0 || limitBoxIndex >= 2 * map::kAnalogInputs)
        return -1;
    return limitBoxIndex % map::kAnalogInputs;
}

HelpEntry helpFor(ModuleKind window, const QString &control, int index,
                  const QString &limitTypeCaption) {
    if (isBackground(control))
        return {std::nullopt, true, false};

    for (const FixedHelp &help : kFixedHelp) {
        if (control == QLatin1String(help.control) && appliesTo(help.windows, window))
            return textEntry(help.text, help.endsEditing);
    }

    if (control == QLatin1String("commMode")) {
        // The faster one-way mode has no explanation of its own.
        if (index == 0)
            return textEntry(kTwoWayMode);
        if (index == 1)
            return textEntry(kFeedbackMode);
        return {};
    }
    if (control == QLatin1String("mappingMode")) {
        if (index == 0)
            return textEntry(kCalculatedMapping);
        if (index == 1)
            return textEntry(kOwnMapping);
        return {};
    }
    if (control == QLatin1String("mappingByte"))
        return {helpText(kMappingByte), false, true};

    if (window == ModuleKind::Tessel)
        return {};
    const std::optional<int> type = limitTypeIndex(limitTypeCaption);
    if (control == QLatin1String("limitType") && type)
        return textEntry(kFirstLimitType + *type);
    if (control == QLatin1String("limitEditor") && type && analogInputOfLimitBox(index) >= 0)
        return textEntry(kFirstLimitEntry + *type);
    return {};
}

HelpEntry helpForDragOver(ModuleKind window, const QString &control) {
    Q_UNUSED(window);
    if (control == QLatin1String("settingValue"))
        return textEntry(kDebounce);
    return {};
}

HelpEntry helpForDrop(ModuleKind window, const QString &control) {
    Q_UNUSED(window);
    if (control == QLatin1String("baseSerialBand") || control == QLatin1String("deviceCountBand"))
        return {std::nullopt, true, false};
    return {};
}

} // namespace tessel
