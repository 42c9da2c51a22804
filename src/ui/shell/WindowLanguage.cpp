// SPDX-License-Identifier: Apache-2.0
#include "ui/shell/WindowLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tessel {

WindowLanguage::WindowLanguage(const QLocale &locale) {
    // Built into the program from translations/tessel-config_<language>.ts.
    m_ownInstalled = m_own.load(locale, QStringLiteral("tessel-config"), QStringLiteral("_"),
                                QStringLiteral(":/i18n")) &&
                     QCoreApplication::installTranslator(&m_own);
    if (!m_ownInstalled)
        return; // Qt's words in another language would sit among English ones
    m_qtInstalled = m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                    QCoreApplication::installTranslator(&m_qt);
}

WindowLanguage::~WindowLanguage() {
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    if (m_ownInstalled)
        QCoreApplication::removeTranslator(&m_own);
}

} // namespace tessel
