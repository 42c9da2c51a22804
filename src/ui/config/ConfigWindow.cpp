// SPDX-License-Identifier: Apache-2.0
#include "ui/config/ConfigWindow.h"

#include "core/ProfileText.h"
#include "core/SettingChanges.h"
#include "session/SessionClient.h"
#include "ui/config/DeviceTable.h"
#include "ui/config/PointerHelp.h"
#include "ui/config/ScrollingForm.h"
#include "ui/config/SettingsBands.h"
#include "ui/config/WindowVariant.h"
#include "ui/dialogs/WindowHost.h"
#include "ui/widgets/FormControls.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPushButton>

namespace tessel {

ConfigWindow::ConfigWindow(std::unique_ptr<WindowVariant> variant, SessionClient &session,
                           WindowHost &host, QWidget *parent)
    : QWidget(parent), m_image(startImage()), m_variant(std::move(variant)),
      m_layout(layoutOf(m_variant->look().kind)), m_session(&session), m_host(host),
      m_moduleBaseline(m_image), m_moduleMemory(m_image) {
    const WindowLook &look = m_variant->look();
    setObjectName(look.objectName);
    setCaption(look.title);
    // The form is laid out in twips for a small dialog font; keep text inside its cells.
    QFont formFont = font();
    formFont.setPointSizeF(7.5);
    setFont(formFont);
    m_scroll = new ScrollingForm(*this);
    QWidget *form = m_scroll->form();
    setWide(false);
    // Created in reading order, which is also the order the keyboard focus takes.
    m_bands = new SettingsBands(m_image, look, form);
    m_table = new DeviceTable(m_image, look, form);
    m_help = new PointerHelp(*m_variant, form, m_scroll->footer());
    buildButtons();
    buildStateLines();
    connectParts();
    connectSession();
    // Until the first read the count control stands at its start, one device.
    m_table->showRowsInUse(0);
    m_bands->setBaseSerialText(look.initialBaseSerial);
    m_variant->addControls({*form, m_image, *m_session, *m_bands, *m_table, m_host});
    m_help->watchControls();
    collectAdvancedArea();
    setWide(false);
}

ConfigWindow::~ConfigWindow() {
    // The pointer help watches every control and asks the variant about it. It goes first, so
    // that the events of closing the window and destroying its controls, which QWidget's
    // destructor sends after the variant is gone, no longer reach it. The desk watches the
    // window's events too, and marks controls that go with the form.
    delete m_help;
    m_desk.reset();
}

DeskParts ConfigWindow::deskParts() const {
    return {m_scroll->form(), m_productionProfile, m_readSettings, m_storeSettings,
            m_restoreFactory};
}

void ConfigWindow::attachDesk(std::unique_ptr<DeskHooks> desk) {
    m_desk = std::move(desk);
}

void ConfigWindow::buildButtons() {
    QWidget *form = m_scroll->footer();
    m_productionProfile = makeButton(QStringLiteral("productionProfile"),
                                     tr("&Generate Production Profile for Quantity "
                                        "Purchases"),
                                     form);
    m_productionProfile->setGeometry(footerRect(8520, 8880, 4260, 495));
    m_readSettings =
        makeButton(QStringLiteral("readSettings"), tr("&Read Settings from Controller"), form);
    m_readSettings->setGeometry(footerRect(8520, 9435, 4260, 495));
    m_storeSettings = makeButton(QStringLiteral("storeSettings"),
                                 tr("&Store These Settings Into Controller"), form);
    m_storeSettings->setGeometry(footerRect(8520, 9990, 4260, 495));
    m_restoreFactory = makeButton(QStringLiteral("restoreFactorySettings"),
                                  tr("Restore to Factory &Default Settings"), form);
    m_restoreFactory->setGeometry(footerRect(12960, 9840, 3240, 615));
    setBackground(m_productionProfile, colours::kLightGreen);
    setBackground(m_readSettings, colours::kLightCyan);
    setBackground(m_storeSettings, colours::kLightRed);
    setBackground(m_restoreFactory, colours::kRed);
    for (QPushButton *b : {m_productionProfile, m_readSettings, m_storeSettings, m_restoreFactory})
        b->setAutoDefault(false);
}

void ConfigWindow::connectParts() {
    connect(m_bands, &SettingsBands::fieldsChecked, this,
            [this](const QStringList &invalid) { fieldsChecked(CheckedPart::Bands, invalid); });
    connect(m_bands, &SettingsBands::deviceCountChanged, m_table, &DeviceTable::showDeviceCount);
    connect(m_bands, &SettingsBands::rowSerialEntered, m_table, &DeviceTable::enterRowSerial);
    connect(m_bands, &SettingsBands::mappingModeChosen, m_table, &DeviceTable::showMappingMode);
    connect(m_bands, &SettingsBands::advancedShown, this, &ConfigWindow::setWide);
    connect(m_table, &DeviceTable::fieldsChecked, this,
            [this](const QStringList &invalid) { fieldsChecked(CheckedPart::Table, invalid); });
    connect(m_table, &DeviceTable::functionClicked, m_variant.get(),
            &WindowVariant::functionCellClicked);
    connect(m_help, &PointerHelp::editingEnds, m_table, &DeviceTable::closeSerialEditors);
    connect(m_variant.get(), &WindowVariant::helpTextChosen, m_help, &PointerHelp::showText);
    connect(m_variant.get(), &WindowVariant::fieldsChecked, this,
            [this](const QStringList &invalid) { fieldsChecked(CheckedPart::Variant, invalid); });
    connect(m_productionProfile, &QPushButton::clicked, this, &ConfigWindow::showProductionProfile);
    connect(m_readSettings, &QPushButton::clicked, this, &ConfigWindow::readSettings);
    connect(m_storeSettings, &QPushButton::clicked, this, &ConfigWindow::storeSettings);
    connect(m_restoreFactory, &QPushButton::clicked, this, &ConfigWindow::restoreFactorySettings);
}

void ConfigWindow::collectAdvancedArea() {
    for (QWidget *child :
         m_scroll->form()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly) +
             m_scroll->footer()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->x() < px(kNarrowWidthTwips))
            continue;
        QList<QWidget *> area = child->findChildren<QWidget *>();
        area << child;
        for (QWidget *w : area)
            m_advancedArea.push_back({w, w->focusPolicy()});
    }
}

