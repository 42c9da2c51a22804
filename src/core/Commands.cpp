// SPDX-License-Identifier: Apache-2.0
#include "core/Commands.h"

#include <QCoreApplication>

namespace tessel::wire {

namespace {
QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// A value's digits after a sign column: a blank for zero and above, the minus sign below.
QString signColumnNumber(int v) {
    return v >= 0 ? QStringLiteral(" %1").arg(v) : QString::number(v);
}

} // namespace

// The digits are split after the century digit.
QString releaseYear(int code) {
    const QString s = signColumnNumber(code);
    return s.left(2) + QStringLiteral("0") + s.mid(2, 2);
}

QByteArray linkTest() {
    return bytes({0x00, 0x02});
}
QByteArray identifyModuleCommand() {
    return bytes({0x00, 0x03});
}
QByteArray readConfigBlock(int block) {
    return bytes({0x00, 0x01, block});
}
QByteArray readAnalogInput(int input) {
    return bytes({0x02, input});
}

QByteArray writeConfigBlock(int block, const BlockBytes &data) {
    QByteArray out = bytes({0x01, 0x02, block});
    for (quint8 d : data)
        out.append(static_cast<char>(d));
    return out;
}

int commandLength(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return 0;
    // A byte that starts no command is noise at once, not held for the byte after it.
    const auto b0 = static_cast<quint8>(bytes[0]);
    if (b0 > 0x02)
        return -1;
    if (bytes.size() < 2)
        return 0;
    const auto b1 = static_cast<quint8>(bytes[1]);
    if (b0 == 0x00 && (b1 == 0x02 || b1 == 0x03))
        return 2;
    if (b0 == 0x00 && b1 == 0x01)
        return bytes.size() >= 3 ? 3 : 0;
    if (b0 == 0x01 && b1 == 0x02)
        return bytes.size() >= kWriteBlockLength ? kWriteBlockLength : 0;
    if (b0 == 0x02)
        return 2;
    return -1;
}

QString commandName(const QByteArray &command) {
    const auto b0 = static_cast<quint8>(command.at(0));
    const auto b1 = static_cast<quint8>(command.at(1));
    if (b0 == 0x02)
        return QStringLiteral("analog%1").arg(b1);
    if (b0 == 0x01)
        return QStringLiteral("store%1").arg(static_cast<quint8>(command.at(2)));
    if (b1 == 0x01)
        return QStringLiteral("read%1").arg(static_cast<quint8>(command.at(2)));
    return b1 == 0x02 ? QStringLiteral("link-test") : QStringLiteral("identify");
}

// The context the window's title is translated in.
struct WindowCaption {
    Q_DECLARE_TR_FUNCTIONS(tessel::wire::WindowCaption)
};

QString windowCaption(const IdentityReply &reply) {
    QString radioAndKind;
    if (reply.zigBee())
        radioAndKind += QStringLiteral("ZigBee ");
    if (reply.moduleKind() == ModuleKind::Tessel)
        radioAndKind += WindowCaption::tr("Tessel Module ");
    //: The window's title: %1 the radio and kind (may be empty), %2 the firmware version and
    //: %3 the release year, each after a blank or a minus sign.
    return WindowCaption::tr("Ombrevane Generation 2: %1Version%2 Release Year:%3")
        .arg(radioAndKind, signColumnNumber(reply.firmwareVersion()),
             releaseYear(reply.releaseYearCode()));
}

QString identityLine(const IdentityReply &reply) {
    const std::optional<ModuleKind> known = reply.moduleKind();
    const QString kind =
        known ? moduleKindName(*known) : QStringLiteral("unknown module kind %1").arg(reply.kind());
    return QStringLiteral("%1, %2, firmware version %3, release year %4")
        .arg(kind, reply.zigBee() ? QStringLiteral("ZigBee radio") : QStringLiteral("other radio"))
        .arg(reply.firmwareVersion())
        .arg(releaseYearText(reply));
}

QString releaseYearText(const IdentityReply &reply) {
    return releaseYear(reply.releaseYearCode()).trimmed();
}

} // namespace tessel::wire
