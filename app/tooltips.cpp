#include "app/tooltips.h"

#include "app/keyboardaccess.h"
#include "editors/w_qwidget.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QProgressBar>
#include <QSpinBox>
#include <QVariant>
#include <QWidget>

namespace {

// The property that holds the tooltip a widget was given here.
const char *const GivenTip = "rlxGivenToolTip";

// By parameter name (object name).
const QHash<QString, QString> &byName()
{
    static const QHash<QString, QString> tips{
        {"PortName", QT_TRANSLATE_NOOP("ToolTips", "Serial port the device is plugged into.")},
        {"pbOpen",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Opens the port, identifies the device and reads its settings; pressed "
                           "again, closes the port.")},
        {"Configure Remote Device",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Settings of a remote device over the radio (not available).")},
        {"Open Settings",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Loads settings from a .rlx file into the editors, without talking "
                           "to the device.")},
        {"Save Settings",
         QT_TRANSLATE_NOOP("ToolTips", "Saves the settings shown in the editors to a .rlx file.")},
        {"READ",
         QT_TRANSLATE_NOOP("ToolTips", "Reads every setting from the device into the editors.")},
        {"WRITE", QT_TRANSLATE_NOOP(
                      "ToolTips", "Writes the settings shown to the device and reads them back.")},
        {"DEFAULT",
         QT_TRANSLATE_NOOP(
             "ToolTips", "Restores the factory settings of the radio module and the controller.")},
        {"Freeze Protection",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Shows or hides the reset timers that restart a frozen device.")},
        {"Chanel", QT_TRANSLATE_NOOP("ToolTips",
                                     "Radio channel within the sub-band (module register S200).")},
        {"Power",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Transmit power of the radio module, -8 to +14 dBm (register S202).")},
        {"Test address",
         QT_TRANSLATE_NOOP("ToolTips",
                           "The device's own radio address: 1 to 64 on a transmitter, fixed 255 "
                           "on the others (register S252).")},
        {"Flow control",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Hardware flow control on the radio module's serial link (register "
                           "S216).")},
        {"Serial Timeout",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Pause on the serial line after which the radio module sends what it "
                           "has received (register S214).")},
        {"Radio module", QT_TRANSLATE_NOOP("ToolTips", "Type of the device's radio module.")},
        {"FirmWare", QT_TRANSLATE_NOOP("ToolTips", "Firmware version of the radio module.")},
        {"Parity", QT_TRANSLATE_NOOP("ToolTips", "Data bits and parity of the RS-485 line.")},
        {"Stop bit", QT_TRANSLATE_NOOP("ToolTips", "Stop bits of the RS-485 line.")},
        {"Delay Tx-Rx",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Wait after sending on RS-485 before listening, in steps of 100 µs.")},
        {"Delay Rx-Tx",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Wait after receiving on RS-485 before sending, in steps of 100 µs.")},
        {"Radio Transmit Reset",
         QT_TRANSLATE_NOOP("ToolTips", "Resets the radio transmitter when it has not sent for this "
                                       "long, in steps of 100 ms.")},
        {"WDT Reset",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Restarts the controller by its watchdog when it stops working for this "
                           "many seconds.")},
        {"Radio Module Reset",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Restarts the radio module when it stops answering for this many "
                           "seconds.")},
        {"Requests period",
         QT_TRANSLATE_NOOP("ToolTips", "Seconds between two radio polls of a remote device.")},
        {"Num of down",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Polls in a row without an answer after which the radio link counts as "
                           "lost.")},
        {"Out1 inversion", QT_TRANSLATE_NOOP("ToolTips", "Inverts discrete output 1.")},
        {"Out2 inversion", QT_TRANSLATE_NOOP("ToolTips", "Inverts discrete output 2.")},
        {"TypeAveraging1", QT_TRANSLATE_NOOP("ToolTips", "How input 1 is averaged.")},
        {"TypeAveraging2", QT_TRANSLATE_NOOP("ToolTips", "How input 2 is averaged.")},
        {"Averaging1", QT_TRANSLATE_NOOP("ToolTips", "Seconds over which input 1 is averaged.")},
        {"Averaging2", QT_TRANSLATE_NOOP("ToolTips", "Seconds over which input 2 is averaged.")},
        {"Diskret1",
         QT_TRANSLATE_NOOP("ToolTips", "Value of input 1 at which its discrete state turns high.")},
        {"Diskret2",
         QT_TRANSLATE_NOOP("ToolTips", "Value of input 2 at which its discrete state turns high.")},
        {"setKalibr",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Puts the device into calibration mode; the output then drives 20 mA.")},
        {"resetKalibr", QT_TRANSLATE_NOOP("ToolTips", "Leaves calibration mode.")},
        {"curCurrent",
         QT_TRANSLATE_NOOP("ToolTips", "Current the output is to drive, in microamperes.")},
        {"setCurCurrent",
         QT_TRANSLATE_NOOP("ToolTips", "Makes the output drive the current set above.")},
        {"realCurrent",
         QT_TRANSLATE_NOOP("ToolTips", "Current your meter shows, in microamperes.")},
        {"setRealCurrent",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Stores the measured current with the set point in the device.")},
    };
    return tips;
}

// Group boxes by title.
const QHash<QString, QString> &byTitle()
{
    static const QHash<QString, QString> tips{
        {"Radio Module",
         QT_TRANSLATE_NOOP("ToolTips", "Settings of the device's 868 MHz radio module.")},
        {"Sub-band",
         QT_TRANSLATE_NOOP("ToolTips", "Frequency sub-band of the radio module (register S206).")},
        {"Radio Data Rate",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Data rate on the radio (register S201); slower reaches farther.")},
        {"RS-485", QT_TRANSLATE_NOOP("ToolTips", "The device's RS-485 line.")},
        {"Serial Data Rate",
         QT_TRANSLATE_NOOP("ToolTips", "Baud rate of the device's RS-485 line.")},
        {"Freeze Protection",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Timers that restart a part of the device that stopped working.")},
        {"Out 4-20", QT_TRANSLATE_NOOP(
                         "ToolTips", "What the current output does when the radio link is lost.")},
        {"Out D1 Discret",
         QT_TRANSLATE_NOOP("ToolTips", "What discrete output 1 does when the radio link is lost.")},
        {"Out D2 Discret",
         QT_TRANSLATE_NOOP("ToolTips", "What discrete output 2 does when the radio link is lost.")},
        {"Out D Discret",
         QT_TRANSLATE_NOOP("ToolTips",
                           "What the discrete output does when the radio link is lost.")},
        {"Remote Device Addresses",
         QT_TRANSLATE_NOOP("ToolTips", "Remote devices the device polls over the radio.")},
        {"Radio Poll Settings",
         QT_TRANSLATE_NOOP("ToolTips", "How the device polls remote devices over the radio.")},
        {"Radio Poll and Out Settings",
         QT_TRANSLATE_NOOP("ToolTips", "How the device polls its remote device, and what its "
                                       "outputs do when the link is lost.")},
        {"Measuremets",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Live values of the device's inputs and how each is processed.")},
        {"Calibration",
         QT_TRANSLATE_NOOP("ToolTips", "Calibrates the 4-20 mA output against your meter.")},
        {"Radio Stability Check",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Polls remote devices again and again to test the radio link.")},
        {QString(), QT_TRANSLATE_NOOP(
                        "ToolTips", "One input: its averaging, its threshold and its live value.")},
    };
    return tips;
}

// Panels and composite editors by class.
const QHash<QString, QString> &byClass()
{
    static const QHash<QString, QString> tips{
        {"W_ComPort", QT_TRANSLATE_NOOP("ToolTips", "Port of the device and the settings files.")},
        {"W_Key",
         QT_TRANSLATE_NOOP("ToolTips", "Reads, writes or restores the device's settings.")},
        {"W_Radio",
         QT_TRANSLATE_NOOP("ToolTips", "Settings of the device's 868 MHz radio module.")},
        {"W_SubBand",
         QT_TRANSLATE_NOOP("ToolTips", "Frequency sub-band and channel of the radio.")},
        {"W_RadioRate", QT_TRANSLATE_NOOP("ToolTips", "Radio data rate and transmit power.")},
        {"W_RadioCommonLeft",
         QT_TRANSLATE_NOOP("ToolTips", "Address, serial link and version of the radio module.")},
        {"W_Progress",
         QT_TRANSLATE_NOOP("ToolTips", "Relative radio range at the chosen data rate.")},
        {"W_Power", QT_TRANSLATE_NOOP("ToolTips", "Transmit power of the radio module.")},
        {"W_Rs485", QT_TRANSLATE_NOOP("ToolTips", "The device's RS-485 line.")},
        {"W_SerialRate", QT_TRANSLATE_NOOP("ToolTips", "Baud rate of the device's RS-485 line.")},
        {"W_Rs485Common",
         QT_TRANSLATE_NOOP("ToolTips", "Format and turn-around delays of the RS-485 line.")},
        {"W_FreezProtection",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Timers that restart a part of the device that stopped working.")},
        {"W_Test", QT_TRANSLATE_NOOP(
                       "ToolTips", "Polls remote devices again and again to test the radio link.")},
        {"AdresArray",
         QT_TRANSLATE_NOOP("ToolTips", "Remote devices the device polls over the radio.")},
        {"AdresArrayFake",
         QT_TRANSLATE_NOOP("ToolTips", "A receiver polls the one remote device at address 1.")},
        {"Measure",
         QT_TRANSLATE_NOOP("ToolTips",
                           "Live values of the device's inputs and how each is processed.")},
        {"Kalibr",
         QT_TRANSLATE_NOOP("ToolTips", "Calibrates the 4-20 mA output against your meter.")},
        {"ReqPeriod",
         QT_TRANSLATE_NOOP("ToolTips", "How the device polls remote devices over the radio.")},
        {"w_NumOfDown",
         QT_TRANSLATE_NOOP("ToolTips", "What the outputs do when the radio link is lost.")},
    };
    return tips;
}

// Valued radio buttons by the title of their group; %1 is the button's text.
const QHash<QString, QString> &byGroup()
{
    static const QHash<QString, QString> tips{
        {"Sub-band", QT_TRANSLATE_NOOP("ToolTips", "Sub-band %1; only g2 may be used.")},
        {"Radio Data Rate", QT_TRANSLATE_NOOP("ToolTips", "Radio data rate %1.")},
        {"Serial Data Rate", QT_TRANSLATE_NOOP("ToolTips", "RS-485 line at %1.")},
        {"Out 4-20", QT_TRANSLATE_NOOP("ToolTips", "On a lost radio link: %1.")},
        {"Out D1 Discret", QT_TRANSLATE_NOOP("ToolTips", "On a lost radio link: %1.")},
        {"Out D2 Discret", QT_TRANSLATE_NOOP("ToolTips", "On a lost radio link: %1.")},
        {"Out D Discret", QT_TRANSLATE_NOOP("ToolTips", "On a lost radio link: %1.")},
    };
    return tips;
}

// A tip of the tables above in the language of the texts.
QString translated(const QString &english)
{
    if (english.isEmpty())
        return english;
    return QCoreApplication::translate("ToolTips", english.toUtf8().constData());
}

bool inClass(const QWidget *widget, const char *className)
{
    for (const QObject *o = widget->parent(); o; o = o->parent())
        if (o->inherits(className))
            return true;
    return false;
}

// A button's tip names its shortcut, as "... (Ctrl+R)." at the end.
QString withShortcut(const QWidget *w, QString tip)
{
    const QKeySequence shortcut = KeyboardAccess::keysOf(w);
    if (tip.isEmpty() || shortcut.isEmpty())
        return tip;
    const QString keys = shortcut.toString(QKeySequence::NativeText);
    const bool stop = tip.endsWith(QLatin1Char('.'));
    if (stop)
        tip.chop(1);
    return tip + QStringLiteral(" (%1)").arg(keys) + (stop ? QStringLiteral(".") : QString());
}

QString baseText(const QWidget *w)
{
    const QString name = w->objectName();
    const QWidget *parent = w->parentWidget();
    // A switchable reset timer: its name is on the timer, not on its parts.
    if (parent && parent->inherits("w_Reset") && !parent->objectName().isEmpty())
        return translated(byName().value(parent->objectName()));
    if (byName().contains(name))
        return translated(byName().value(name));
    if (auto box = qobject_cast<const QGroupBox *>(w))
        return translated(byTitle().value(W_QWidget::groupName(box)));
    if (w->inherits("W_Rb")) {
        auto group = qobject_cast<const QGroupBox *>(parent);
        const QString tip =
            group ? translated(byGroup().value(W_QWidget::groupName(group))) : QString();
        return tip.isEmpty() ? tip : tip.arg(static_cast<const QAbstractButton *>(w)->text());
    }
    const QString className = QString::fromLatin1(w->metaObject()->className());
    if (byClass().contains(className))
        return translated(byClass().value(className));
    if (auto button = qobject_cast<const QAbstractButton *>(w)) {
        const QString text = button->text();
        if (inClass(w, "AdresArray"))
            return translated(QStringLiteral(QT_TRANSLATE_NOOP(
                                  "ToolTips", "The device polls remote address %1.")))
                .arg(text);
    }
    if (qobject_cast<const QSpinBox *>(w) && inClass(w, "AdresArrayFake"))
        return translated(byClass().value(QStringLiteral("AdresArrayFake")));
    if (qobject_cast<const QProgressBar *>(w))
        return inClass(w, "W_Progress")
                   ? translated(byClass().value(QStringLiteral("W_Progress")))
                   : translated(QStringLiteral(QT_TRANSLATE_NOOP(
                         "ToolTips", "Progress of the requests queued for the device.")));
    if (w->inherits("QDial") && inClass(w, "W_Power"))
        return translated(byName().value(QStringLiteral("Power")));
    return QString();
}

} // namespace

QString ToolTips::textFor(const QWidget *w)
{
    return withShortcut(w, baseText(w));
}

void ToolTips::apply(QWidget *root)
{
    for (QWidget *w : root->findChildren<QWidget *>()) {
        // A tip given here is remembered with the widget, so that it can
        // follow a new title; one the widget set itself stays.
        const QString given = w->property(GivenTip).toString();
        if (!w->toolTip().isEmpty() && w->toolTip() != given)
            continue;
        const QString tip = textFor(w);
        if (tip == w->toolTip())
            continue;
        w->setToolTip(tip);
        w->setProperty(GivenTip, tip.isEmpty() ? QVariant() : QVariant(tip));
    }
}