void ConfigWindow::setWide(bool wide) {
    m_scroll->setFormSize({px(wide ? kWideWidthTwips : kNarrowWidthTwips), px(kHeightTwips)},
                          px(kHeightTwips - kFooterTopTwips));
    // The narrow window cuts the advanced area off: what lies there cannot be seen, so it
    // must not be reached with the keyboard either (a Space on a control nobody sees would
    // act unseen). The mouse cannot reach it anyway.
    for (const auto &[control, policy] : m_advancedArea) {
        control->setFocusPolicy(wide ? policy : Qt::NoFocus);
        if (!wide && control->hasFocus())
            control->clearFocus();
        // Nor may its mnemonic (Alt+D restores the factory settings) press it unseen.
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setShortcut(wide ? QKeySequence::mnemonic(button->text()) : QKeySequence());
    }
}

void ConfigWindow::fieldsChecked(CheckedPart part, const QStringList &invalid) {
    m_invalid[static_cast<int>(part)] = invalid;
    m_session->setInvalidFields(invalidFields());
    showTransferButtons();
    m_desk->fieldsChecked();
}

QStringList ConfigWindow::invalidFields() const {
    QStringList all;
    for (const QStringList &part : m_invalid)
        all << part;
    return all;
}

void ConfigWindow::setTransferButtonsVisible(bool visible) {
    m_transferButtonsShown = visible;
    showTransferButtons();
}

void ConfigWindow::showTransferButtons() {
    m_readSettings->setVisible(m_transferButtonsShown);
    // Every check must hold, not just the one that ran last.
    m_storeSettings->setVisible(m_transferButtonsShown && invalidFields().isEmpty());
    showStoreHiddenLine();
}

// ---------------------------------------------------------------- showing the image

void ConfigWindow::showImage(const EepromImage &image, ShowAs as) {
    // What the controls cannot show is corrected first, the same way the reviews name it.
    m_image = windowCorrected(kind(), image);
    showControls();
    if (as == ShowAs::Form)
        return;
    m_table->copySerialsToEditors();
    if (as == ShowAs::Read) {
        m_table->enableMappingBytes();
        m_table->showMappingBytes();
        // What the window shows of a module is the baseline, tidied as the window tidies it;
        // the memory itself is kept byte for byte, for what a store would change.
        m_moduleMemory = image;
        m_moduleBaseline = imageToStore();
        m_variant->moduleRead();
    }
}

void ConfigWindow::setCaption(const QString &caption) {
    setWindowTitle(caption + QStringLiteral("[*]"));
}

void ConfigWindow::showControls() {
    m_bands->showBaseSerial();
    m_bands->showDeviceCount();
    m_bands->showTimings();
    m_table->showActiveStates();
    m_table->showSerials();
    m_table->showMappingBytes();
    m_bands->showModes();
    if (m_image.value(map::kModeByte) & map::kRemapValue)
        setWide(true); // custom mapping bytes are edited in the advanced area
    m_table->showTypes();
    m_variant->showRowFunctions();
    m_table->computeInputAssignment();
    m_host.imageShown();
    raise();
    activateWindow();
}

// ---------------------------------------------------------------- report and closing

void ConfigWindow::showProductionProfile() {
    m_host.showReport(profileText(m_image));
}

void ConfigWindow::closeEvent(QCloseEvent *event) {
    if (!m_desk->mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_host.windowClosed();
}

} // namespace tessel
