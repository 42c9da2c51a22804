<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tessel::AnalogPanel</name>
    <message>
        <source>DONE!</source>
        <translation>FERTIG!</translation>
    </message>
    <message>
        <source>Analog                                   Lower      Upper </source>
        <extracomment>Column heads: words two or more spaces apart, each centred over its column.</extracomment>
        <translation>Analog-                                  Unterer    Oberer </translation>
    </message>
    <message>
        <source>Input:    Limit Type:                Limit:       Limit:      </source>
        <extracomment>Column heads: words two or more spaces apart, each centred over its column.</extracomment>
        <translation>Eingang:  Grenzwerttyp:              Wert:        Wert:       </translation>
    </message>
    <message>
        <source>Activate Relays wihen Limits are Reached</source>
        <translation>Relais schalten, wenn Grenzwerte erreicht werden</translation>
    </message>
    <message>
        <source>input %1</source>
        <translation>Eingang %1</translation>
    </message>
    <message>
        <source>Analog input number</source>
        <translation>Nummer des Analogeingangs</translation>
    </message>
    <message>
        <source>Limit type, </source>
        <translation>Grenzwerttyp, </translation>
    </message>
    <message>
        <source>Lower limit, </source>
        <translation>Unterer Grenzwert, </translation>
    </message>
    <message>
        <source>Upper limit, </source>
        <translation>Oberer Grenzwert, </translation>
    </message>
    <message>
        <source>Type 0 to 255, then press Enter or move the mouse</source>
        <translation>0 bis 255 eingeben, dann Eingabetaste drücken oder die Maus bewegen</translation>
    </message>
    <message>
        <source>Level, </source>
        <translation>Pegel, </translation>
    </message>
    <message>
        <source>Reading, </source>
        <translation>Messwert, </translation>
    </message>
    <message>
        <source>Click Bars Below to Read Individual Inputs</source>
        <translation>Balken anklicken, um einzelne Eingänge zu lesen</translation>
    </message>
    <message>
        <source>Read All A/D Inputs</source>
        <translation>Alle A/D-Eingänge lesen</translation>
    </message>
    <message>
        <source>Read Inputs Constantly</source>
        <translation>Eingänge ständig lesen</translation>
    </message>
    <message>
        <source>Trend...</source>
        <translation>Verlauf...</translation>
    </message>
    <message>
        <source>Levels Over Time</source>
        <translation>Pegel über die Zeit</translation>
    </message>
</context>
<context>
    <name>tessel::Application</name>
    <message>
        <source>No module answered on %1.

Check that the module has power, that its cable is plugged in at both ends, and that %1 is the port the cable is on.</source>
        <translation>An %1 hat kein Modul geantwortet.

Prüfen Sie, ob das Modul Strom hat, ob sein Kabel an beiden Enden steckt und ob das Kabel an %1 angeschlossen ist.</translation>
    </message>
    <message>
        <source>The module on %1 reports the kind %2, which this program cannot configure.</source>
        <translation>Das Modul an %1 meldet die Art %2, die dieses Programm nicht konfigurieren kann.</translation>
    </message>
    <message>
        <source>The module on %1 is a %2, but this window is for a %3, so nothing was read from it.</source>
        <translation>Das Modul an %1 ist ein %2, dieses Fenster ist aber für ein %3; es wurde nichts von ihm gelesen.</translation>
    </message>
    <message>
        <source>Link test %1 of %2</source>
        <translation>Verbindungstest %1 von %2</translation>
    </message>
    <message>
        <source>Identifying the module</source>
        <translation>Modul wird erkannt</translation>
    </message>
    <message>
        <source>Choose Another Port</source>
        <translation>Anderen Port wählen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>

Reconnect tests the link again, on this port or another, and reads the module. Close leaves this window open without a module.</source>
        <translation>

