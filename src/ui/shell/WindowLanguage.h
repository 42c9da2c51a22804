// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLocale>
#include <QTranslator>

namespace tessel {

// The windows in the user's language: while it lives, the program's own catalogue for `locale`
// and Qt's (for the standard buttons and dialogs) answer every tr(). English is the language the
// texts are written in, so an English locale, or one without a catalogue, installs nothing and
// the windows stay English. The command line never makes one: its output stays English.
class WindowLanguage {
public:
    explicit WindowLanguage(const QLocale &locale = QLocale::system());
    ~WindowLanguage();
    WindowLanguage(const WindowLanguage &) = delete;
    WindowLanguage &operator=(const WindowLanguage &) = delete;

    // Whether the program's own catalogue for the locale was found and installed.
    [[nodiscard]] bool translated() const { return m_ownInstalled; }

private:
    QTranslator m_own;
    QTranslator m_qt;
    bool m_ownInstalled = false;
    bool m_qtInstalled = false;
};

} // namespace tessel
