// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace tessel {

// Watches for a serial adapter that went away (unplugged with its module, or a hub that reset)
// to come back under the name the station was given, or under the stable by-id name it had
// when the station first opened it, which a re-plugged adapter keeps when the system gives
// it another device name.
class AdapterWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kLookMs = 100;

    // `port` as the operator named it; its by-id name is looked up at once, while it is there.
    explicit AdapterWatch(QString port, QObject *parent = nullptr);

    // Whether the port can come back as itself: not a device server's (tcp://), and not a
    // pseudo-terminal named as such, whose number goes to whichever program asks next.
    [[nodiscard]] bool watchable() const;
    // Looks for the adapter until it is there again, then emits back() once.
    void start();
    void stop() { m_look.stop(); }
    // What to open: the given name while it exists, else the by-id name.
    [[nodiscard]] QString present() const;

Q_SIGNALS:
    void back();

private:
    void look();

    QString m_port;
    QString m_stableName;
    QTimer m_look;
};

} // namespace tessel