Neu verbinden testet die Verbindung erneut, an diesem oder einem anderen Port, und liest das Modul. Schließen lässt dieses Fenster ohne Modul offen.</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Neu verbinden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The window shows settings that the module did not hold when the line was lost. Keep them, to store them when you choose, or show what the module on %1 holds?</source>
        <translation>Das Fenster zeigt Einstellungen, die das Modul beim Verlust der Leitung nicht enthielt. Behalten, um sie später zu schreiben, oder anzeigen, was das Modul an %1 enthält?</translation>
    </message>
    <message>
        <source>Keep My Settings</source>
        <translation>Meine Einstellungen behalten</translation>
    </message>
    <message>
        <source>Show the Module&apos;s Settings</source>
        <translation>Einstellungen des Moduls zeigen</translation>
    </message>
    <message>
        <source>Connecting to %1 was cancelled.</source>
        <translation>Das Verbinden mit %1 wurde abgebrochen.</translation>
    </message>
    <message>
        <source> Nothing was being sent; the settings shown were kept.</source>
        <translation> Es wurde nichts gesendet; die angezeigten Einstellungen bleiben erhalten.</translation>
    </message>
    <message>
        <source>Store the changes into the module before closing?</source>
        <translation>Die Änderungen vor dem Schließen in das Modul schreiben?</translation>
    </message>
    <message>
        <source>&amp;Store</source>
        <translation>&amp;Schreiben</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Production profiles (*.txt);;All files (*)</source>
        <translation>Produktionsprofile (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open Profile</source>
        <translation>Profil öffnen</translation>
    </message>
    <message>
        <source>Compare with Profile</source>
        <translation>Mit Profil vergleichen</translation>
    </message>
    <message>
        <source>Save Profile As</source>
        <translation>Profil speichern unter</translation>
    </message>
    <message>
        <source>Levels (*.csv);;All files (*)</source>
        <translation>Pegel (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Record Levels</source>
        <translation>Pegel aufzeichnen</translation>
    </message>
</context>
<context>
    <name>tessel::BackupFolder</name>
    <message>
        <source>No backup of the module&apos;s memory could be saved: cannot write %1 (%2). Nothing was stored.</source>
        <translation>Vom Speicher des Moduls konnte keine Sicherung gespeichert werden: %1 kann nicht geschrieben werden (%2). Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>No backup of the module&apos;s memory could be saved: %1. Nothing was stored.</source>
        <translation>Vom Speicher des Moduls konnte keine Sicherung gespeichert werden: %1. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>no folder for them was given</source>
        <translation>es wurde kein Ordner dafür angegeben</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>it does not read back as written</source>
        <translation>sie liest sich nicht so zurück, wie sie geschrieben wurde</translation>
    </message>
</context>
<context>
    <name>tessel::BackupsWindow</name>
    <message>
        <source>&amp;Compare with Window</source>
        <translation>Mit Fenster &amp;vergleichen</translation>
    </message>
    <message>
        <source>&amp;Load into Window</source>
        <translation>In Fenster &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Restore...</source>
        <translation>&amp;Wiederherstellen...</translation>
    </message>
    <message>
        <source>Backups of %1s</source>
        <translation>Sicherungen (%1)</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>Sicherungen</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Zeitpunkt</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Modul</translation>
    </message>
    <message>
        <source>Differing</source>
        <translation>Abweichend</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>The backups folder</source>
        <translation>Der Ordner der Sicherungen</translation>
    </message>
    <message>
        <source>Open &amp;Folder</source>
        <translation>&amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>(not recorded)</source>
        <translation>(nicht erfasst)</translation>
    </message>
    <message>
        <source>No backups of %1s in %2.</source>
        <translation>Keine Sicherungen (%1) in %2.</translation>
    </message>
    <message>
        <source>%1 in %2, newest first.</source>
        <translation>%1 in %2, neueste zuerst.</translation>
    </message>
    <message>
        <source>One backup</source>
        <translation>Eine Sicherung</translation>
    </message>
    <message>
        <source>%1 backups</source>
        <translation>%1 Sicherungen</translation>
    </message>
</context>
<context>
    <name>tessel::ChangeMarks</name>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>changed, %1</source>
        <translation>geändert, %1</translation>
    </message>
</context>
<context>
    <name>tessel::ConfigWindow</name>
    <message>
        <source>&amp;Generate Production Profile for Quantity Purchases</source>
        <translation>&amp;Produktionsprofil für Mengenbestellungen erzeugen</translation>
    </message>
    <message>
        <source>&amp;Read Settings from Controller</source>
        <translation>Einstellungen vom Controller &amp;lesen</translation>
    </message>
    <message>
        <source>&amp;Store These Settings Into Controller</source>
        <translation>Diese Einstellungen in den Controller &amp;schreiben</translation>
    </message>
    <message>
        <source>Restore to Factory &amp;Default Settings</source>
        <translation>&amp;Werkseinstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>Line lost</source>
        <translation>Leitung verloren</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>

Store the settings shown again?</source>
        <translation>

Die angezeigten Einstellungen erneut schreiben?</translation>
    </message>
    <message>
        <source>Store Again</source>
        <translation>Erneut schreiben</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>

Nothing was sent. Store Anyway overwrites what the module holds now (a backup of it is saved first); Show the Module&apos;s Settings replaces the settings shown with it.</source>
        <translation>

Es wurde nichts gesendet. Trotzdem schreiben überschreibt, was das Modul jetzt enthält (davon wird zuerst eine Sicherung gespeichert); Einstellungen des Moduls zeigen ersetzt die angezeigten Einstellungen damit.</translation>
    </message>
    <message>
        <source>Store Anyway</source>
        <translation>Trotzdem schreiben</translation>
    </message>
    <message>
        <source>Show the Module&apos;s Settings</source>
        <translation>Einstellungen des Moduls zeigen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Loading Settings from Controller....</source>
        <translation>Einstellungen werden vom Controller geladen....</translation>
    </message>
    <message>
        <source>Storing Settings in Tessel Module....</source>
        <translation>Einstellungen werden in das Tessel-Modul geschrieben....</translation>
    </message>
    <message>
        <source>Verifying...</source>
        <translation>Prüfen...</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>The module holds other values than were sent for: %1.</source>
        <translation>Das Modul enthält andere Werte als gesendet für: %1.</translation>
    </message>
    <message>
        <source>Nothing was read; the settings shown were kept.</source>
        <translation>Es wurde nichts gelesen; die angezeigten Einstellungen bleiben erhalten.</translation>
    </message>
    <message>
        <source>Nothing was stored, and no backup was made.</source>
        <translation>Es wurde nichts geschrieben und keine Sicherung angelegt.</translation>
    </message>
    <message>
        <source>Overwrite all settings of this module with the factory settings?</source>
        <translation>Alle Einstellungen dieses Moduls mit den Werkseinstellungen überschreiben?</translation>
    </message>
    <message>
        <source>Reading the module&apos;s memory before the store....</source>
        <translation>Speicher des Moduls wird vor dem Schreiben gelesen....</translation>
    </message>
    <message>
        <source> The settings shown were kept.</source>
        <translation> Die angezeigten Einstellungen bleiben erhalten.</translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation>Sicherung wiederherstellen</translation>
    </message>
</context>
<context>
    <name>tessel::ConnectingWindow</name>
    <message>
        <source>Connecting to %1…</source>
        <translation>Verbinden mit %1…</translation>
    </message>
    <message>
        <source>What is being tried</source>
        <translation>Was gerade versucht wird</translation>
    </message>
    <message>
        <source>Time waited for the module</source>
        <translation>Wartezeit auf das Modul</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Waited %1 s</source>
        <translation>%1 s gewartet</translation>
    </message>
</context>
<context>
    <name>tessel::ControllerTypes</name>
    <message>
        <source>WD1x 1-Ch. Relay Device</source>
        <translation>WD1x 1-Kanal-Relaisgerät</translation>
    </message>
    <message>
        <source>WD2x 2-Ch. Relay Device</source>
        <translation>WD2x 2-Kanal-Relaisgerät</translation>
    </message>
    <message>
        <source>Velqa 2-Ch. Relay Device</source>
        <translation>Velqa 2-Kanal-Relaisgerät</translation>
    </message>
    <message>
        <source>Velqa 4-Ch. Relay Device</source>
        <translation>Velqa 4-Kanal-Relaisgerät</translation>
    </message>
    <message>
        <source>Velqa %1-Ch. Relay Device</source>
        <translation>Velqa %1-Kanal-Relaisgerät</translation>
    </message>
    <message>
        <source>Tessel Relay On/Off</source>
        <translation>Tessel-Relais ein/aus</translation>
    </message>
    <message>
        <source>Issue Toggle Command</source>
        <translation>Umschaltbefehl senden</translation>
    </message>
    <message>
        <source>Pulse Remote Relay</source>
        <translation>Fernrelais pulsen</translation>
    </message>
    <message>
        <source>Velqa Timer MMM:SSS</source>
        <translation>Velqa-Timer MMM:SSS</translation>
    </message>
    <message>
        <source>Activate Relay Above Limit</source>
        <translation>Relais über Grenzwert ein</translation>
    </message>
    <message>
        <source>Activate Relay Below Limit</source>
        <translation>Relais unter Grenzwert ein</translation>
    </message>
    <message>
        <source>Activate Relay Outside Limits</source>
        <translation>Relais außerhalb Grenzen ein</translation>
    </message>
    <message>
        <source>Activate Relay Inside Limits</source>
        <translation>Relais innerhalb Grenzen ein</translation>
    </message>
</context>
<context>
    <name>tessel::DeviceInspection</name>
    <message>
        <source>a regular file</source>
        <translation>eine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>ein Verzeichnis</translation>
    </message>
    <message>
        <source>a block device (a disk)</source>
        <translation>ein Blockgerät (ein Datenträger)</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>eine Pipe</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a device</source>
        <translation>kein Gerät</translation>
    </message>
</context>
<context>
    <name>tessel::DeviceTable</name>
    <message>
        <source>REMAPPED</source>
        <translation>UMGELEGT</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source> No controller type fits here: use fewer devices.</source>
        <translation> Hier passt kein Controllertyp: verwenden Sie weniger Geräte.</translation>
    </message>
    <message>
        <source> &quot;%1&quot; (%2 input) fits here.</source>
        <translation> „%1“ (%2 Eingang) passt hier.</translation>
    </message>
    <message>
        <source> &quot;%1&quot; (%2 inputs) fits here.</source>
        <translation> „%1“ (%2 Eingänge) passt hier.</translation>
    </message>
    <message>
        <source>The controller type of device 1 needs</source>
        <translation>Der Controllertyp von Gerät 1 braucht</translation>
    </message>
    <message>
        <source>The controller types of devices 1 to %1 need</source>
        <translation>Die Controllertypen der Geräte 1 bis %1 brauchen</translation>
    </message>
    <message>
        <source>%1 %2 inputs, but the module has %3.%4</source>
        <translation>%1 %2 Eingänge, das Modul hat aber %3.%4</translation>
    </message>
    <message>
        <source>Configure Communication to Multiple Destination Controllers</source>
        <translation>Verbindung zu mehreren Ziel-Controllern einrichten</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>Active:</source>
        <translation>Aktiv:</translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation>Seriennr.:</translation>
    </message>
    <message>
        <source>Controller Type:</source>
        <translation>Controllertyp:</translation>
    </message>
    <message>
        <source>Input Assignment:</source>
        <translation>Eingangszuordnung:</translation>
    </message>
    <message>
        <source>MAP Byte: (remapping)</source>
        <translation>MAP-Byte: (Umlegung)</translation>
    </message>
    <message>
        <source>Device: Active: Serial: Controller Type: Function: Input Assignment: MAP Byte: (remapping)</source>
        <translation>Gerät: Aktiv: Seriennr.: Controllertyp: Funktion: Eingangszuordnung: MAP-Byte: (Umlegung)</translation>
    </message>
    <message>
        <source>device %1</source>
        <translation>Gerät %1</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Serial of </source>
        <translation>Seriennummer von </translation>
    </message>
    <message>
        <source>Serial, </source>
        <translation>Seriennummer, </translation>
    </message>
    <message>
        <source>Previous controller type for </source>
        <translation>Vorheriger Controllertyp für </translation>
    </message>
    <message>
        <source>Controller type</source>
        <translation>Controllertyp</translation>
    </message>
    <message>
        <source>Next controller type for </source>
        <translation>Nächster Controllertyp für </translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Input assignment</source>
        <translation>Eingangszuordnung</translation>
    </message>
    <message>
        <source>Mapping byte of </source>
        <translation>Map-Byte von </translation>
    </message>
    <message>
        <source>Mapping byte, </source>
        <translation>Map-Byte, </translation>
    </message>
    <message>
        <source>Mapping</source>
        <translation>Zuordnung</translation>
    </message>
    <message>
        <source>Controller type, </source>
        <translation>Controllertyp, </translation>
    </message>
    <message>
        <source>The serial typed here is not %1 hexadecimal digits (0 to 9, A to F); the one shown before is kept until it is.</source>
        <translation>Die hier eingegebene Seriennummer hat nicht %1 Hexadezimalziffern (0 bis 9, A bis F); bis dahin gilt die zuvor angezeigte.</translation>
    </message>
    <message>
        <source>serial of device %1</source>
        <translation>Seriennummer von Gerät %1</translation>
    </message>
    <message>
        <source>The mapping byte is not a number from 0 to 255.</source>
        <translation>Das Map-Byte ist keine Zahl von 0 bis 255.</translation>
    </message>
    <message>
        <source>mapping byte of device %1</source>
        <translation>Map-Byte von Gerät %1</translation>
    </message>
</context>
<context>
    <name>tessel::DifferencesWindow</name>
    <message>
        <source>Show &amp;addresses</source>
        <translation>&amp;Adressen zeigen</translation>
    </message>
    <message>
        <source>differences</source>
        <translation>Unterschiede</translation>
    </message>
    <message>
        <source>How many settings differ</source>
        <translation>Wie viele Einstellungen abweichen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Adressen</translation>
    </message>
    <message>
        <source> (correction)</source>
        <translation> (Korrektur)</translation>
    </message>
    <message>
        <source>; 1 is a correction the window made</source>
        <translation>; 1 ist eine Korrektur des Fensters</translation>
    </message>
    <message>
        <source>; %1 are corrections the window made</source>
        <translation>; %1 sind Korrekturen des Fensters</translation>
    </message>
</context>
<context>
    <name>tessel::FieldNames</name>
    <message>
        <source>row %1 </source>
        <translation>Zeile %1 </translation>
    </message>
    <message>
        <source>unused byte +%1</source>
        <translation>unbenutztes Byte +%1</translation>
    </message>
    <message>
        <source>serial byte %1</source>
        <translation>Seriennummer-Byte %1</translation>
    </message>
    <message>
        <source>controller type</source>
        <translation>Controllertyp</translation>
    </message>
    <message>
        <source>relay function</source>
        <translation>Relaisfunktion</translation>
    </message>
    <message>
        <source>input %1 limit type</source>
        <translation>Grenzwerttyp von Eingang %1</translation>
    </message>
    <message>
        <source>lower limit of input %1</source>
        <translation>unterer Grenzwert von Eingang %1</translation>
    </message>
    <message>
        <source>upper limit of input %1</source>
        <translation>oberer Grenzwert von Eingang %1</translation>
    </message>
    <message>
        <source>address %1</source>
        <translation>Adresse %1</translation>
    </message>
    <message>
        <source>unused address %1</source>
        <translation>unbenutzte Adresse %1</translation>
    </message>
    <message>
        <source>mapping byte of row %1</source>
        <translation>Map-Byte von Zeile %1</translation>
    </message>
    <message>
        <source>base serial byte %1</source>
        <translation>Basis-Seriennummer-Byte %1</translation>
    </message>
    <message>
        <source>device count</source>
        <translation>Geräteanzahl</translation>
    </message>
    <message>
        <source>capture speed</source>
        <translation>Erfassungstempo</translation>
    </message>
    <message>
        <source>debounce</source>
        <translation>Entprellung</translation>
    </message>
    <message>
        <source>reaction interval</source>
        <translation>Reaktionsintervall</translation>
    </message>
    <message>
        <source>refresh</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>active mask (rows %1-%2)</source>
        <translation>Aktiv-Maske (Zeilen %1-%2)</translation>
    </message>
    <message>
        <source>mode byte</source>
        <translation>Modus-Byte</translation>
    </message>
</context>
<context>
    <name>tessel::HelpTexts</name>
    <message>
        <source>Use this button to set this Tessel Device to Broadcast Mode.  This device will broadcast relay control commands to all devices within range.  Remote Device part numbers must have the same command set.</source>
        <translation>Mit dieser Schaltfläche schalten Sie dieses Tessel-Gerät in den Rundsendemodus.  Das Gerät sendet dann Relaisbefehle an alle Geräte in Reichweite.  Die Teilenummern der Ferngeräte müssen denselben Befehlssatz haben.</translation>
    </message>
    <message>
        <source>This Column Simply Displays the Numeric Order of Remote Relay Devices Assigned to this Tessel Module.  You Cannot Change this Value.</source>
        <translation>Diese Spalte zeigt nur die Reihenfolge der Fernrelais-Geräte, die diesem Tessel-Modul zugeordnet sind.  Der Wert kann nicht geändert werden.</translation>
    </message>
    <message>
        <source>This Column Simply Displays the Numeric Order of Remote Relay Devices Assigned to this device.  You Cannot Change this Value.  This device can talk to as many as 16 different remote relay controllers depending on settings.</source>
        <translation>Diese Spalte zeigt nur die Reihenfolge der Fernrelais-Geräte, die diesem Gerät zugeordnet sind.  Der Wert kann nicht geändert werden.  Je nach Einstellung kann dieses Gerät mit bis zu 16 verschiedenen Fernrelais-Controllern sprechen.</translation>
    </message>
    <message>
        <source>This Column Can be Used to Enable/Disable Communications to a Particular Remote Relay Controller.</source>
        <translation>Mit dieser Spalte schalten Sie die Kommunikation zu einem einzelnen Fernrelais-Controller ein oder aus.</translation>
    </message>
    <message>
        <source>This Column Stores the Last 4 Hex Values of a Remote Relay Controllers Serial Number.  Double-Click on Any Available Box to Set the Serial Number of the Device you Want the Tessel Module to Communicate with.</source>
        <translation>Diese Spalte enthält die letzten 4 Hex-Stellen der Seriennummer eines Fernrelais-Controllers.  Doppelklicken Sie auf ein freies Feld, um die Seriennummer des Geräts einzugeben, mit dem das Tessel-Modul sprechen soll.</translation>
    </message>
    <message>
        <source>Choose the type of controller this device will be communicating with.  This setting is very important, because it changes the command set used to speak to the remote device.  This device is compatible with Velqa and WD1/WD2 Series controllers that share the same wireless interface technology. </source>
        <translation>Wählen Sie die Art des Controllers, mit dem dieses Gerät spricht.  Diese Einstellung ist sehr wichtig, denn sie bestimmt den Befehlssatz für das Ferngerät.  Dieses Gerät ist mit Controllern der Serien Velqa und WD1/WD2 kompatibel, die dieselbe Funktechnik verwenden. </translation>
    </message>
    <message>
        <source>This Field Cannot be Changed.</source>
        <translation>Dieses Feld kann nicht geändert werden.</translation>
    </message>
    <message>
        <source>This configuration program maps an Input to a remote relay Controller.  This function makes efficient assignments for the best use of inputs, and works best when controllers are grouped in multiples of 8.  For best results, group all 1, 2 and 4 channel controllers together so that they total 8 or less.  Once set, an Input on this device will correspond directly to a remote relay.  The ADVANCED FEATURES give you limited control over the assignment, but most applications will work well with the computed Input Assignment values.       </source>
        <translation>Dieses Konfigurationsprogramm ordnet jedem Eingang einen Fernrelais-Controller zu.  Die Zuordnung nutzt die Eingänge möglichst gut und gelingt am besten, wenn Controller in Vielfachen von 8 gruppiert sind.  Gruppieren Sie am besten alle 1-, 2- und 4-Kanal-Controller so, dass sie zusammen 8 oder weniger ergeben.  Danach entspricht ein Eingang dieses Geräts direkt einem Fernrelais.  Die ERWEITERTEN FUNKTIONEN erlauben begrenzten Einfluss auf die Zuordnung, doch die meisten Anwendungen funktionieren mit der berechneten Eingangszuordnung gut.       </translation>
    </message>
    <message>
        <source>This button returns your Tessel Device to factory default settings.  Factory settings will not recover communications to the device, but they give you a known-good data set that you can adapt to the devices in your local area.</source>
        <translation>Diese Schaltfläche setzt Ihr Tessel-Gerät auf die Werkseinstellungen zurück.  Werkseinstellungen stellen die Kommunikation zum Gerät nicht wieder her, geben Ihnen aber einen bekannt guten Datensatz, den Sie an die Geräte in Ihrer Umgebung anpassen können.</translation>
    </message>
    <message>
        <source>2-Way Communications is very fast and is the default setting for your controller.  Use the Busy/Ready LEDs to check communications.  If READY is lit all the time, even while communicating, the device is operating without errors.  If BUSY flashes occasionally, an error was detected and corrected.  If BUSY flashes consistently, there is trouble communicating with one or more remote devices.  If BUSY is on all the time, no remote device can be reached.</source>
        <translation>2-Wege-Kommunikation ist sehr schnell und die Standardeinstellung Ihres Controllers.  Prüfen Sie die Kommunikation an den LEDs Busy/Ready.  Leuchtet READY ständig, auch während der Kommunikation, arbeitet das Gerät fehlerfrei.  Blinkt BUSY gelegentlich, wurde ein Fehler erkannt und behoben.  Blinkt BUSY ständig, gibt es Probleme mit einem oder mehreren Ferngeräten.  Leuchtet BUSY dauernd, ist kein Ferngerät erreichbar.</translation>
    </message>
    <message>
        <source>Debounce sets the reaction time of the device.  An input may be left to stabilize before the controller reacts to it, and a longer debounce makes the controller react more slowly.  A value of 0 triggers special functions that increase communication speed.  A setting of 5 to 10 is good when a computer also controls the device.  A setting of 255 is suited to periodic input monitoring and makes the controller immune to quick pulses.</source>
        <translation>Die Entprellung bestimmt die Reaktionszeit des Geräts.  Ein Eingang darf sich beruhigen, bevor der Controller reagiert; eine längere Entprellung lässt ihn langsamer reagieren.  Der Wert 0 schaltet Sonderfunktionen ein, die die Kommunikation beschleunigen.  5 bis 10 ist gut, wenn auch ein Computer das Gerät steuert.  255 eignet sich zur periodischen Überwachung der Eingänge und macht den Controller unempfindlich gegen kurze Impulse.</translation>
    </message>
    <message>
        <source>This option gives you instant feedback as to the on/off status of the remote relay.  2-Way QM Port Confirmation requires a QM Series relay controller plugged into the QM expansion port of the Tessel device.  The device sets the remote relay, then asks the remote controller for the status of the relay and sends it to the QM port, so that a local relay follows the remote relay.  If there are communication errors or no answer, the local relay turns off.</source>
        <translation>Diese Option meldet Ihnen sofort den Ein/Aus-Zustand des Fernrelais.  Die 2-Wege-QM-Port-Bestätigung braucht einen Relais-Controller der QM-Serie am QM-Erweiterungsport des Tessel-Geräts.  Das Gerät setzt das Fernrelais, fragt dann den Ferncontroller nach dessen Zustand und gibt ihn an den QM-Port weiter, sodass ein lokales Relais dem Fernrelais folgt.  Bei Kommunikationsfehlern oder ohne Antwort schaltet das lokale Relais ab.</translation>
    </message>
    <message>
        <source>Use this button to generate a data set that can be emailed to Orvane.  The data contain your configuration options and may be stored in as many controllers as you need.  The data can also help the manufacturer diagnose faults of your device.</source>
        <translation>Mit dieser Schaltfläche erzeugen Sie einen Datensatz, den Sie per E-Mail an Orvane senden können.  Er enthält Ihre Konfiguration und kann in beliebig viele Controller geschrieben werden.  Die Daten helfen dem Hersteller auch bei der Fehlersuche an Ihrem Gerät.</translation>
    </message>
    <message>
        <source>This button restores communication mode to default ZigBee Series 1 devices and allows communication to multiple controllers of multiple device types (default and recomended setting).</source>
        <translation>Diese Schaltfläche setzt die Kommunikationsart auf Standard-Geräte der ZigBee-Serie 1 zurück und erlaubt die Kommunikation mit mehreren Controllern verschiedener Gerätetypen (Standard und empfohlene Einstellung).</translation>
    </message>
    <message>
        <source>This option allows you to choose how many remote relay controllers this Tessel Device will communicate to.  Up to 16 1-Channel controllers are supported</source>
        <translation>Mit dieser Option wählen Sie, mit wie vielen Fernrelais-Controllern dieses Tessel-Gerät spricht.  Bis zu 16 1-Kanal-Controller werden unterstützt</translation>
    </message>
    <message>
        <source>Refresh Rate determines the speed of communications between the Tessel Module and Remote Relay Controllers.  A value of 0 makes the module communicate constantly and as fast as possible, which is not recommended if a computer also talks to a relay controller.  A value of 1 to 5 is a good setting.  A value of 255 makes the module communicate only when an input changes.  Any value in between selects a Beacon Mode that sends periodic beacons, which is very helpful during installation, because the LEDs of the module show when a controller is out of range.</source>
        <translation>Die Aktualisierungsrate bestimmt das Tempo der Kommunikation zwischen Tessel-Modul und Fernrelais-Controllern.  Mit 0 kommuniziert das Modul ständig und so schnell wie möglich, was nicht zu empfehlen ist, wenn auch ein Computer mit einem Relais-Controller spricht.  1 bis 5 ist eine gute Einstellung.  Mit 255 kommuniziert das Modul nur, wenn sich ein Eingang ändert.  Jeder Wert dazwischen wählt einen Bakenmodus mit periodischen Baken, der bei der Installation sehr hilft, weil die LEDs des Moduls zeigen, wenn ein Controller außer Reichweite ist.</translation>
    </message>
    <message>
        <source>The Mapping Byte is used to control how inputs are mapped to a particular controller.  You may experiment with these settings freely, but the best use of this field is to copy a value to another row.  To let two controllers share the same set of inputs, copy the mapping byte of the first controller to the second.  The same byte may be copied to all fields.</source>
        <translation>Das Map-Byte bestimmt, wie Eingänge einem Controller zugeordnet werden.  Sie können mit diesen Werten frei experimentieren, am sinnvollsten ist aber, einen Wert in eine andere Zeile zu kopieren.  Damit sich zwei Controller dieselben Eingänge teilen, kopieren Sie das Map-Byte des ersten Controllers zum zweiten.  Dasselbe Byte darf in alle Felder kopiert werden.</translation>
    </message>
    <message>
        <source>This button attempts to communicate with a remote Tessel Device and read all settings.  User interface will be updated to after loading.</source>
        <translation>Diese Schaltfläche versucht, mit einem Tessel-Gerät zu sprechen und alle Einstellungen zu lesen.  Die Oberfläche wird nach dem Laden aktualisiert.</translation>
    </message>
    <message>
        <source>Enter a 8 Digit HEX Value that corresponds with the last 8 HEX Values of your remote relay controller device.  Only the characters 0 to 9 and A to F can be stored.  Check the serial number if communication errors occur.</source>
        <translation>Geben Sie einen 8-stelligen HEX-Wert ein, der den letzten 8 HEX-Stellen Ihres Fernrelais-Controllers entspricht.  Nur die Zeichen 0 bis 9 und A bis F können geschrieben werden.  Prüfen Sie die Seriennummer, wenn Kommunikationsfehler auftreten.</translation>
    </message>
    <message>
        <source>Enter a 4 Digit HEX Value that corresponds with the last 4 HEX Values of your remote relay controller device.  Only the characters 0 to 9 and A to F can be stored.  Check the serial number if communication errors occur.</source>
        <translation>Geben Sie einen 4-stelligen HEX-Wert ein, der den letzten 4 HEX-Stellen Ihres Fernrelais-Controllers entspricht.  Nur die Zeichen 0 bis 9 und A bis F können geschrieben werden.  Prüfen Sie die Seriennummer, wenn Kommunikationsfehler auftreten.</translation>
    </message>
    <message>
        <source>This button stores your user interface settings into a remote Tessel Device.</source>
        <translation>Diese Schaltfläche schreibt die Einstellungen der Oberfläche in ein Tessel-Gerät.</translation>
    </message>
    <message>
        <source>Most users should always use calculated Mapping bytes.  The MAP byte controls how inputs are assigned to remote controllers.</source>
        <translation>Die meisten Anwender sollten immer berechnete Map-Bytes verwenden.  Das MAP-Byte bestimmt, wie Eingänge den Ferncontrollern zugeordnet werden.</translation>
    </message>
    <message>
        <source>You can set your own MAP byte values to use a single input or group of inputs to control multiple devices.</source>
        <translation>Sie können eigene MAP-Byte-Werte setzen, um mit einem Eingang oder einer Gruppe von Eingängen mehrere Geräte zu steuern.</translation>
    </message>
    <message>
        <source>This is the actual value returned by the on-board Analog to Digital Converters.  The number follows the input voltage: 0 at 0 volts and 255 at 5 volts.  More than 5 volts on an analog input will damage the controller.</source>
        <translation>Dies ist der Wert, den die Analog-Digital-Wandler auf der Platine liefern.  Die Zahl folgt der Eingangsspannung: 0 bei 0 Volt und 255 bei 5 Volt.  Mehr als 5 Volt an einem Analogeingang beschädigen den Controller.</translation>
    </message>
    <message>
        <source>These Level Meters show you the current value of the Analog Inputs.  Click a meter to read that input at once.  With READ INPUTS CONSTANTLY checked, clicking a meter reads that one channel quickly and repeatedly.  Uncheck the box when finished.</source>
        <translation>Diese Pegelanzeigen zeigen den aktuellen Wert der Analogeingänge.  Klicken Sie auf eine Anzeige, um diesen Eingang sofort zu lesen.  Ist EINGÄNGE STÄNDIG LESEN angehakt, liest ein Klick auf eine Anzeige diesen einen Kanal schnell und wiederholt.  Entfernen Sie den Haken, wenn Sie fertig sind.</translation>
    </message>
    <message>
        <source>For experimenters ONLY!  These settings will not damage the controller, but may adversely affect operation OR may cause very unpredictable behavior.</source>
        <translation>NUR für Experimentierfreudige!  Diese Einstellungen beschädigen den Controller nicht, können aber den Betrieb beeinträchtigen ODER sehr unvorhersehbares Verhalten verursachen.</translation>
    </message>
    <message>
        <source>This number directly corresponds with an input number labeled on the circuit board.  Each input is limited to reading analog input voltages between 0 and 5VDC.  Exceeding these voltage levels will damage the controller.</source>
        <translation>Diese Nummer entspricht direkt einer Eingangsnummer auf der Platine.  Jeder Eingang liest nur Analogspannungen zwischen 0 und 5 V DC.  Höhere Spannungen beschädigen den Controller.</translation>
    </message>
    <message>
        <source>Click the DONE! Button after you have set valid input ranges for all inputs.</source>
        <translation>Klicken Sie auf FERTIG!, nachdem Sie für alle Eingänge gültige Bereiche eingestellt haben.</translation>
    </message>
    <message>
        <source>Reactions are read as a group of 256 total reads across all A/D ports.  This value sets the delay between the reads within a group.  It is normally kept low: 0 is common and 0 to 10 is usual.  Raising it lengthens the reaction time, which some applications want.</source>
        <translation>Reaktionen werden als Gruppe von insgesamt 256 Lesungen über alle A/D-Ports gelesen.  Dieser Wert bestimmt die Pause zwischen den Lesungen einer Gruppe.  Er bleibt normalerweise klein: 0 ist üblich, 0 bis 10 gewöhnlich.  Ein höherer Wert verlängert die Reaktionszeit, was manche Anwendungen wollen.</translation>
    </message>
    <message>
        <source>Reactions are read as a group of 256 total reads across all A/D ports.  The Reaction Interval is the delay between groups, so a value of 5 means 256 reads, a wait of 5 seconds, and then the next group.  Most users will want 1 or 2.  A value of 0 is fast, but makes a lot of radio traffic that can disturb other devices talking to the relay controllers.  Longer intervals let, for example, heaters stay on long enough to warm a room.</source>
        <translation>Reaktionen werden als Gruppe von insgesamt 256 Lesungen über alle A/D-Ports gelesen.  Das Reaktionsintervall ist die Pause zwischen den Gruppen; der Wert 5 bedeutet also 256 Lesungen, 5 Sekunden Pause, dann die nächste Gruppe.  Die meisten Anwender wollen 1 oder 2.  Der Wert 0 ist schnell, erzeugt aber viel Funkverkehr, der andere Geräte stören kann, die mit den Relais-Controllern sprechen.  Längere Intervalle lassen zum Beispiel Heizungen lange genug an, um einen Raum zu erwärmen.</translation>
    </message>
    <message>
        <source>Use this button to define limits that correspond to remote relay devices.</source>
        <translation>Mit dieser Schaltfläche legen Sie Grenzwerte fest, die Fernrelais-Geräten entsprechen.</translation>
    </message>
    <message>
        <source>Check this box and click READ ALL A/D INPUTS to review analog inputs constantly.  With the box checked, clicking a level meter reads that single input constantly.  Uncheck the box when finished.</source>
        <translation>Haken Sie dieses Feld an und klicken Sie auf ALLE A/D-EINGÄNGE LESEN, um die Analogeingänge ständig zu beobachten.  Mit Haken liest ein Klick auf eine Pegelanzeige diesen einen Eingang ständig.  Entfernen Sie den Haken, wenn Sie fertig sind.</translation>
    </message>
    <message>
        <source>Read All A/D Inputs.  This button reads the current values of the analog inputs, which helps you choose upper and lower limits.  With READ INPUTS CONSTANTLY checked, it reads them constantly until the box is unchecked.</source>
        <translation>Alle A/D-Eingänge lesen.  Diese Schaltfläche liest die aktuellen Werte der Analogeingänge, was bei der Wahl der oberen und unteren Grenzwerte hilft.  Ist EINGÄNGE STÄNDIG LESEN angehakt, liest sie ständig, bis der Haken entfernt wird.</translation>
    </message>
    <message>
        <source>The serial number is used to control communications to individual controllers or broadcast to a group of controllers.  It is better to talk to individual controllers and keep the default serial number.  </source>
        <translation>Die Seriennummer steuert die Kommunikation mit einzelnen Controllern oder das Rundsenden an eine Gruppe von Controllern.  Besser ist es, mit einzelnen Controllern zu sprechen und die Standard-Seriennummer zu behalten.  </translation>
    </message>
    <message>
        <source>Activate a Relay Above the Preset Limit.  When the Analog Input Value reaches the Limit you have chosen, a Relay will activate.</source>
        <translation>Relais über dem eingestellten Grenzwert einschalten.  Erreicht der Analogwert den gewählten Grenzwert, schaltet ein Relais ein.</translation>
    </message>
    <message>
        <source>Activate a Relay Below the Preset Limit.  When the Analog Input Value falls below the Limit you have chosen, a Relay will activate.</source>
        <translation>Relais unter dem eingestellten Grenzwert einschalten.  Fällt der Analogwert unter den gewählten Grenzwert, schaltet ein Relais ein.</translation>
    </message>
    <message>
        <source>Activate a Relay Outside Limits.  Set Upper and Lower Limits.  If the Analog Input Value is above or Below the Limits you have chosen, a Relay will activate.   Otherwise, a Relay will turn off.</source>
        <translation>Relais außerhalb der Grenzwerte einschalten.  Stellen Sie einen oberen und einen unteren Grenzwert ein.  Liegt der Analogwert über oder unter den gewählten Grenzwerten, schaltet ein Relais ein.   Sonst schaltet das Relais aus.</translation>
    </message>
    <message>
        <source>Activate a Relay Inside Limits.  Set Upper and Lower Limits.  If the Analog Input Value is between the Limits you have chosen, a Relay will activate.  Otherwise, a Relay will turn off.</source>
        <translation>Relais innerhalb der Grenzwerte einschalten.  Stellen Sie einen oberen und einen unteren Grenzwert ein.  Liegt der Analogwert zwischen den gewählten Grenzwerten, schaltet ein Relais ein.  Sonst schaltet das Relais aus.</translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY ABOVE LIMIT option.  Enter a value from 0 to 255 to switch a relay on when the input reaches the limit, as for an air conditioning system.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation>Beim Lesen eines Analogsensors wird ein Wert von 0 bis 255 ermittelt, der direkt der Eingangsspannung entspricht.  Sie haben RELAIS ÜBER GRENZWERT EIN gewählt.  Geben Sie einen Wert von 0 bis 255 ein, um ein Relais einzuschalten, wenn der Eingang den Grenzwert erreicht, etwa für eine Klimaanlage.  Bewegen Sie die Maus, um die Eingabe abzuschließen.  Das Feld bleibt rot, solange der Wert ungültig ist.  Nur Zahlen von 0 bis 255 können geschrieben werden: keine negativen Zahlen oder Buchstaben.</translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY BELOW LIMIT option.  Enter a value from 0 to 255 to switch a relay on when the input falls below the limit, as for a heating system.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation>Beim Lesen eines Analogsensors wird ein Wert von 0 bis 255 ermittelt, der direkt der Eingangsspannung entspricht.  Sie haben RELAIS UNTER GRENZWERT EIN gewählt.  Geben Sie einen Wert von 0 bis 255 ein, um ein Relais einzuschalten, wenn der Eingang unter den Grenzwert fällt, etwa für eine Heizung.  Bewegen Sie die Maus, um die Eingabe abzuschließen.  Das Feld bleibt rot, solange der Wert ungültig ist.  Nur Zahlen von 0 bis 255 können geschrieben werden: keine negativen Zahlen oder Buchstaben.</translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY OUTSIDE LIMITS option.  Enter a lower and an upper limit from 0 to 255, with the lower limit below the upper limit and at least one value between them.  The relay is on up to the lower limit, off between the limits, and on above the upper limit.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation>Beim Lesen eines Analogsensors wird ein Wert von 0 bis 255 ermittelt, der direkt der Eingangsspannung entspricht.  Sie haben RELAIS AUSSERHALB GRENZEN EIN gewählt.  Geben Sie einen unteren und einen oberen Grenzwert von 0 bis 255 ein, den unteren unter dem oberen und mit mindestens einem Wert dazwischen.  Das Relais ist bis zum unteren Grenzwert ein, zwischen den Grenzwerten aus und über dem oberen Grenzwert ein.  Bewegen Sie die Maus, um die Eingabe abzuschließen.  Das Feld bleibt rot, solange der Wert ungültig ist.  Nur Zahlen von 0 bis 255 können geschrieben werden: keine negativen Zahlen oder Buchstaben.</translation>
    </message>
    <message>
        <source>When an analog sensor is read, a value will assigned from 0 to 255 that directly corresponds to the voltage of the input.  You have selected the ACTIVATE RELAY INSIDE LIMITS option.  Enter a lower and an upper limit from 0 to 255, with the lower limit below the upper limit and at least one value between them.  The relay is on while the input lies between the limits, and off otherwise.  Move your mouse to complete the entry.  The field stays red while the value is invalid.  Only numbers from 0 to 255 can be stored: no negative numbers or letters.</source>
        <translation>Beim Lesen eines Analogsensors wird ein Wert von 0 bis 255 ermittelt, der direkt der Eingangsspannung entspricht.  Sie haben RELAIS INNERHALB GRENZEN EIN gewählt.  Geben Sie einen unteren und einen oberen Grenzwert von 0 bis 255 ein, den unteren unter dem oberen und mit mindestens einem Wert dazwischen.  Das Relais ist ein, solange der Eingang zwischen den Grenzwerten liegt, sonst aus.  Bewegen Sie die Maus, um die Eingabe abzuschließen.  Das Feld bleibt rot, solange der Wert ungültig ist.  Nur Zahlen von 0 bis 255 können geschrieben werden: keine negativen Zahlen oder Buchstaben.</translation>
    </message>
    <message>
        <source>HELP Information will be displayed in this box.</source>
        <translation>HILFE-Informationen werden in diesem Feld angezeigt.</translation>
    </message>
</context>
<context>
    <name>tessel::InputAssignment</name>
    <message>
        <source>Bank: %1  Input:%2</source>
        <extracomment>The input assignment column: bank (or banks) %1, input (or inputs) %2.</extracomment>
        <translation>Bank: %1  Eing.:%2</translation>
    </message>
</context>
<context>
    <name>tessel::LevelMeter</name>
    <message>
        <source>%1, relay on</source>
        <translation>%1, Relais ein</translation>
    </message>
</context>
<context>
    <name>tessel::LevelTools</name>
    <message>
        <source>Levels Over &amp;Time...</source>
        <translation>Pegel über die &amp;Zeit...</translation>
    </message>
    <message>
        <source>Record &amp;Levels...</source>
        <translation>&amp;Pegel aufzeichnen...</translation>
    </message>
    <message>
        <source>The record of levels has stopped: %1. The rows before that are in the file.</source>
        <translation>Die Aufzeichnung der Pegel wurde beendet: %1. Die Zeilen davor stehen in der Datei.</translation>
    </message>
    <message>
        <source>The levels cannot be recorded: %1</source>
        <translation>Die Pegel können nicht aufgezeichnet werden: %1</translation>
    </message>
    <message>
        <source>Stop Recording &amp;Levels</source>
        <translation>&amp;Pegelaufzeichnung beenden</translation>
    </message>
    <message>
        <source>Recording levels to %1: %2 rows</source>
        <translation>Pegel werden in %1 aufgezeichnet: %2 Zeilen</translation>
    </message>
</context>
<context>
    <name>tessel::LimitCheck</name>
    <message>
        <source>Limits are too close together.  Please Separate Limits with at least 1 value in between.</source>
        <translation>Grenzwerte liegen zu dicht beieinander.  Bitte mindestens 1 Wert Abstand lassen.</translation>
    </message>
    <message>
        <source>Lower Limit Cannot Be Higher the Upper Limit</source>
        <translation>Unterer Grenzwert darf nicht über dem oberen liegen</translation>
    </message>
    <message>
        <source>Value Cannot be Less than 0</source>
        <translation>Wert darf nicht kleiner als 0 sein</translation>
    </message>
    <message>
        <source>Value Cannot be Above 255</source>
        <translation>Wert darf nicht größer als 255 sein</translation>
    </message>
    <message>
        <source>Device will Respond to a Reaction in About 6 Seconds.</source>
        <translation>Gerät reagiert in etwa 6 Sekunden.</translation>
    </message>
    <message>
        <source>Device will Reponds to a Reaction in About%1 Seconds.</source>
        <translation>Gerät reagiert in etwa%1 Sekunden.</translation>
    </message>
</context>
<context>
    <name>tessel::ModuleKind</name>
    <message>
        <source>Tessel module</source>
        <translation>Tessel-Modul</translation>
    </message>
    <message>
        <source>Threshold module</source>
        <translation>Threshold-Modul</translation>
    </message>
</context>
<context>
    <name>tessel::ModuleLink</name>
    <message>
        <source>The transfer was cancelled.</source>
        <translation>Die Übertragung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The module stopped answering for %1 s: it was taken out or lost its power.</source>
        <translation>Das Modul hat %1 s lang nicht geantwortet: es wurde entfernt oder hat keinen Strom mehr.</translation>
    </message>
    <message>
        <source>Cancel was pressed.</source>
        <translation>Abbrechen wurde gedrückt.</translation>
    </message>
</context>
<context>
    <name>tessel::ModuleSession</name>
    <message>
        <source>No module has been identified; nothing was stored.</source>
        <translation>Es wurde kein Modul erkannt; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The module reports the unknown kind %1; nothing was stored.</source>
        <translation>Das Modul meldet die unbekannte Art %1; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Nothing was stored: correct %1 first.</source>
        <translation>Es wurde nichts geschrieben: korrigieren Sie zuerst %1.</translation>
    </message>
    <message>
        <source>The module answers, but every reply is out of step: %1 link %2 answered with %3 instead of 88, even with the line realigned after each. Check the cable and its plugs, then try again.</source>
        <translation>Das Modul antwortet, aber jede Antwort ist verschoben: %1 %2 mit %3 statt 88 beantwortet, auch nach Neuausrichtung der Leitung. Prüfen Sie das Kabel und seine Stecker und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>test was</source>
        <translation>Verbindungstest wurde</translation>
    </message>
    <message>
        <source>tests were</source>
        <translation>Verbindungstests wurden</translation>
    </message>
    <message>
        <source>No module answered.</source>
        <translation>Kein Modul hat geantwortet.</translation>
    </message>
    <message>
        <source>The line is unreliable: the module&apos;s identification came back different each of the %1 times it was asked. Check the cable and its plugs, then try again.</source>
        <translation>Die Leitung ist unzuverlässig: die Kennung des Moduls kam bei jeder der %1 Abfragen anders zurück. Prüfen Sie das Kabel und seine Stecker und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The module answered the link test but not the identification%1.</source>
        <translation>Das Modul hat den Verbindungstest beantwortet, aber nicht die Erkennung%1.</translation>
    </message>
    <message>
        <source> Nothing was sent, and no backup was made.</source>
        <translation> Es wurde nichts gesendet und keine Sicherung angelegt.</translation>
    </message>
    <message>
        <source>The read-back was not started: a stop was asked for.</source>
        <translation>Das Zurücklesen wurde nicht begonnen: ein Halt wurde verlangt.</translation>
    </message>
    <message>
        <source>The module&apos;s memory could not be read for its backup, so nothing was stored. %1</source>
        <translation>Der Speicher des Moduls konnte für die Sicherung nicht gelesen werden, daher wurde nichts geschrieben. %1</translation>
    </message>
    <message>
        <source>The module&apos;s memory changed since it was read: %1.
%2</source>
        <translation>Der Speicher des Moduls hat sich seit dem Lesen geändert: %1.
%2</translation>
    </message>
    <message>
        <source>Verification failed: %1 of %2 addresses differ after the store.</source>
        <translation>Prüfung fehlgeschlagen: %1 von %2 Adressen weichen nach dem Schreiben ab.</translation>
    </message>
    <message>
        <source>The line turned a command into the start of a block store, and the module confirmed that store when it was ended with bytes that start no command. Its block number was 255, which names no block, so no block should have changed; read the module again to be sure.</source>
        <translation>Die Leitung hat einen Befehl in den Anfang eines Blockschreibens verwandelt, und das Modul hat dieses Schreiben bestätigt, als es mit Bytes endete, die keinen Befehl beginnen. Seine Blocknummer war 255, die keinen Block bezeichnet, also sollte sich kein Block geändert haben; lesen Sie das Modul zur Sicherheit erneut.</translation>
    </message>
</context>
<context>
    <name>tessel::OpenFailure</name>
    <message>
        <source> (process %1)</source>
        <translation> (Prozess %1)</translation>
    </message>
    <message>
        <source> (%1, process %2)</source>
        <translation> (%1, Prozess %2)</translation>
    </message>
    <message>
        <source>Cannot open %1: permission denied.</source>
        <translation>%1 kann nicht geöffnet werden: Zugriff verweigert.</translation>
    </message>
    <message>
        <source> Only the owner of %1 may open it; ask the administrator to give it to the dialout group.</source>
        <translation> Nur der Eigentümer von %1 darf es öffnen; bitten Sie den Administrator, es der Gruppe dialout zu geben.</translation>
    </message>
    <message>
        <source> You belong to the group %1, which owns the device, but this login started before you were added: log out and in again.</source>
        <translation> Sie gehören zur Gruppe %1, der das Gerät gehört, aber diese Anmeldung begann vor dem Beitritt: melden Sie sich ab und wieder an.</translation>
    </message>
    <message>
        <source> Your user must belong to the group %1, which owns the device: sudo usermod -aG %1 $USER, then log out and in again.</source>
        <translation> Ihr Benutzer muss zur Gruppe %1 gehören, der das Gerät gehört: sudo usermod -aG %1 $USER, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>does not exist.</source>
        <translation>existiert nicht.</translation>
    </message>
    <message>
        <source>has no serial port behind it: the system keeps the name, but no hardware answers.</source>
        <translation>hat keine serielle Schnittstelle dahinter: das System behält den Namen, aber keine Hardware antwortet.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
</context>
<context>
    <name>tessel::PointerHelp</name>
    <message>
        <source>Why it is red: %1</source>
        <translation>Warum es rot ist: %1</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>tessel::PortChooser</name>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>USB vendor:product</source>
        <translation>USB-Hersteller:Produkt</translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation>Fester Name</translation>
    </message>
    <message>
        <source>Select Com Port</source>
        <translation>COM-Port wählen</translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>What the system knows of the port</source>
        <translation>Was das System über den Port weiß</translation>
    </message>
    <message>
        <source>%1 is not among the ports present.</source>
        <translation>%1 ist nicht unter den vorhandenen Ports.</translation>
    </message>
</context>
<context>
    <name>tessel::PortFactsText</name>
    <message>
        <source>serial %1</source>
        <translation>Seriennummer %1</translation>
    </message>
    <message>
        <source>No serial ports are present.</source>
        <translation>Es sind keine seriellen Ports vorhanden.</translation>
    </message>
    <message>
        <source>Ports present: %1.</source>
        <translation>Vorhandene Ports: %1.</translation>
    </message>
</context>
<context>
    <name>tessel::PortSetting</name>
    <message>
        <source>it is there, but not as a regular file</source>
        <translation>sie existiert, aber nicht als gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the port setting file %1 could not be written in the working directory %2 (%3)</source>
        <translation>die Port-Datei %1 konnte im Arbeitsverzeichnis %2 nicht geschrieben werden (%3)</translation>
    </message>
    <message>
        <source>no folder is known</source>
        <translation>kein Ordner ist bekannt</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The port is remembered in %1: %2.</source>
        <translation>Der Port wird in %1 gespeichert: %2.</translation>
    </message>
    <message>
        <source>it could not be written in %1 (%2)</source>
        <translation>sie konnte in %1 nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>, nor in %1 (%2)</source>
        <translation>, auch nicht in %1 (%2)</translation>
    </message>
    <message>
        <source>The port could not be remembered: %1. %2 is used for this run; choose it again next time.</source>
        <translation>Der Port konnte nicht gespeichert werden: %1. %2 gilt für diesen Lauf; wählen Sie ihn nächstes Mal erneut.</translation>
    </message>
</context>
<context>
    <name>tessel::ProductionWindow</name>
    <message>
        <source>passed</source>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>abgelehnt</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>So&amp;und for pass and fail</source>
        <translation>To&amp;n bei Bestanden und Fehler</translation>
    </message>
    <message>
        <source>Production - tessel-config</source>
        <translation>Produktion - tessel-config</translation>
    </message>
    <message>
        <source>units left</source>
        <translation>Einheiten übrig</translation>
    </message>
    <message>
        <source>this run</source>
        <translation>dieser Lauf</translation>
    </message>
    <message>
        <source>today</source>
        <translation>heute</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Last %1 records:</source>
        <translation>Letzte %1 Einträge:</translation>
    </message>
    <message>
        <source>Choose the profile and the ports, then press Start (Space).</source>
        <translation>Profil und Ports wählen, dann Start drücken (Leertaste).</translation>
    </message>
    <message>
        <source>stopped: no new module is started; finishing those in progress (Stop again ends their stores after the block in flight)</source>
        <translation>gestoppt: kein neues Modul wird begonnen; laufende werden fertig (erneutes Stopp beendet ihr Schreiben nach dem laufenden Block)</translation>
    </message>
    <message>
        <source>Stop now</source>
        <translation>Sofort stoppen</translation>
    </message>
    <message>
        <source>stopped again: stores end after the block in flight</source>
        <translation>erneut gestoppt: das Schreiben endet nach dem laufenden Block</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Running: scan each module&apos;s kit label into its port&apos;s field.</source>
        <translation>Läuft: das Kit-Etikett jedes Moduls in das Feld seines Ports scannen.</translation>
    </message>
    <message>
        <source>Running: put in the modules.</source>
        <translation>Läuft: Module einsetzen.</translation>
    </message>
    <message>
        <source>scan the kit label for %1</source>
        <translation>Kit-Etikett für %1 scannen</translation>
    </message>
    <message>
        <source>STOPPED</source>
        <translation>GESTOPPT</translation>
    </message>
    <message>
        <source>the run has ended</source>
        <translation>der Lauf ist beendet</translation>
    </message>
    <message>
        <source>closing: no new module is started</source>
        <translation>Schließen: kein neues Modul wird begonnen</translation>
    </message>
    <message>
        <source>closing: stores end after the block in flight</source>
        <translation>Schließen: das Schreiben endet nach dem laufenden Block</translation>
    </message>
</context>
<context>
    <name>tessel::ProfileActions</name>
    <message>
        <source>&amp;Open Profile...</source>
        <translation>Profil ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save Profile As...</source>
        <translation>Profil speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Compare with Profile...</source>
        <translation>Mit Profil &amp;vergleichen...</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>. The window&apos;s settings were not changed.</source>
        <translation>. Die Einstellungen des Fensters wurden nicht geändert.</translation>
    </message>
    <message>
        <source>This profile changes %1 of this module. Load it?</source>
        <translation>Dieses Profil ändert %1 dieses Moduls. Laden?</translation>
    </message>
    <message>
        <source>This profile looks like a %1&apos;s; this window is a %2&apos;s. It changes %3. Load it anyway?</source>
        <translation>Dieses Profil sieht nach einem %1 aus; dieses Fenster ist für ein %2. Es ändert %3. Trotzdem laden?</translation>
    </message>
    <message>
        <source>Open Profile</source>
        <translation>Profil öffnen</translation>
    </message>
    <message>
        <source>These settings are not valid: %1.</source>
        <translation>Diese Einstellungen sind ungültig: %1.</translation>
    </message>
    <message>
        <source>These entries do not fit in a byte: %1.</source>
        <translation>Diese Einträge passen nicht in ein Byte: %1.</translation>
    </message>
    <message>
        <source> The profile was not saved.</source>
        <translation> Das Profil wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>Profile saved to %1</source>
        <translation>Profil gespeichert in %1</translation>
    </message>
    <message>
        <source>Compare with %1</source>
        <translation>Vergleich mit %1</translation>
    </message>
    <message>
        <source>window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>profile</source>
        <translation>Profil</translation>
    </message>
</context>
<context>
    <name>tessel::ProfileText</name>
    <message>
        <source>record %1, value %2: </source>
        <translation>Datensatz %1, Wert %2: </translation>
    </message>
    <message>
        <source>record %1: missing, a profile holds %2 records, found %3</source>
        <translation>Datensatz %1: fehlt, ein Profil hat %2 Datensätze, gefunden %3</translation>
    </message>
    <message>
        <source>record %1: expected &quot;DATA&quot;, found %2</source>
        <translation>Datensatz %1: „DATA“ erwartet, gefunden %2</translation>
    </message>
    <message>
        <source>missing, a record holds %1 values</source>
        <translation>fehlt, ein Datensatz hat %1 Werte</translation>
    </message>
    <message>
        <source>expected &quot;,&quot; before %1</source>
        <translation>„,“ vor %1 erwartet</translation>
    </message>
    <message>
        <source>unexpected %1, a record holds %2 values</source>
        <translation>unerwartet %1, ein Datensatz hat %2 Werte</translation>
    </message>
    <message>
        <source>record %1: unexpected %2 after the last of %3 records</source>
        <translation>Datensatz %1: unerwartet %2 nach dem letzten von %3 Datensätzen</translation>
    </message>
</context>
<context>
    <name>tessel::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Transfer progress</source>
        <translation>Fortschritt der Übertragung</translation>
    </message>
</context>
<context>
    <name>tessel::ReportWindow</name>
    <message>
        <source>Generate Report</source>
        <translation>Bericht erzeugen</translation>
    </message>
    <message>
        <source>Production profile</source>
        <translation>Produktionsprofil</translation>
    </message>
    <message>
        <source>Copy the data shown above and e-mail it to support@tessel-config.example.com if you need several pre-configured copies of the same Tessel Module. Our staff can pre-configure any quantity with the settings you have chosen.
</source>
        <translation>Kopieren Sie die oben gezeigten Daten und senden Sie sie per E-Mail an support@tessel-config.example.com, wenn Sie mehrere vorkonfigurierte Exemplare desselben Tessel-Moduls brauchen. Wir konfigurieren jede Menge mit den von Ihnen gewählten Einstellungen vor.
</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>In Zwischenablage</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>&amp;Speichern unter...</translation>
    </message>
    <message>
        <source>Save the profile to a file (Ctrl+Shift+S)</source>
        <translation>Das Profil in eine Datei speichern (Strg+Umschalt+S)</translation>
    </message>
    <message>
        <source>Save Profile As</source>
        <translation>Profil speichern unter</translation>
    </message>
    <message>
        <source>Production profiles (*.txt);;All files (*)</source>
        <translation>Produktionsprofile (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source> The profile was not saved.</source>
        <translation> Das Profil wurde nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>tessel::RunSetup</name>
    <message>
        <source>Choose the profile to store.</source>
        <translation>Das zu schreibende Profil wählen.</translation>
    </message>
    <message>
        <source>Tick at least one port.</source>
        <translation>Mindestens einen Port ankreuzen.</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 nicht lesbar: %2</translation>
    </message>
    <message>
        <source>%1; nothing was sent</source>
        <translation>%1; nichts wurde gesendet</translation>
    </message>
    <message>
        <source>A units file needs a database record (a .sqlite file or a postgresql:// address), which keeps which units are done.</source>
        <translation>Eine Einheitendatei braucht ein Datenbank-Protokoll (eine .sqlite-Datei oder eine postgresql://-Adresse), das festhält, welche Einheiten fertig sind.</translation>
    </message>
    <message>
        <source>&amp;Scan a kit label for each module</source>
        <translation>Kit-Etikett für jedes Modul &amp;scannen</translation>
    </message>
    <message>
        <source>none: every module gets the profile as it is</source>
        <translation>keine: jedes Modul erhält das Profil unverändert</translation>
    </message>
    <message>
        <source>a .sqlite or .csv file, or postgresql://HOST/DB</source>
        <translation>eine .sqlite- oder .csv-Datei oder postgresql://HOST/DB</translation>
    </message>
    <message>
        <source>another port: a device path or tcp://HOST:PORT</source>
        <translation>weiterer Port: ein Gerätepfad oder tcp://HOST:PORT</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Profiles (*.txt);;All files (*)</source>
        <translation>Profile (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Units file</source>
        <translation>Einheitendatei</translation>
    </message>
    <message>
        <source>Units files (*.csv);;All files (*)</source>
        <translation>Einheitendateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Profile:</source>
        <translation>&amp;Profil:</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Typ:</translation>
    </message>
    <message>
        <source>&amp;Units file:</source>
        <translation>&amp;Einheitendatei:</translation>
    </message>
    <message>
        <source>&amp;Record:</source>
        <translation>P&amp;rotokoll:</translation>
    </message>
    <message>
        <source>P&amp;orts:</source>
        <translation>P&amp;orts:</translation>
    </message>
</context>
<context>
    <name>tessel::SerialChannel</name>
    <message>
        <source>No port was chosen.</source>
        <translation>Es wurde kein Port gewählt.</translation>
    </message>
    <message>
        <source>The connection on %1 was lost: the device disappeared or stopped working.</source>
        <translation>Die Verbindung an %1 ist verloren: das Gerät ist verschwunden oder arbeitet nicht mehr.</translation>
    </message>
</context>
<context>
    <name>tessel::SessionClient</name>
    <message>
        <source>The transfer was cancelled.</source>
        <translation>Die Übertragung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Nothing was stored: %1.</source>
        <translation>Es wurde nichts geschrieben: %1.</translation>
    </message>
    <message>
        <source>No line to a module is open; this %1 was not started.</source>
        <translation>Keine Leitung zu einem Modul ist offen; %1 wurde nicht begonnen.</translation>
    </message>
    <message>
        <source>The module is busy and another transfer already waits for it; this %1 was not started.</source>
        <translation>Das Modul ist beschäftigt und eine weitere Übertragung wartet bereits; %1 wurde nicht begonnen.</translation>
    </message>
    <message>
        <source>The transfer before this %1 was stopped; it was not started.</source>
        <translation>Die Übertragung vor %1 wurde angehalten; es wurde nicht begonnen.</translation>
    </message>
</context>
<context>
    <name>tessel::SessionJob</name>
    <message>
        <source>identification</source>
        <translation>die Erkennung</translation>
    </message>
    <message>
        <source>read</source>
        <translation>das Lesen</translation>
    </message>
    <message>
        <source>store</source>
        <translation>das Schreiben</translation>
    </message>
    <message>
        <source>link test</source>
        <translation>der Verbindungstest</translation>
    </message>
    <message>
        <source>reading of the inputs</source>
        <translation>das Lesen der Eingänge</translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation>das Zurücksetzen auf Werkseinstellungen</translation>
    </message>
</context>
<context>
    <name>tessel::SettingChanges</name>
    <message>
        <source>Address %1 (not shown)</source>
        <translation>Adresse %1 (nicht angezeigt)</translation>
    </message>
    <message>
        <source>Device %1 serial</source>
        <translation>Gerät %1 Seriennummer</translation>
    </message>
    <message>
        <source>Device %1 relay function</source>
        <translation>Gerät %1 Relaisfunktion</translation>
    </message>
    <message>
        <source>no such function</source>
        <translation>keine solche Funktion</translation>
    </message>
    <message>
        <source>Limit type of input %1</source>
        <translation>Grenzwerttyp von Eingang %1</translation>
    </message>
    <message>
        <source>no such type</source>
        <translation>kein solcher Typ</translation>
    </message>
    <message>
        <source>Lower limit of input %1</source>
        <translation>Unterer Grenzwert von Eingang %1</translation>
    </message>
    <message>
        <source>Upper limit of input %1</source>
        <translation>Oberer Grenzwert von Eingang %1</translation>
    </message>
    <message>
        <source>Device %1 controller type</source>
        <translation>Gerät %1 Controllertyp</translation>
    </message>
    <message>
        <source>Communication mode</source>
        <translation>Kommunikationsart</translation>
    </message>
    <message>
        <source>2-Way Communication</source>
        <translation>2-Wege-Kommunikation</translation>
    </message>
    <message>
        <source>2-Way QM Port Confirmation</source>
        <translation>2-Wege-QM-Port-Bestätigung</translation>
    </message>
    <message>
        <source>1-Way Communication (faster)</source>
        <translation>1-Wege-Kommunikation (schneller)</translation>
    </message>
    <message>
        <source>3 (no such mode)</source>
        <translation>3 (keine solche Art)</translation>
    </message>
    <message>
        <source>Lite commands</source>
        <translation>Lite-Befehle</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>Mapping bytes</source>
        <translation>Map-Bytes</translation>
    </message>
    <message>
        <source>Remap to Custom Settings</source>
        <translation>Eigene Zuordnung verwenden</translation>
    </message>
    <message>
        <source>Use Calculated Mapping Bytes</source>
        <translation>Berechnete Map-Bytes verwenden</translation>
    </message>
    <message>
        <source>Forced delay</source>
        <translation>Erzwungene Verzögerung</translation>
    </message>
    <message>
        <source>Mode byte bits 5 to 7</source>
        <translation>Modus-Byte Bits 5 bis 7</translation>
    </message>
    <message>
        <source>Base serial</source>
        <translation>Basis-Seriennummer</translation>
    </message>
    <message>
        <source>Device count</source>
        <translation>Geräteanzahl</translation>
    </message>
    <message>
        <source>Capture speed</source>
        <translation>Erfassungstempo</translation>
    </message>
    <message>
        <source>Debounce</source>
        <translation>Entprellung</translation>
    </message>
    <message>
        <source>Reaction interval</source>
        <translation>Reaktionsintervall</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Device %1 active</source>
        <translation>Gerät %1 aktiv</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Mapping byte of device %1</source>
        <translation>Map-Byte von Gerät %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source> (correction)</source>
        <translation> (Korrektur)</translation>
    </message>
    <message>
        <source>1 setting</source>
        <translation>1 Einstellung</translation>
    </message>
    <message>
        <source>%1 settings</source>
        <translation>%1 Einstellungen</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>no differences</source>
        <translation>keine Unterschiede</translation>
    </message>
    <message>
        <source>%1 differs (%2 of %3 addresses)</source>
        <translation>%1 weicht ab (%2 von %3 Adressen)</translation>
    </message>
    <message>
        <source>%1 differ (%2 of %3 addresses)</source>
        <translation>%1 weichen ab (%2 von %3 Adressen)</translation>
    </message>
</context>
<context>
    <name>tessel::SettingsBands</name>
    <message>
        <source>&lt;----- HIDE</source>
        <translation>&lt;----- AUSBLENDEN</translation>
    </message>
    <message>
        <source>Advanced Features -----&gt;</source>
        <translation>Erweitert -----&gt;</translation>
    </message>
    <message>
        <source>Step 1: Base Serial Number</source>
        <translation>Schritt 1: Basis-Seriennummer</translation>
    </message>
    <message>
        <source>Base serial number</source>
        <translation>Basis-Seriennummer</translation>
    </message>
    <message>
        <source>Restore Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Broadcast to All</source>
        <translation>An alle senden</translation>
    </message>
    <message>
        <source>Step 2:  How Many Different Relay Controllers will this Tessel Talk To?</source>
        <translation>Schritt 2:  Mit wie vielen Relais-Controllern spricht dieses Tessel?</translation>
    </message>
    <message>
        <source>Device count</source>
        <translation>Geräteanzahl</translation>
    </message>
    <message>
        <source>Operational Modes:</source>
        <translation>Betriebsarten:</translation>
    </message>
    <message>
        <source>2-Way Communication</source>
        <translation>2-Wege-Kommunikation</translation>
    </message>
    <message>
        <source>2-Way QM Port Confirmation</source>
        <translation>2-Wege-QM-Port-Bestätigung</translation>
    </message>
    <message>
        <source>1-Way Communication (faster)</source>
        <translation>1-Wege-Kommunikation (schneller)</translation>
    </message>
    <message>
        <source>Process Velqa Lite Commands</source>
        <translation>Velqa-Lite-Befehle verarbeiten</translation>
    </message>
    <message>
        <source>Force Velqa Delay (compatibility)</source>
        <translation>Velqa-Verzögerung erzwingen (Kompatibilität)</translation>
    </message>
    <message>
        <source>Mapping Byte:</source>
        <translation>Map-Byte:</translation>
    </message>
    <message>
        <source>Use Calculated Mapping Bytes</source>
        <translation>Berechnete Map-Bytes verwenden</translation>
    </message>
    <message>
        <source>Remap to Custom Settings</source>
        <translation>Eigene Zuordnung verwenden</translation>
    </message>
    <message>
        <source>The base serial is not %1 hexadecimal digits (0 to 9, A to F); the one shown before is kept until it is.</source>
        <translation>Die Basis-Seriennummer hat nicht %1 Hexadezimalziffern (0 bis 9, A bis F); bis dahin gilt die zuvor angezeigte.</translation>
    </message>
    <message>
        <source>base serial number</source>
        <translation>Basis-Seriennummer</translation>
    </message>
</context>
<context>
    <name>tessel::SettingsCheck</name>
    <message>
        <source>controller type of device %1 (beyond the module&apos;s %2 inputs)</source>
        <translation>Controllertyp von Gerät %1 (über die %2 Eingänge des Moduls hinaus)</translation>
    </message>
    <message>
        <source>lower limit of input %1</source>
        <translation>unterer Grenzwert von Eingang %1</translation>
    </message>
    <message>
        <source>upper limit of input %1</source>
        <translation>oberer Grenzwert von Eingang %1</translation>
    </message>
</context>
<context>
    <name>tessel::SettingsTransfer</name>
    <message>
        <source>Reading block %1 of the module&apos;s memory failed.</source>
        <translation>Das Lesen von Block %1 des Modulspeichers ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The line is unreliable: block %1 came back different each of the %2 times it was read. Check the cable and its plugs, then try again.</source>
        <translation>Die Leitung ist unzuverlässig: Block %1 kam bei jedem der %2 Lesevorgänge anders zurück. Prüfen Sie das Kabel und seine Stecker und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The line is unreliable: blocks %1 came back different each of the %2 times it was read. Check the cable and its plugs, then try again.</source>
        <translation>Die Leitung ist unzuverlässig: die Blöcke %1 kamen bei jedem der %2 Lesevorgänge anders zurück. Prüfen Sie das Kabel und seine Stecker und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Nothing was stored: these entries do not fit in one byte (0 to 255): %1.</source>
        <translation>Es wurde nichts geschrieben: diese Einträge passen nicht in ein Byte (0 bis 255): %1.</translation>
    </message>
    <message>
        <source>The store was stopped before block %1.</source>
        <translation>Das Schreiben wurde vor Block %1 angehalten.</translation>
    </message>
</context>
<context>
    <name>tessel::SimulatedChannel</name>
    <message>
        <source>The connection to the simulated module was lost.</source>
        <translation>Die Verbindung zum simulierten Modul ist verloren.</translation>
    </message>
</context>
<context>
    <name>tessel::SplashWindow</name>
    <message>
        <source>Configuration of Tessel and Threshold radio input modules
Version %1</source>
        <translation>Konfiguration von Tessel- und Threshold-Funkeingangsmodulen
Version %1</translation>
    </message>
</context>
<context>
    <name>tessel::StartupWindow</name>
    <message>
        <source>ZigBee Tessel Communications</source>
        <translation>ZigBee-Tessel-Kommunikation</translation>
    </message>
</context>
<context>
    <name>tessel::StationTile</name>
    <message>
        <source>block %1 of %2</source>
        <translation>Block %1 von %2</translation>
    </message>
    <message>
        <source>WAITING</source>
        <translation>WARTEN</translation>
    </message>
    <message>
        <source>waiting for a module</source>
        <translation>wartet auf ein Modul</translation>
    </message>
    <message>
        <source>PUT IN A MODULE</source>
        <translation>MODUL EINSETZEN</translation>
    </message>
    <message>
        <source>IDENTIFYING</source>
        <translation>ERKENNEN</translation>
    </message>
    <message>
        <source>CHECKING</source>
        <translation>PRÜFEN</translation>
    </message>
    <message>
        <source>STORING</source>
        <translation>SCHREIBEN</translation>
    </message>
    <message>
        <source>DO NOT REMOVE</source>
        <translation>NICHT ENTNEHMEN</translation>
    </message>
    <message>
        <source>NO ADAPTER</source>
        <translation>KEIN ADAPTER</translation>
    </message>
    <message>
        <source>adapter gone, waiting for it</source>
        <translation>Adapter fehlt, wartet darauf</translation>
    </message>
    <message>
        <source>PLUG THE ADAPTER IN</source>
        <translation>ADAPTER EINSTECKEN</translation>
    </message>
    <message>
        <source>PORT FAILED</source>
        <translation>PORTFEHLER</translation>
    </message>
    <message>
        <source>CHECK THE PORT</source>
        <translation>PORT PRÜFEN</translation>
    </message>
    <message>
        <source>REMOVE THE MODULE</source>
        <translation>MODUL ENTNEHMEN</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>BESTANDEN</translation>
    </message>
    <message>
        <source>stored and checked</source>
        <translation>geschrieben und geprüft</translation>
    </message>
    <message>
        <source>held the profile already</source>
        <translation>hatte das Profil schon</translation>
    </message>
    <message>
        <source>unit %1 partly stored</source>
        <translation>Einheit %1 teilweise geschrieben</translation>
    </message>
    <message>
        <source>unit %1 back in the pool</source>
        <translation>Einheit %1 zurück im Vorrat</translation>
    </message>
    <message>
        <source>REFUSED</source>
        <translation>ABGELEHNT</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>FEHLER</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>SCANNEN</translation>
    </message>
    <message>
        <source>waiting for this module&apos;s kit label</source>
        <translation>wartet auf das Kit-Etikett dieses Moduls</translation>
    </message>
    <message>
        <source>SCAN THE KIT LABEL</source>
        <translation>KIT-ETIKETT SCANNEN</translation>
    </message>
    <message>
        <source>OPENING</source>
        <translation>ÖFFNEN</translation>
    </message>
    <message>
        <source>opening the port</source>
        <translation>Port wird geöffnet</translation>
    </message>
</context>
<context>
    <name>tessel::StoreHiddenLine</name>
    <message>
        <source>Store returns when the transfer under way ends.</source>
        <translation>Schreiben ist wieder möglich, wenn die laufende Übertragung endet.</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 weitere</translation>
    </message>
    <message>
        <source>Not stored until corrected: %1.</source>
        <translation>Nicht geschrieben, bis korrigiert: %1.</translation>
    </message>
    <message>
        <source>Why the store button is hidden</source>
        <translation>Warum die Schreiben-Schaltfläche fehlt</translation>
    </message>
    <message>
        <source>Correct these to store: %1.</source>
        <translation>Zum Schreiben korrigieren: %1.</translation>
    </message>
</context>
<context>
    <name>tessel::StoreReport</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>addresses %1 to %2</source>
        <translation>Adressen %1 bis %2</translation>
    </message>
    <message>
        <source>Block %1 (%2)</source>
        <translation>Block %1 (%2)</translation>
    </message>
    <message>
        <source>Blocks %1 to %2 (%3)</source>
        <translation>Blöcke %1 bis %2 (%3)</translation>
    </message>
    <message>
        <source> holds </source>
        <translation> enthält </translation>
    </message>
    <message>
        <source> hold </source>
        <translation> enthalten </translation>
    </message>
    <message>
        <source>the new settings.</source>
        <translation>die neuen Einstellungen.</translation>
    </message>
    <message>
        <source>No block holds the new settings.</source>
        <translation>Kein Block enthält die neuen Einstellungen.</translation>
    </message>
    <message>
        <source> may hold the old or the new settings: its store was not confirmed.</source>
        <translation> kann die alten oder die neuen Einstellungen enthalten: sein Schreiben wurde nicht bestätigt.</translation>
    </message>
    <message>
        <source>the old settings.</source>
        <translation>die alten Einstellungen.</translation>
    </message>
    <message>
        <source>neither the old nor the new settings: the line changed what was sent.</source>
        <translation>weder die alten noch die neuen Einstellungen: die Leitung hat das Gesendete verändert.</translation>
    </message>
    <message>
        <source>other values than the new settings.</source>
        <translation>andere Werte als die neuen Einstellungen.</translation>
    </message>
    <message>
        <source>No backup of the module&apos;s memory was saved before the store.</source>
        <translation>Vor dem Schreiben wurde keine Sicherung des Modulspeichers gespeichert.</translation>
    </message>
    <message>
        <source>Run the store again.</source>
        <translation>Schreiben Sie erneut.</translation>
    </message>
    <message>
        <source>Run the store again, or restore the backup with: tessel-config write --port %1 %2</source>
        <translation>Schreiben Sie erneut, oder stellen Sie die Sicherung wieder her mit: tessel-config write --port %1 %2</translation>
    </message>
    <message>
        <source>The module did not confirm the store of %1.</source>
        <translation>Das Modul hat das Schreiben von %1 nicht bestätigt.</translation>
    </message>
    <message>
        <source>The store stopped at %1: %2</source>
        <translation>Das Schreiben endete bei %1: %2</translation>
    </message>
    <message>
        <source>Read again after the store:</source>
        <translation>Nach dem Schreiben erneut gelesen:</translation>
    </message>
    <message>
        <source>the new settings: each was confirmed.</source>
        <translation>die neuen Einstellungen: jeder wurde bestätigt.</translation>
    </message>
    <message>
        <source> was in flight: it may hold the old or the new settings.</source>
        <translation> war unterwegs: er kann die alten oder die neuen Einstellungen enthalten.</translation>
    </message>
    <message>
        <source> was not sent; it could not be read again because the module left.</source>
        <translation> wurde nicht gesendet; er konnte nicht erneut gelesen werden, weil das Modul fort ist.</translation>
    </message>
    <message>
        <source> were not sent; they could not be read again because the module left.</source>
        <translation> wurden nicht gesendet; sie konnten nicht erneut gelesen werden, weil das Modul fort ist.</translation>
    </message>
    <message>
        <source>No restore command is given: the module has left the port, and the next one there is another module.</source>
        <translation>Kein Wiederherstellungsbefehl: das Modul hat den Port verlassen, und das nächste dort ist ein anderes Modul.</translation>
    </message>
    <message>
        <source>The store was stopped before its first block, as asked.</source>
        <translation>Das Schreiben wurde wie verlangt vor seinem ersten Block angehalten.</translation>
    </message>
    <message>
        <source>The store was stopped after block %1, as asked; every block sent was confirmed.</source>
        <translation>Das Schreiben wurde wie verlangt nach Block %1 angehalten; jeder gesendete Block wurde bestätigt.</translation>
    </message>
    <message>
        <source>Every block was confirmed, but the module holds other values than were stored at addresses %1 (blocks %2).</source>
        <translation>Jeder Block wurde bestätigt, aber das Modul enthält an den Adressen %1 (Blöcke %2) andere Werte als geschrieben.</translation>
    </message>
    <message>
        <source>The store itself completed: all %1 blocks were stored and each was confirmed by the module.</source>
        <translation>Das Schreiben selbst ist vollständig: alle %1 Blöcke wurden geschrieben und vom Modul bestätigt.</translation>
    </message>
    <message>
        <source>Verification could not be done: %1</source>
        <translation>Die Prüfung war nicht möglich: %1</translation>
    </message>
    <message>
        <source>Read the module to compare; should that fail too, check the connection.</source>
        <translation>Lesen Sie das Modul zum Vergleich; schlägt auch das fehl, prüfen Sie die Verbindung.</translation>
    </message>
    <message>
        <source>The module&apos;s memory before the store is saved in %1.</source>
        <translation>Der Speicher des Moduls vor dem Schreiben ist in %1 gesichert.</translation>
    </message>
    <message>
        <source>The backup %1 was read after the line garbled a command into a store, so it may already hold a changed block: it is the memory as it was read then, not surely as it was before that.</source>
        <translation>Die Sicherung %1 wurde gelesen, nachdem die Leitung einen Befehl zum Beginn eines Schreibens verfälscht hatte; sie kann also schon einen geänderten Block enthalten: Sie ist der Speicher, wie er damals gelesen wurde, nicht sicher, wie er davor war.</translation>
    </message>
</context>
<context>
    <name>tessel::TcpChannel</name>
    <message>
        <source>Could not connect to %1: the host did not answer within %2 s.</source>
        <translation>Keine Verbindung zu %1: der Rechner hat nicht innerhalb von %2 s geantwortet.</translation>
    </message>
    <message>
        <source>the connection was refused. Is the device server on and is this its port?</source>
        <translation>die Verbindung wurde abgelehnt. Ist der Geräteserver eingeschaltet und ist dies sein Port?</translation>
    </message>
    <message>
        <source>no host of that name is known.</source>
        <translation>kein Rechner dieses Namens ist bekannt.</translation>
    </message>
    <message>
        <source>there is no route to the host (%1).</source>
        <translation>es gibt keinen Weg zum Rechner (%1).</translation>
    </message>
    <message>
        <source>the connection timed out.</source>
        <translation>die Verbindung hat das Zeitlimit überschritten.</translation>
    </message>
    <message>
        <source>the device server closed the connection as it was made.</source>
        <translation>der Geräteserver hat die Verbindung beim Aufbau geschlossen.</translation>
    </message>
    <message>
        <source>Could not connect to %1: %2</source>
        <translation>Keine Verbindung zu %1: %2</translation>
    </message>
    <message>
        <source>the connection was reset (the device server restarted, or the network between dropped it)</source>
        <translation>die Verbindung wurde zurückgesetzt (der Geräteserver wurde neu gestartet, oder das Netz dazwischen hat sie getrennt)</translation>
    </message>
    <message>
        <source>the device server closed it</source>
        <translation>der Geräteserver hat sie geschlossen</translation>
    </message>
    <message>
        <source>there is no route to the host any more (%1)</source>
        <translation>es gibt keinen Weg mehr zum Rechner (%1)</translation>
    </message>
    <message>
        <source>the connection timed out</source>
        <translation>die Verbindung hat das Zeitlimit überschritten</translation>
    </message>
    <message>
        <source>The connection to %1 was lost: %2.</source>
        <translation>Die Verbindung zu %1 ist verloren: %2.</translation>
    </message>
</context>
<context>
    <name>tessel::TransferSummary</name>
    <message>
        <source>Read at %1</source>
        <translation>Gelesen um %1</translation>
    </message>
    <message>
        <source>Read %1 at %2; the settings shown were kept</source>
        <translation>Lesen um %2 %1; die angezeigten Einstellungen bleiben erhalten</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>stopped at %1 before its first block</source>
        <translation>um %1 vor dem ersten Block angehalten</translation>
    </message>
    <message>
        <source>stopped at %1: blocks 0 to %2 new, %3 to %4 old</source>
        <translation>um %1 angehalten: Blöcke 0 bis %2 neu, %3 bis %4 alt</translation>
    </message>
    <message>
        <source>stored at %1, but %2 addresses differ on reading back</source>
        <translation>um %1 geschrieben, aber %2 Adressen weichen beim Zurücklesen ab</translation>
    </message>
    <message>
        <source>stored at %1, not verified</source>
        <translation>um %1 geschrieben, nicht geprüft</translation>
    </message>
    <message>
        <source>not started at %1: the module&apos;s memory changed</source>
        <translation>um %1 nicht begonnen: der Speicher des Moduls hat sich geändert</translation>
    </message>
    <message>
        <source>failed at %1 at block %2</source>
        <translation>um %1 bei Block %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 at %2; nothing was sent</source>
        <translation>%1 um %2; es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>not done</source>
        <translation>nicht ausgeführt</translation>
    </message>
    <message>
        <source>Identified at %1</source>
        <translation>Erkannt um %1</translation>
    </message>
    <message>
        <source>Not identified at %1</source>
        <translation>Nicht erkannt um %1</translation>
    </message>
    <message>
        <source>Factory settings stored and verified at %1</source>
        <translation>Werkseinstellungen um %1 geschrieben und geprüft</translation>
    </message>
    <message>
        <source>Restored and verified at %1</source>
        <translation>Um %1 wiederhergestellt und geprüft</translation>
    </message>
    <message>
        <source>Stored and verified at %1</source>
        <translation>Um %1 geschrieben und geprüft</translation>
    </message>
    <message>
        <source>Factory reset </source>
        <translation>Werkseinstellungen </translation>
    </message>
    <message>
        <source>Store </source>
        <translation>Schreiben </translation>
    </message>
    <message>
        <source>; backup </source>
        <translation>; Sicherung </translation>
    </message>
</context>
<context>
    <name>tessel::TrendPlot</name>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
    <message>
        <source>-%1 min</source>
        <translation>-%1 Min.</translation>
    </message>
    <message>
        <source>lower</source>
        <translation>unten</translation>
    </message>
    <message>
        <source>limit</source>
        <translation>Grenze</translation>
    </message>
    <message>
        <source>upper</source>
        <translation>oben</translation>
    </message>
</context>
<context>
    <name>tessel::TrendWindow</name>
    <message>
        <source>Input</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Kleinster</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Größter</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Crossings</source>
        <translation>Überschreitungen</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>Levels Over Time</source>
        <translation>Pegel über die Zeit</translation>
    </message>
    <message>
        <source>Levels of the chosen inputs over time</source>
        <translation>Pegel der gewählten Eingänge über die Zeit</translation>
    </message>
    <message>
        <source>Inputs:</source>
        <translation>Eingänge:</translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation>&amp;Letzte</translation>
    </message>
    <message>
        <source> min</source>
        <translation> Min.</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Fortsetzen</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>L&amp;eeren</translation>
    </message>
    <message>
        <source>&amp;Margin:</source>
        <translation>&amp;Abstand:</translation>
    </message>
    <message>
        <source>Set Lower Limit from Minimum Seen</source>
        <translation>Unteren Grenzwert aus Minimum</translation>
    </message>
    <message>
        <source>Set Upper Limit from Maximum Seen</source>
        <translation>Oberen Grenzwert aus Maximum</translation>
    </message>
    <message>
        <source>Set Lower Limit from Level Now</source>
        <translation>Unteren Grenzwert aus Pegel jetzt</translation>
    </message>
    <message>
        <source>Set Upper Limit from Level Now</source>
        <translation>Oberen Grenzwert aus Pegel jetzt</translation>
    </message>
    <message>
        <source>Set Lower Limit of Input %1 from Minimum Seen</source>
        <translation>Unteren Grenzwert von Eingang %1 aus Minimum</translation>
    </message>
    <message>
        <source>Set Upper Limit of Input %1 from Maximum Seen</source>
        <translation>Oberen Grenzwert von Eingang %1 aus Maximum</translation>
    </message>
    <message>
        <source>Set Lower Limit of Input %1 from Level Now</source>
        <translation>Unteren Grenzwert von Eingang %1 aus Pegel jetzt</translation>
    </message>
    <message>
        <source>Set Upper Limit of Input %1 from Level Now</source>
        <translation>Oberen Grenzwert von Eingang %1 aus Pegel jetzt</translation>
    </message>
</context>
<context>
    <name>tessel::WindowDesk</name>
    <message>
        <source>%1 not valid: %2</source>
        <translation>%1 ungültig: %2</translation>
    </message>
    <message>
        <source> not stored</source>
        <translation> nicht geschrieben</translation>
    </message>
    <message>
        <source>1 correction the next store writes</source>
        <translation>1 Korrektur beim nächsten Schreiben</translation>
    </message>
    <message>
        <source>%1 corrections the next store writes</source>
        <translation>%1 Korrekturen beim nächsten Schreiben</translation>
    </message>
    <message>
        <source>No changes</source>
        <translation>Keine Änderungen</translation>
    </message>
    <message>
        <source>Settings that differ from the module&apos;s memory</source>
        <translation>Einstellungen, die vom Speicher des Moduls abweichen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Re&amp;view Changes...</source>
        <translation>Änderungen &amp;prüfen...</translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation>&amp;Sicherungen...</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeitung</translation>
    </message>
    <message>
        <source>The module holds this backup already. Store it again?</source>
        <translation>Das Modul enthält diese Sicherung bereits. Erneut schreiben?</translation>
    </message>
    <message>
        <source>Restoring this backup changes %1 of the module:
%2

A backup of what the module holds now is saved first. Restore it?</source>
        <translation>Das Wiederherstellen dieser Sicherung ändert %1 des Moduls:
%2

Vom jetzigen Inhalt des Moduls wird zuerst eine Sicherung gespeichert. Wiederherstellen?</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>Einstellungen lesen</translation>
    </message>
    <message>
        <source>Review Changes</source>
        <translation>Änderungen prüfen</translation>
    </message>
    <message>
        <source>module</source>
        <translation>Modul</translation>
    </message>
    <message>
        <source>next store</source>
        <translation>nächstes Schreiben</translation>
    </message>
    <message>
        <source>&amp;Production...</source>
        <translation>&amp;Produktion...</translation>
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
        <translation>Tab und Umschalt+Tab	bewegen durch die Bedienelemente in Lesereihenfolge
Leertaste oder Eingabe	klickt die Zelle oder Schaltfläche mit dem Fokus (Aktiv, Seriennr., „&lt;“, „&gt;“)
Links, Ab / Rechts, Auf	senkt / hebt den Einstellbalken mit dem Fokus
Alt+L, Alt+S, Alt+P	lesen, schreiben, Produktionsprofil
Alt+W	Werkseinstellungen wiederherstellen (bei geöffnetem erweitertem Bereich)
Escape	schließt eine Frage mit der Antwort, die nichts verliert</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Port names.&lt;/b&gt; &lt;tt&gt;COMn&lt;/tt&gt; keeps its old meaning (on Linux &lt;tt&gt;/dev/ttyS(n-1)&lt;/tt&gt;); any other name is a device name as listed (&lt;tt&gt;ttyUSB0&lt;/tt&gt; is &lt;tt&gt;/dev/ttyUSB0&lt;/tt&gt;), a full path, or &lt;tt&gt;tcp://HOST:PORT&lt;/tt&gt; for a serial device server. &lt;tt&gt;--port NAME&lt;/tt&gt; skips the choice and does not remember it.&lt;/p&gt;&lt;p&gt;&lt;b&gt;The chosen port&lt;/b&gt; is remembered in &lt;tt&gt;tessel.cfg&lt;/tt&gt; in the working directory, or in &lt;tt&gt;~/.config/tessel-config/tessel.cfg&lt;/tt&gt; where that cannot be written.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Permission.&lt;/b&gt; On Linux your user must belong to the group that owns the device, usually &lt;tt&gt;dialout&lt;/tt&gt;; log in again after joining it.&lt;/p&gt;&lt;p&gt;&lt;b&gt;The line&lt;/b&gt; runs at 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control. Every store first reads the module&apos;s memory and saves it as a backup.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Portnamen.&lt;/b&gt; &lt;tt&gt;COMn&lt;/tt&gt; behält seine alte Bedeutung (unter Linux &lt;tt&gt;/dev/ttyS(n-1)&lt;/tt&gt;); jeder andere Name ist ein Gerätename wie aufgeführt (&lt;tt&gt;ttyUSB0&lt;/tt&gt; ist &lt;tt&gt;/dev/ttyUSB0&lt;/tt&gt;), ein vollständiger Pfad oder &lt;tt&gt;tcp://HOST:PORT&lt;/tt&gt; für einen seriellen Geräteserver. &lt;tt&gt;--port NAME&lt;/tt&gt; überspringt die Auswahl und merkt sie sich nicht.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Der gewählte Port&lt;/b&gt; wird in &lt;tt&gt;tessel.cfg&lt;/tt&gt; im Arbeitsverzeichnis gespeichert, oder in &lt;tt&gt;~/.config/tessel-config/tessel.cfg&lt;/tt&gt;, wo das nicht geschrieben werden kann.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Berechtigung.&lt;/b&gt; Unter Linux muss Ihr Benutzer zu der Gruppe gehören, der das Gerät gehört, meist &lt;tt&gt;dialout&lt;/tt&gt;; melden Sie sich nach dem Beitritt neu an.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Die Leitung&lt;/b&gt; läuft mit 115200 Baud, 8 Datenbits, ohne Parität, 1 Stoppbit, ohne Flusssteuerung. Jedes Schreiben liest zuerst den Speicher des Moduls und speichert ihn als Sicherung.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>On a &amp;Real Port</source>
        <translation>An einem &amp;echten Port</translation>
    </message>
    <message>
        <source>On a Real Port</source>
        <translation>An einem echten Port</translation>
    </message>
    <message>
        <source>&amp;About tessel-config</source>
        <translation>&amp;Über tessel-config</translation>
    </message>
    <message>
        <source>About tessel-config</source>
        <translation>Über tessel-config</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;tessel-config %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Configures Tessel and Threshold radio input modules over a serial port.&lt;/p&gt;&lt;p&gt;Help: point at any control, or move to it with Tab, and the box at the bottom left of the window explains it. On the command line, &lt;tt&gt;tessel-config --help&lt;/tt&gt; lists the commands.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;tessel-config %1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Konfiguriert Tessel- und Threshold-Funkeingangsmodule über eine serielle Schnittstelle.&lt;/p&gt;&lt;p&gt;Hilfe: Zeigen Sie auf ein Bedienelement oder gehen Sie mit Tab dorthin, dann erklärt es das Feld unten links im Fenster. Auf der Kommandozeile listet &lt;tt&gt;tessel-config --help&lt;/tt&gt; die Befehle auf.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Save Wire &amp;Trace...</source>
        <translation>Leitungs&amp;protokoll speichern...</translation>
    </message>
    <message>
        <source>Save Wire Trace</source>
        <translation>Leitungsprotokoll speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Module</source>
        <translation>&amp;Modul</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>tessel::WindowStatusLine</name>
    <message>
        <source>Port of the module</source>
        <translation>Port des Moduls</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Last transfer</source>
        <translation>Letzte Übertragung</translation>
    </message>
    <message>
        <source>No transfer yet</source>
        <translation>Noch keine Übertragung</translation>
    </message>
</context>
<context>
    <name>tessel::WindowVariant</name>
    <message>
        <source>ZigBee Tessel Module</source>
        <translation>ZigBee-Tessel-Modul</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>Funktion:</translation>
    </message>
    <message>
        <source>Step 3: Configure Debounce Setting</source>
        <translation>Schritt 3: Entprellung einstellen</translation>
    </message>
    <message>
        <source>Debounce:</source>
        <translation>Entprell.:</translation>
    </message>
    <message>
        <source>Debounce</source>
        <translation>Entprellung</translation>
    </message>
    <message>
        <source>Step 4: Configure Refresh Setting</source>
        <translation>Schritt 4: Aktualisierung einstellen</translation>
    </message>
    <message>
        <source>Refresh:</source>
        <translation>Aktual.:</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Relay Limiter Functions</source>
        <translation>Relais-Grenzwertfunktionen</translation>
    </message>
    <message>
        <source>ZigBee Threshold Sensor Monitoring</source>
        <translation>ZigBee-Threshold-Sensorüberwachung</translation>
    </message>
    <message>
        <source>Limits:</source>
        <translation>Grenzwerte:</translation>
    </message>
    <message>
        <source>Step 3: Capture Speed (Lower is Faster)</source>
        <translation>Schritt 3: Erfassungstempo (kleiner ist schneller)</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Tempo:</translation>
    </message>
    <message>
        <source>Capture speed</source>
        <translation>Erfassungstempo</translation>
    </message>
    <message>
        <source>Step 4: Reaction Interval (Lower is Faster, Value in Seconds)</source>
        <translation>Schritt 4: Reaktionsintervall (kleiner ist schneller, in Sekunden)</translation>
    </message>
    <message>
        <source>Seconds:</source>
        <translation>Sekunden:</translation>
    </message>
    <message>
        <source>Reaction interval in seconds</source>
        <translation>Reaktionsintervall in Sekunden</translation>
    </message>
    <message>
        <source>Set Limits of Inputs</source>
        <translation>Grenzwerte der Eingänge</translation>
    </message>
</context>
<context>
    <name>tessel::wire::WindowCaption</name>
    <message>
        <source>Tessel Module </source>
        <translation>Tessel-Modul </translation>
    </message>
    <message>
        <source>Ombrevane Generation 2: %1Version%2 Release Year:%3</source>
        <extracomment>The window&apos;s title: %1 the radio and kind (may be empty), %2 the firmware version and %3 the release year, each after a blank or a minus sign.</extracomment>
        <translation>Ombrevane Generation 2: %1Version%2 Baujahr:%3</translation>
    </message>
</context>
</TS>
