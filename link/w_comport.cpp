#include "link/w_comport.h"

#include "link/portlist.h"
#include "link/virtualports.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <algorithm>

namespace {

const char *const PortNameKey = "PortName";
constexpr int RefreshInterval = 1000; // ms

} // namespace

W_ComPort::W_ComPort(QWidget *parent, PortList *ports)
    : W_QWidget(parent), portName(new QComboBox(this)), open(new QPushButton(tr("Connect"), this)),
      openSettings(new QPushButton(tr("Open Settings"), this)),
      saveSettings(new QPushButton(tr("Save Settings"), this)),
      configureRemote(new QPushButton(tr("Configure Remote Device"), this)),
      ports(ports ? ports : new PortList(this)), timer(new QTimer(this))
{
    this->ports->setParent(this);

    auto label = labelFor(portName, tr("Port:"), this);
    // As wide as its text, at any font size: the port list takes the rest.
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    portName->setObjectName(QStringLiteral("PortName"));
    open->setObjectName(QStringLiteral("pbOpen"));
    openSettings->setObjectName(QStringLiteral("Open Settings"));
    saveSettings->setObjectName(QStringLiteral("Save Settings"));
    configureRemote->setObjectName(QStringLiteral("Configure Remote Device"));
    configureRemote->setEnabled(false);

    auto layout = new QHBoxLayout(this);
    layout->setSpacing(9);
    layout->setContentsMargins(-1, 5, -1, 1); // left and right from the style
    layout->addWidget(label);
    layout->addWidget(portName);
    layout->addWidget(open);
    layout->addWidget(openSettings);
    layout->addWidget(saveSettings);
    layout->addWidget(configureRemote);

    connect(timer, &QTimer::timeout, this, &W_ComPort::slUpdatePortName);
    timer->start(RefreshInterval);
    slUpdatePortName();
    setConnected(false);
}

void W_ComPort::setConnected(bool connected)
{
    this->connected = connected;
    open->setText(connected ? tr("Disconnect") : tr("Connect"));
    connectedName = connected ? portName->currentText() : QString();
    if (connected)
        QSettings().setValue(QLatin1String(PortNameKey), connectedName);
}

void W_ComPort::slUpdatePortName()
{
    // One look at the present ports serves the whole refresh.
    const QStringList present = ports->present();

    for (const QString &name : present) {
        if (portName->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
            continue;
        const QString remembered = QSettings().value(QLatin1String(PortNameKey)).toString();
        portName->addItem(name);
        // Only the beginning of the remembered name is compared; a virtual
        // device's entry by its path, as it may have been remembered in
        // another language.
        const bool virtualDevice = VirtualPorts::portOf(name) != name;
        if (!connected &&
            (remembered.startsWith(name) ||
             (virtualDevice && VirtualPorts::portOf(remembered) == VirtualPorts::portOf(name))))
            portName->setCurrentIndex(portName->count() - 1);
    }

    // The port in use stays listed while connected, even when it is gone.
    if (connected)
        return;

    for (int i = portName->count() - 1; i >= 0; --i) {
        const QString item = portName->itemText(i);
        const bool stillPresent = std::any_of(present.cbegin(), present.cend(),
                                              [&](const QString &p) { return p.startsWith(item); });
        if (!stillPresent)
            portName->removeItem(i);
    }
}
