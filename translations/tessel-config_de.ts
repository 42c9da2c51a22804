<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tessel::AnalogPanel</name>
    <message>
        <source>DONE!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog                                   Lower      Upper </source>
        <extracomment>Column heads: words two or more spaces apart, each centred over its column.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input:    Limit Type:                Limit:       Limit:      </source>
        <extracomment>Column heads: words two or more spaces apart, each centred over its column.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate Relays wihen Limits are Reached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog input number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit type, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower limit, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper limit, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type 0 to 255, then press Enter or move the mouse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Bars Below to Read Individual Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read All A/D Inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Inputs Constantly</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::Application</name>
    <message>
        <source>No module answered on %1.

Check that the module has power, that its cable is plugged in at both ends, and that %1 is the port the cable is on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module on %1 reports the kind %2, which this program cannot configure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module on %1 is a %2, but this window is for a %3, so nothing was read from it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link test %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identifying the module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Another Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Reconnect tests the link again, on this port or another, and reads the module. Close leaves this window open without a module.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The window shows settings that the module did not hold when the line was lost. Keep them, to store them when you choose, or show what the module on %1 holds?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep My Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the Module&apos;s Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting to %1 was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing was being sent; the settings shown were kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store the changes into the module before closing?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Production profiles (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Profile As</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::BackupFolder</name>
    <message>
        <source>No backup of the module&apos;s memory could be saved: cannot write %1 (%2). Nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No backup of the module&apos;s memory could be saved: %1. Nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no folder for them was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it does not read back as written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::BackupsWindow</name>
    <message>
        <source>&amp;Compare with Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load into Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups of %1s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Differing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backups folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(not recorded)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No backups of %1s in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in %2, newest first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 backups</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ChangeMarks</name>
    <message>
        <source>changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed, %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ConfigWindow</name>
    <message>
        <source>&amp;Generate Production Profile for Quantity Purchases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read Settings from Controller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Store These Settings Into Controller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore to Factory &amp;Default Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Store the settings shown again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Nothing was sent. Store Anyway overwrites what the module holds now (a backup of it is saved first); Show the Module&apos;s Settings replaces the settings shown with it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the Module&apos;s Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Settings from Controller....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Storing Settings in Tessel Module....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module holds other values than were sent for: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was read; the settings shown were kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was stored, and no backup was made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrite all settings of this module with the factory settings?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the module&apos;s memory before the store....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The settings shown were kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ConnectingWindow</name>
    <message>
        <source>Connecting to %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What is being tried</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time waited for the module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waited %1 s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ControllerTypes</name>
    <message>
        <source>WD1x 1-Ch. Relay Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WD2x 2-Ch. Relay Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velqa 2-Ch. Relay Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velqa 4-Ch. Relay Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velqa %1-Ch. Relay Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessel Relay On/Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issue Toggle Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pulse Remote Relay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velqa Timer MMM:SSS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate Relay Above Limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate Relay Below Limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate Relay Outside Limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate Relay Inside Limits</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::DeviceInspection</name>
    <message>
        <source>a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a block device (a disk)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::DeviceTable</name>
    <message>
        <source>REMAPPED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> No controller type fits here: use fewer devices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &quot;%1&quot; (%2 input) fits here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> &quot;%1&quot; (%2 inputs) fits here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The controller type of device 1 needs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The controller types of devices 1 to %1 need</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 inputs, but the module has %3.%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure Communication to Multiple Destination Controllers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Assignment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAP Byte: (remapping)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device: Active: Serial: Controller Type: Function: Input Assignment: MAP Byte: (remapping)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>device %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous controller type for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next controller type for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input assignment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapping byte of </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapping byte, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Controller type, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial typed here is not %1 hexadecimal digits (0 to 9, A to F); the one shown before is kept until it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial of device %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mapping byte is not a number from 0 to 255.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mapping byte of device %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::DifferencesWindow</name>
    <message>
        <source>Show &amp;addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>differences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many settings differ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (correction)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; 1 is a correction the window made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; %1 are corrections the window made</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::FieldNames</name>
    <message>
        <source>row %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unused byte +%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial byte %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>controller type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>relay function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>input %1 limit type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lower limit of input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>upper limit of input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>address %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unused address %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mapping byte of row %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>base serial byte %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>device count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>capture speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>debounce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reaction interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>active mask (rows %1-%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mode byte</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::HelpTexts</name>
    <message>
        <source>Use this button to set this Tessel Device to Broadcast Mode.  This device will broadcast relay control commands to all devices within range.  Remote Device part numbers must have the same command set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Column Simply Displays the Numeric Order of Remote Relay Devices Assigned to this Tessel Module.  You Cannot Change this Value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Column Simply Displays the Numeric Order of Remote Relay Devices Assigned to this device.  You Cannot Change this Value.  This device can talk to as many as 16 different remote relay controllers depending on settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Column Can be Used to Enable/Disable Communications to a Particular Remote Relay Controller.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Column Stores the Last 4 Hex Values of a Remote Relay Controllers Serial Number.  Double-Click on Any Available Box to Set the Serial Number of the Device you Want the Tessel Module to Communicate with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the type of controller this device will be communicating with.  This setting is very important, because it changes the command set used to speak to the remote device.  This device is compatible with Velqa and WD1/WD2 Series controllers that share the same wireless interface technology. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Field Cannot be Changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This configuration program maps an Input to a remote relay Controller.  This function makes efficient assignments for the best use of inputs, and works best when controllers are grouped in multiples of 8.  For best results, group all 1, 2 and 4 channel controllers together so that they total 8 or less.  Once set, an Input on this device will correspond directly to a remote relay.  The ADVANCED FEATURES give you limited control over the assignment, but most applications will work well with the computed Input Assignment values.       </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This button returns your Tessel Device to factory default settings.  Factory settings will not recover communications to the device, but they give you a known-good data set that you can adapt to the devices in your local area.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-Way Communications is very fast and is the default setting for your controller.  Use the Busy/Ready LEDs to check communications.  If READY is lit all the time, even while communicating, the device is operating without errors.  If BUSY flashes occasionally, an error was detected and corrected.  If BUSY flashes consistently, there is trouble communicating with one or more remote devices.  If BUSY is on all the time, no remote device can be reached.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debounce sets the reaction time of the device.  An input may be left to stabilize before the controller reacts to it, and a longer debounce makes the controller react more slowly.  A value of 0 triggers special functions that increase communication speed.  A setting of 5 to 10 is good when a computer also controls the device.  A setting of 255 is suited to periodic input monitoring and makes the controller immune to quick pulses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This option gives you instant feedback as to the on/off status of the remote relay.  2-Way QM Port Confirmation requires a QM Series relay controller plugged into the QM expansion port of the Tessel device.  The device sets the remote relay, then asks the remote controller for the status of the relay and sends it to the QM port, so that a local relay follows the remote relay.  If there are communication errors or no answer, the local relay turns off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use this button to generate a data set that can be emailed to Orvane.  The data contain your configuration options and may be stored in as many controllers as you need.  The data can also help the manufacturer diagnose faults of your device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This button restores communication mode to default ZigBee Series 1 devices and allows communication to multiple controllers of multiple device types (default and recomended setting).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This option allows you to choose how many remote relay controllers this Tessel Device will communicate to.  Up to 16 1-Channel controllers are supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Rate determines the speed of communications between the Tessel Module and Remote Relay Controllers.  A value of 0 makes the module communicate constantly and as fast as possible, which is not recommended if a computer also talks to a relay controller.  A value of 1 to 5 is a good setting.  A value of 255 makes the module communicate only when an input changes.  Any value in between selects a Beacon Mode that sends periodic beacons, which is very helpful during installation, because the LEDs of the module show when a controller is out of range.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Mapping Byte is used to control how inputs are mapped to a particular controller.  You may experiment with these settings freely, but the best use of this field is to copy a value to another row.  To let two controllers share the same set of inputs, copy the mapping byte of the first controller to the second.  The same byte may be copied to all fields.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This button attempts to communicate with a remote Tessel Device and read all settings.  User interface will be updated to after loading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a 8 Digit HEX Value that corresponds with the last 8 HEX Values of your remote relay controller device.  Only the characters 0 to 9 and A to F can be stored.  Check the serial number if communication errors occur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a 4 Digit HEX Value that corresponds with the last 4 HEX Values of your remote relay controller device.  Only the characters 0 to 9 and A to F can be stored.  Check the serial number if communication errors occur.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This button stores your user interface settings into a remote Tessel Device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most users should always use calculated Mapping bytes.  The MAP byte controls how inputs are assigned to remote controllers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can set your own MAP byte values to use a single input or group of inputs to control multiple devices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is the actual value returned by the on-board Analog to Digital Converters.  The number follows the input voltage: 0 at 0 volts and 255 at 5 volts.  More than 5 volts on an analog input will damage the controller.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These Level Meters show you the current value of the Analog Inputs.  Click a meter to read that input at once.  With READ INPUTS CONSTANTLY checked, clicking a meter reads that one channel quickly and repeatedly.  Uncheck the box when finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For experimenters ONLY!  These settings will not damage the controller, but may adversely affect operation OR may cause very unpredictable behavior.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This number directly corresponds with an input number labeled on the circuit board.  Each input is limited to reading analog input voltages between 0 and 5VDC.  Exceeding these voltage levels will damage the controller.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the DONE! Button after you have set valid input ranges for all inputs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reactions are read as a group of 256 total reads across all A/D ports.  This value sets the delay between the reads within a group.  It is normally kept low: 0 is common and 0 to 10 is usual.  Raising it lengthens the reaction time, which some applications want.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reactions are read as a group of 256 total reads across all A/D ports.  The Reaction Interval is the delay between groups, so a value of 5 means 256 reads, a wait of 5 seconds, and then the next group.  Most users will want 1 or 2.  A value of 0 is fast, but makes a lot of radio traffic that can disturb other devices talking to the relay controllers.  Longer intervals let, for example, heaters stay on long enough to warm a room.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use this button to define limits that correspond to remote relay devices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check this box and click READ ALL A/D INPUTS to review analog inputs constantly.  With the box checked, clicking a level meter reads that single input constantly.  Uncheck the box when finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read All A/D Inputs.  This button reads the current values of the analog inputs, which helps you choose upper and lower limits.  With READ INPUTS CONSTANTLY checked, it reads them constantly until the box is unchecked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial number is used to control communications to individual controllers or broadcast to a group of controllers.  It is better to talk to individual controllers and keep the default serial number.  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a Relay Above the Preset Limit.  When the Analog Input Value reaches the Limit you have chosen, a Relay will activate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a Relay Below the Preset Limit.  When the Analog Input Value falls below the Limit you have chosen, a Relay will activate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a Relay Outside Limits.  Set Upper and Lower Limits.  If the Analog Input Value is above or Below the Limits you have chosen, a Relay will activate.   Otherwise, a Relay will turn off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a Relay Inside Limits.  Set Upper and Lower Limits.  If the Analog Input Value is between the Limits you have chosen, a Relay will activate.  Otherwise, a Relay will turn off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY ABOVE LIMIT option.  Enter a value from 0 to 255 to switch a relay on when the input reaches the limit, as for an air conditioning system.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY BELOW LIMIT option.  Enter a value from 0 to 255 to switch a relay on when the input falls below the limit, as for a heating system.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY OUTSIDE LIMITS option.  Enter a lower and an upper limit from 0 to 255, with the lower limit below the upper limit and at least one value between them.  The relay is on up to the lower limit, off between the limits, and on above the upper limit.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY INSIDE LIMITS option.  Enter a lower and an upper limit from 0 to 255, with the lower limit below the upper limit and at least one value between them.  The relay is on while the input lies between the limits, and off otherwise.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HELP Information will be displayed in this box.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::InputAssignment</name>
    <message>
        <source>Bank: %1  Input:%2</source>
        <extracomment>The input assignment column: bank (or banks) %1, input (or inputs) %2.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::LimitCheck</name>
    <message>
        <source>Limits are too close together.  Please Separate Limits with at least 1 value in between.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower Limit Cannot Be Higher the Upper Limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value Cannot be Less than 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value Cannot be Above 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device will Respond to a Reaction in About 6 Seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device will Reponds to a Reaction in About%1 Seconds.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ModuleLink</name>
    <message>
        <source>The transfer was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module stopped answering for %1 s: it was taken out or lost its power.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel was pressed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ModuleSession</name>
    <message>
        <source>No module has been identified; nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module reports the unknown kind %1; nothing was stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was stored: correct %1 first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module answers, but every reply is out of step: %1 link %2 answered with %3 instead of 88, even with the line realigned after each. Check the cable and its plugs, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>test was</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tests were</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No module answered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The line is unreliable: the module&apos;s identification came back different each of the %1 times it was asked. Check the cable and its plugs, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module answered the link test but not the identification%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing was sent, and no backup was made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The read-back was not started: a stop was asked for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module&apos;s memory could not be read for its backup, so nothing was stored. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module&apos;s memory changed since it was read: %1.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verification failed: %1 of %2 addresses differ after the store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The line turned a command into the start of a block store, and the module confirmed that store when it was ended with bytes that start no command. Its block number was 255, which names no block, so no block should have changed; read the module again to be sure.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::OpenFailure</name>
    <message>
        <source> (process %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1, process %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: permission denied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Only the owner of %1 may open it; ask the administrator to give it to the dialout group.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> You belong to the group %1, which owns the device, but this login started before you were added: log out and in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Your user must belong to the group %1, which owns the device: sudo usermod -aG %1 $USER, then log out and in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no serial port behind it: the system keeps the name, but no hardware answers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::PointerHelp</name>
    <message>
        <source>Why it is red: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::PortChooser</name>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB vendor:product</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Com Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the system knows of the port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not among the ports present.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::PortFactsText</name>
    <message>
        <source>serial %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial ports are present.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ports present: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::PortSetting</name>
    <message>
        <source>it is there, but not as a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the port setting file %1 could not be written in the working directory %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no folder is known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port is remembered in %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be written in %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, nor in %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port could not be remembered: %1. %2 is used for this run; choose it again next time.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ProfileActions</name>
    <message>
        <source>&amp;Open Profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Profile As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compare with Profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. The window&apos;s settings were not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This profile changes %1 of this module. Load it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This profile looks like a %1&apos;s; this window is a %2&apos;s. It changes %3. Load it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These settings are not valid: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These entries do not fit in a byte: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The profile was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile saved to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>profile</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ProfileText</name>
    <message>
        <source>record %1, value %2: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1: missing, a profile holds %2 records, found %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1: expected &quot;DATA&quot;, found %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing, a record holds %1 values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected &quot;,&quot; before %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected %1, a record holds %2 values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1: unexpected %2 after the last of %3 records</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::ReportWindow</name>
    <message>
        <source>Generate Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Production profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the data shown above and e-mail it to support@tessel-config.example.com if you need several pre-configured copies of the same Tessel Module. Our staff can pre-configure any quantity with the settings you have chosen.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the profile to a file (Ctrl+Shift+S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Profile As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Production profiles (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The profile was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SerialChannel</name>
    <message>
        <source>No port was chosen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection on %1 was lost: the device disappeared or stopped working.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SessionClient</name>
    <message>
        <source>The transfer was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No line to a module is open; this %1 was not started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module is busy and another transfer already waits for it; this %1 was not started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transfer before this %1 was stopped; it was not started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SessionJob</name>
    <message>
        <source>identification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading of the inputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SettingChanges</name>
    <message>
        <source>Address %1 (not shown)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device %1 serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device %1 relay function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit type of input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower limit of input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper limit of input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device %1 controller type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-Way Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-Way QM Port Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1-Way Communication (faster)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3 (no such mode)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lite commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapping bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remap to Custom Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Calculated Mapping Bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forced delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode byte bits 5 to 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capture speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debounce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reaction interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device %1 active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapping byte of device %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (correction)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no differences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 differs (%2 of %3 addresses)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 differ (%2 of %3 addresses)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SettingsBands</name>
    <message>
        <source>&lt;----- HIDE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced Features -----&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 1: Base Serial Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base serial number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Broadcast to All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 2:  How Many Different Relay Controllers will this Tessel Talk To?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operational Modes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-Way Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-Way QM Port Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1-Way Communication (faster)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Process Velqa Lite Commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force Velqa Delay (compatibility)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mapping Byte:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Calculated Mapping Bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remap to Custom Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The base serial is not %1 hexadecimal digits (0 to 9, A to F); the one shown before is kept until it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>base serial number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SettingsCheck</name>
    <message>
        <source>controller type of device %1 (beyond the module&apos;s %2 inputs)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lower limit of input %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>upper limit of input %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SettingsTransfer</name>
    <message>
        <source>Reading block %1 of the module&apos;s memory failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The line is unreliable: block %1 came back different each of the %2 times it was read. Check the cable and its plugs, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The line is unreliable: blocks %1 came back different each of the %2 times it was read. Check the cable and its plugs, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was stored: these entries do not fit in one byte (0 to 255): %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store was stopped before block %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SimulatedChannel</name>
    <message>
        <source>The connection to the simulated module was lost.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::SplashWindow</name>
    <message>
        <source>Configuration of Tessel and Threshold radio input modules
Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::StartupWindow</name>
    <message>
        <source>ZigBee Tessel Communications</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::StoreHiddenLine</name>
    <message>
        <source>Store returns when the transfer under way ends.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not stored until corrected: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Why the store button is hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Correct these to store: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::StoreReport</name>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>addresses %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blocks %1 to %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> holds </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> hold </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No block holds the new settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> may hold the old or the new settings: its store was not confirmed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the old settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>neither the old nor the new settings: the line changed what was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>other values than the new settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No backup of the module&apos;s memory was saved before the store.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the store again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run the store again, or restore the backup with: tessel-config write --port %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module did not confirm the store of %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store stopped at %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read again after the store:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new settings: each was confirmed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> was in flight: it may hold the old or the new settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> was not sent; it could not be read again because the module left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> were not sent; they could not be read again because the module left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No restore command is given: the module has left the port, and the next one there is another module.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store was stopped before its first block, as asked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store was stopped after block %1, as asked; every block sent was confirmed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every block was confirmed, but the module holds other values than were stored at addresses %1 (blocks %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store itself completed: all %1 blocks were stored and each was confirmed by the module.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verification could not be done: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the module to compare; should that fail too, check the connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module&apos;s memory before the store is saved in %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::TcpChannel</name>
    <message>
        <source>Could not connect to %1: the host did not answer within %2 s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the connection was refused. Is the device server on and is this its port?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no host of that name is known.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no route to the host (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the connection timed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the device server closed the connection as it was made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not connect to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the connection was reset (the device server restarted, or the network between dropped it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the device server closed it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no route to the host any more (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the connection timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to %1 was lost: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::TransferSummary</name>
    <message>
        <source>Read at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read %1 at %2; the settings shown were kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped at %1 before its first block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped at %1: blocks 0 to %2 new, %3 to %4 old</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stored at %1, but %2 addresses differ on reading back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stored at %1, not verified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not started at %1: the module&apos;s memory changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failed at %1 at block %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2; nothing was sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Identified at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not identified at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factory settings stored and verified at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored and verified at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored and verified at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factory reset </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; backup </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::WindowDesk</name>
    <message>
        <source>%1 not valid: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> not stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 correction the next store writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 corrections the next store writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings that differ from the module&apos;s memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;view Changes...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The module holds this backup already. Store it again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restoring this backup changes %1 of the module:
%2

A backup of what the module holds now is saved first. Restore it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next store</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::WindowMenus</name>
    <message>
        <source>Tab and Shift+Tab	move through the controls in reading order
Space or Enter	clicks the cell or button with the focus (Active, Serial, &quot;&lt;&quot;, &quot;&gt;&quot;)
Left, Down / Right, Up	lower / raise the setting bar with the focus
Alt+R, Alt+S, Alt+G	read, store, production profile
Alt+D	restore the factory settings (with the advanced area open)
Escape	closes a question with the answer that loses nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Port names.&lt;/b&gt; &lt;tt&gt;COMn&lt;/tt&gt; keeps its old meaning (on Linux &lt;tt&gt;/dev/ttyS(n-1)&lt;/tt&gt;); any other name is a device name as listed (&lt;tt&gt;ttyUSB0&lt;/tt&gt; is &lt;tt&gt;/dev/ttyUSB0&lt;/tt&gt;), a full path, or &lt;tt&gt;tcp://HOST:PORT&lt;/tt&gt; for a serial device server. &lt;tt&gt;--port NAME&lt;/tt&gt; skips the choice and does not remember it.&lt;/p&gt;&lt;p&gt;&lt;b&gt;The chosen port&lt;/b&gt; is remembered in &lt;tt&gt;tessel.cfg&lt;/tt&gt; in the working directory, or in &lt;tt&gt;~/.config/tessel-config/tessel.cfg&lt;/tt&gt; where that cannot be written.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Permission.&lt;/b&gt; On Linux your user must belong to the group that owns the device, usually &lt;tt&gt;dialout&lt;/tt&gt;; log in again after joining it.&lt;/p&gt;&lt;p&gt;&lt;b&gt;The line&lt;/b&gt; runs at 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control. Every store first reads the module&apos;s memory and saves it as a backup.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On a &amp;Real Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On a Real Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About tessel-config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About tessel-config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;tessel-config %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Configures Tessel and Threshold radio input modules over a serial port.&lt;/p&gt;&lt;p&gt;Help: point at any control, or move to it with Tab, and the box at the bottom left of the window explains it. On the command line, &lt;tt&gt;tessel-config --help&lt;/tt&gt; lists the commands.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Wire &amp;Trace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Wire Trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::WindowStatusLine</name>
    <message>
        <source>Port of the module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No transfer yet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessel::WindowVariant</name>
    <message>
        <source>ZigBee Tessel Module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Function:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 3: Configure Debounce Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debounce:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debounce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 4: Configure Refresh Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay Limiter Functions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZigBee Threshold Sensor Monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limits:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 3: Capture Speed (Lower is Faster)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capture speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 4: Reaction Interval (Lower is Faster, Value in Seconds)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reaction interval in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Limits of Inputs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
