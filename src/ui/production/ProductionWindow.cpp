// SPDX-License-Identifier: Apache-2.0
#include "ui/production/ProductionWindow.h"

#include "ui/production/StationTile.h"
#include "ui/widgets/WindowPlace.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tessel {

namespace {
constexpr int kFailBeeps = 3;
constexpr int kBeepGapMs = 180;
const char *const kCounterNames[] = {QT_TRANSLATE_NOOP("tessel::ProductionWindow", "passed"),
                                     QT_TRANSLATE_NOOP("tessel::ProductionWindow", "failed"),
                                     QT_TRANSLATE_NOOP("tessel::ProductionWindow", "refused")};

// Records' result keys counted as a run counts its own modules; a key this program does not
// write counts as a failure.
ProductionTotals countResults(const QStringList &results) {
    ProductionTotals totals;
    for (const QString &key : results)
        totals.count(resultOfKey(key).value_or(ModuleResult::LinkLost));
    return totals;
}

QString startOfToday() {
    return utcKey(QDateTime(QDate::currentDate(), QTime(0, 0)));
}

QLabel *bigLabel(QWidget *parent, int points) {
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSize(points);
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

ProductionWindow::ProductionWindow(BackupFolder backups, QWidget *parent)
    : QWidget(parent, Qt::Window), m_backups(std::move(backups)), m_setup(new RunSetup(this)),
      m_startStop(new QPushButton(tr("Start"), this)), m_note(new QLabel(this)),
      m_tileArea(new QWidget(this)), m_tiles(new QGridLayout(m_tileArea)),
      m_records(new QTableWidget(0, 4, this)),
      m_soundOn(new QCheckBox(tr("So&und for pass and fail"), this)) {
    setObjectName(QStringLiteral("productionWindow"));
    setWindowTitle(tr("Production - tessel-config"));
    m_startStop->setObjectName(QStringLiteral("startStop"));
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    m_soundOn->setChecked(true);
    QFont font = m_startStop->font();
    font.setPointSize(16);
    font.setBold(true);
    m_startStop->setFont(font);
    m_startStop->setMinimumHeight(48);
    connect(m_startStop, &QPushButton::clicked, this, &ProductionWindow::startOrStop);

    auto *counters = new QGridLayout;
    for (int column = 0; column < 3; ++column) {
        auto *title = new QLabel(tr(kCounterNames[column]), this);
        counters->addWidget(title, 0, column + 1, Qt::AlignCenter);
    }
    counters->addWidget(new QLabel(tr("units left"), this), 0, 4, Qt::AlignCenter);
    const QStringList rows = {tr("this run"), tr("today")};
    for (int row = 0; row < 2; ++row) {
        counters->addWidget(new QLabel(rows.at(row), this), row + 1, 0);
        for (int column = 0; column < 3; ++column) {
            m_counters << bigLabel(this, 20);
            counters->addWidget(m_counters.back(), row + 1, column + 1, Qt::AlignCenter);
        }
    }
    m_counters << bigLabel(this, 20);
    counters->addWidget(m_counters.back(), 1, 4, Qt::AlignCenter);

    m_records->setObjectName(QStringLiteral("lastRecords"));
    m_records->setHorizontalHeaderLabels({tr("Time"), tr("Port"), tr("Unit"), tr("Result")});
    m_records->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_records->verticalHeader()->hide();
    m_records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_records->setFocusPolicy(Qt::NoFocus);

    auto *side = new QVBoxLayout;
    side->addWidget(m_setup);
    side->addWidget(m_soundOn);
    side->addWidget(m_startStop);
    side->addLayout(counters);
    side->addWidget(new QLabel(tr("Last %1 records:").arg(kLastRecords), this));
    side->addWidget(m_records, 1);
    auto *main = new QVBoxLayout;
    main->addWidget(m_note);
    main->addWidget(m_tileArea, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(main, 2);
    layout->addLayout(side, 1);

    auto *space = new QShortcut(Qt::Key_Space, this);
    connect(space, &QShortcut::activated, this, &ProductionWindow::startOrStop);
    auto *fullScreen = new QShortcut(Qt::Key_F11, this);
    connect(fullScreen, &QShortcut::activated, this,
            [this] { isFullScreen() ? showNormal() : showFullScreen(); });
    say(tr("Choose the profile and the ports, then press Start (Space)."));
    refreshCounters();
    // Room for four tiles beside the choices; the station's own place once it has one.
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    resize(std::min(1280, room.width()), std::min(800, room.height()));
    rememberPlace(*this, QStringLiteral("production"));
}

ProductionWindow::~ProductionWindow() = default;

void ProductionWindow::setSoundOn(bool on) {
    m_soundOn->setChecked(on);
}

void ProductionWindow::say(const QString &text, bool trouble) {
    m_note->setText(text);
    m_note->setStyleSheet(trouble ? QStringLiteral("color: #b01e1e; font-weight: bold")
                                  : QString());
}

void ProductionWindow::startOrStop() {
    if (!m_run) {
        start();
        return;
    }
    if (!m_run->stopped()) {
        m_run->stop(tr("stopped: no new module is started; finishing those in progress (Stop "
                       "again ends their stores after the block in flight)"));
        m_startStop->setText(tr("Stop now"));
        return;
    }
    m_run->endStores(tr("stopped again: stores end after the block in flight"));
}

void ProductionWindow::start() {
    ProductionRequest request;
    const RunChoices choices = m_setup->choices();
    if (const QString error = prepareRun(choices, m_backups, request); !error.isEmpty()) {
        say(error, true);
        return;
    }
    const bool scan = request.scan;
    m_run = std::make_unique<ProductionRun>(std::move(request));
    connect(m_run.get(), &ProductionRun::stationEvent, this, [this](const StationEvent &e) {
        if (const TileView view = tileFor(e); !view.word.isEmpty())
            m_stationTiles.at(e.station)->display(view);
        if (e.type == StationEvent::Type::Warning)
            say(e.port + QStringLiteral(": ") + e.text, true);
    });
    connect(m_run.get(), &ProductionRun::moduleFinished, this, &ProductionWindow::moduleFinished);
    connect(m_run.get(), &ProductionRun::recordFailed, this,
            [this](const QString &error) { say(error, true); });
    connect(m_run.get(), &ProductionRun::stopping, this, [this](const QString &why) { say(why); });
    connect(m_run.get(), &ProductionRun::note, this, [this](const QString &text) { say(text); });
    connect(m_run.get(), &ProductionRun::ended, this, &ProductionWindow::runEndedHere,
            Qt::QueuedConnection);
    if (const QString error = m_run->start(); !error.isEmpty()) {
        m_run.reset();
        say(error, true);
        return;
    }
    if (UnitDispenser *units = m_run->units()) {
        connect(units, &UnitDispenser::scanWanted, this,
                [this](const QString &port) { tileOf(port).display(scanTile()); });
    }
    m_setup->remember();
    m_runRecords.clear();
    buildTiles(choices.ports, scan);
    m_setup->setVisible(false); // the room goes to the tiles while the run runs
    m_startStop->setText(tr("Stop"));
    say(scan ? tr("Running: scan each module's kit label into its port's field.")
             : tr("Running: put in the modules."));
    refreshCounters();
    refreshRecords();
    if (!m_scanFields.empty())
        m_scanFields.front()->setFocus();
}

void ProductionWindow::buildTiles(const QStringList &ports, bool scan) {
    for (StationTile *tile : m_stationTiles)
        delete tile;
    for (QLineEdit *field : m_scanFields)
        delete field;
    m_stationTiles.clear();
    m_scanFields.clear();
    const int columns = ports.size() <= 2   ? static_cast<int>(ports.size())
                        : ports.size() <= 4 ? 2
                                            : 3;
    for (int column = 0; column < std::max(columns, m_tiles->columnCount()); ++column)
        m_tiles->setColumnStretch(column, column < columns ? 1 : 0);
    for (int i = 0; i < ports.size(); ++i) {
        auto *tile = new StationTile(ports.at(i), m_tileArea);
        m_tiles->addWidget(tile, (i / columns) * 2, i % columns);
        m_stationTiles.push_back(tile);
        tile->setVisible(true); // now, so that a scan field below can take the focus at once
        if (!scan)
            continue;
        auto *field = new QLineEdit(m_tileArea);
        field->setObjectName(QStringLiteral("scan:") + ports.at(i));
        field->setPlaceholderText(tr("scan the kit label for %1").arg(ports.at(i)));
        QFont font = field->font();
        font.setPointSize(16);
        field->setFont(font);
        field->installEventFilter(this);
        connect(field, &QLineEdit::returnPressed, this, [this, field, port = ports.at(i)] {
            if (m_run && m_run->units())
                m_run->units()->scanned(field->text(), port);
            field->clear();
        });
        m_tiles->addWidget(field, (i / columns) * 2 + 1, i % columns);
        field->setVisible(true);
        m_scanFields.push_back(field);
    }
}

StationTile &ProductionWindow::tileOf(const QString &port) const {
    return *m_tileArea->findChild<StationTile *>(QStringLiteral("tile:") + port);
}

QLineEdit *ProductionWindow::scanField(const QString &port) const {
    return m_tileArea->findChild<QLineEdit *>(QStringLiteral("scan:") + port);
}

bool ProductionWindow::eventFilter(QObject *watched, QEvent *event) {
    // A scan field takes the focus, yet Space still starts and stops: no kit label has a blank.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        startOrStop();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ProductionWindow::moduleFinished(const ModuleRecord &record) {
    tileOf(record.port).display(tileFor(record));
    if (!record.warning.isEmpty())
        say(record.port + QStringLiteral(": ") + record.warning, true);
    m_runRecords.push_front(record);
    if (m_runRecords.size() > kLastRecords)
        m_runRecords.pop_back();
    if (record.result != ModuleResult::AlreadyProgrammed)
        sound(record.ok());
    refreshCounters();
    refreshRecords();
}

void ProductionWindow::sound(bool pass) {
    if (!m_soundOn->isChecked())
        return;
    Q_EMIT sounded(pass);
    // One beep for a pass; a failure is a quick run of beeps, told apart without looking.
    QApplication::beep();
    for (int i = 1; !pass && i < kFailBeeps; ++i)
        QTimer::singleShot(i * kBeepGapMs, this, [] { QApplication::beep(); });
}

void ProductionWindow::refreshCounters() {
    const ProductionTotals totals = m_run ? m_run->totals() : ProductionTotals{};
    const std::array<int, 3> run = {totals.ok, totals.failed, totals.refused};
    QStringList texts(7, QStringLiteral("-"));
    if (m_run) {
        for (int i = 0; i < 3; ++i)
            texts[i] = QString::number(run.at(i));
    }
    if (RecordDatabase *db = m_run ? m_run->database() : nullptr) {
        QJsonArray rows;
        RecordFilter today;
        today.sinceUtc = startOfToday();
        if (db->records(today, rows).isEmpty()) {
            QStringList results;
            for (const QJsonValue &row : rows)
                results << row.toObject().value(QStringLiteral("result")).toString();
            const ProductionTotals counted = countResults(results);
            texts[3] = QString::number(counted.ok);
            texts[4] = QString::number(counted.failed);
            texts[5] = QString::number(counted.refused);
        }
        QString error;
        if (UnitPool *pool = m_run->pool(); pool) {
            if (const int left = pool->left(m_run->unitsBatch(), error); error.isEmpty())
                texts[6] = QString::number(left);
        }
    }
    for (int i = 0; i < texts.size(); ++i)
        m_counters.at(i)->setText(texts.at(i));
}

void ProductionWindow::refreshRecords() {
    QList<QStringList> lines;
    RecordDatabase *db = m_run ? m_run->database() : nullptr;
    QJsonArray rows;
    RecordFilter newest;
    newest.newest = kLastRecords;
    if (db && db->records(newest, rows).isEmpty()) {
        for (qsizetype i = rows.size() - 1; i >= 0; --i) {
            const QJsonObject row = rows.at(i).toObject();
            lines << QStringList{QDateTime::fromString(row.value(QStringLiteral("time")).toString(),
                                                       Qt::ISODateWithMs)
                                     .toString(QStringLiteral("HH:mm:ss")),
                                 row.value(QStringLiteral("port")).toString(),
                                 row.value(QStringLiteral("unit")).toString(),
                                 row.value(QStringLiteral("result")).toString()};
        }
    } else {
        for (const ModuleRecord &r : m_runRecords)
            lines << QStringList{r.finished.toString(QStringLiteral("HH:mm:ss")), r.port, r.unit,
                                 resultKey(r.result)};
    }
    m_records->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        for (int column = 0; column < 4; ++column)
            m_records->setItem(row, column, new QTableWidgetItem(lines.at(row).at(column)));
    }
}

void ProductionWindow::runEndedHere() {
    // The run's record and pool stay readable until the next run: the counters keep showing.
    for (StationTile *tile : m_stationTiles) {
        if (tile->view().tone != TileView::Tone::Pass && tile->view().tone != TileView::Tone::Fail)
            tile->display({tr("STOPPED"), tr("the run has ended"), {}, TileView::Tone::Idle});
    }
    for (QLineEdit *field : m_scanFields)
        field->setEnabled(false);
    refreshCounters();
    refreshRecords();
    m_run.reset();
    m_setup->setVisible(true);
    m_startStop->setText(tr("Start"));
    Q_EMIT runEnded();
    if (m_closeWhenEnded)
        close();
}

void ProductionWindow::closeEvent(QCloseEvent *event) {
    // A run ends with every module's record: the window closes once it has.
    if (m_run) {
        m_closeWhenEnded = true;
        m_run->stop(tr("closing: no new module is started"));
        m_run->endStores(tr("closing: stores end after the block in flight"));
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

QString ProductionWindow::viewText() const {
    QStringList lines{m_note->text()};
    for (const StationTile *tile : m_stationTiles)
        lines << tile->text();
    QStringList counters;
    for (const QLabel *label : m_counters)
        counters << label->text();
    lines << QStringLiteral("run %1 | today %2 | left %3")
                 .arg(counters.mid(0, 3).join(QLatin1Char(' ')),
                      counters.mid(3, 3).join(QLatin1Char(' ')), counters.at(6));
    for (int row = 0; row < m_records->rowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column < 4; ++column)
            cells << m_records->item(row, column)->text();
        lines << cells.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace tessel
