// SPDX-License-Identifier: Apache-2.0
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/shell/WindowLanguage.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QRegularExpression>

using namespace tessel;
using namespace tessel::testing;

namespace {

using ShownTexts = QList<std::pair<QString, QString>>;

// Every text of a window a user reads or a screen reader speaks, each with the object that
// shows it: the title, captions, buttons, frames, the help box, menu entries and the
// accessible names and descriptions. Two windows of a kind list their objects in one order.
ShownTexts shownTexts(const QWidget &window) {
    ShownTexts texts{{QStringLiteral("title"), window.windowTitle()}};
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        const auto add = [&](const QString &text) { texts.push_back({w->objectName(), text}); };
        if (const auto *label = qobject_cast<const QLabel *>(w))
            add(label->text());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            add(button->text());
        else if (const auto *frame = qobject_cast<const QGroupBox *>(w))
            add(frame->title());
        else if (const auto *box = qobject_cast<const QPlainTextEdit *>(w))
            add(box->toPlainText());
        add(w->accessibleName());
        add(w->accessibleDescription());
        add(w->toolTip());
    }
    for (const QAction *action : window.findChildren<QAction *>())
        texts.push_back({QStringLiteral("action"), action->text()});
    return texts;
}

// What reads the same in both languages: no word at all (numbers, serials, "???", "<"), the
// port's name, which also names backup files, and words German shares.
bool sameInBothLanguages(const QString &objectName, const QString &text) {
    static const QRegularExpression noWord(QStringLiteral("^[\\d\\sA-F:?<>!-]*$"));
    static const QStringList shared{QStringLiteral("Port")};
    return noWord.match(text).hasMatch() || objectName == QLatin1String("statusPort") ||
           shared.contains(text);
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Under a German locale every text of a loaded window, and of the progress window it
    // uses, is the catalogue's: a text left out of tr() or of the catalogue shows up in
    // English. English needs no catalogue and gets none.
    void everyTextOfAWindowIsTranslated_data() {
        QTest::addColumn<ModuleKind>("kind");
        QTest::newRow("tessel") << ModuleKind::Tessel;
        QTest::newRow("threshold") << ModuleKind::Threshold;
    }
    void everyTextOfAWindowIsTranslated() {
        QFETCH(ModuleKind, kind);
        QVERIFY(!WindowLanguage(QLocale(QLocale::English, QLocale::UnitedStates)).translated());
        const auto english = WindowBench::loaded(kind);
        const ShownTexts inEnglish =
            shownTexts(*english->window) + shownTexts(english->host.progress);

        const WindowLanguage german(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(german.translated());
        const auto translated = WindowBench::loaded(kind);
        const ShownTexts inGerman =
            shownTexts(*translated->window) + shownTexts(translated->host.progress);

        QCOMPARE(inGerman.size(), inEnglish.size());
        QStringList untranslated;
        for (qsizetype i = 0; i < inEnglish.size(); ++i) {
            const auto &[name, text] = inEnglish[i];
            if (inGerman[i].second == text && !sameInBothLanguages(name, text))
                untranslated << name + QStringLiteral(": ") + text;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    }
};

TESSEL_TEST_OBJECT(TranslationsTest);
#include "test_Translations.moc"
