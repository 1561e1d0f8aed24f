#include "app/outcomeline.h"

#include "app/outcomebar.h"

#include "protocol/logging.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

OutcomeLine::OutcomeLine(QMainWindow *window, RunOutcome &run)
    : QObject(window), window(window), outcome(run)
{
    window->setStatusBar(new OutcomeBar(window));
    window->statusBar()->setObjectName(QStringLiteral("statusBar"));
}

void OutcomeLine::tell(const QString &text)
{
    qCDebug(lcWindow) << "outcome:" << text;
    last = text;
    window->statusBar()->showMessage(text);
    // A long outcome loses its middle at the window's edge; the tip shows
    // all of it.
    window->statusBar()->setToolTip(text);
    emit told(text);
}

void OutcomeLine::warn(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, window);
    box.exec();
}

void OutcomeLine::begin(RunOutcome::Operation operation, const QString &port, const QString &doing)
{
    outcome.begin(operation, port);
    tell(doing);
}

bool OutcomeLine::finish(const RunOutcome::Device &device, const QString &port)
{
    const bool nothing = outcome.nothingAnswered();
    const bool anonymous = outcome.identityLost();
    tell(outcome.finish(device));
    if (!nothing && anonymous) {
        warn(tr("Device not identified"),
             tr("The device on %1 did not answer the identity request ($2).\n\n"
                "Its model and firmware are unknown, so its settings were read in a layout "
                "that may not be its own and may be shown wrongly. WRITE and DEFAULT send nothing "
                "to it until a "
                "connection identifies the device: check the device and connect again.")
                 .arg(port));
    }
    return nothing;
}

void OutcomeLine::refuseUnidentified(const QString &action, const QString &port)
{
    outcome.end();
    tell(tr("%1: nothing was sent, because the device on %2 has not identified itself; "
            "connect again once it answers the identity request ($2).")
             .arg(action, port));
}

bool OutcomeLine::beginCalibrationStep(bool portOpen, const QString &port, const QString &done,
                                       const QString &failed)
{
    if (!portOpen) {
        outcome.end();
        tell(tr("Calibration: nothing was sent, because the port is closed; connect the "
                "device first."));
        return false;
    }
    begin(RunOutcome::Calibration, port, tr("Calibrating…"));
    outcome.setCalibrationStep(done, failed);
    // The step is appended to the queue; its give-up ends the run.
    outcome.setTotal(1);
    return true;
}

bool OutcomeLine::endsRun(TypeParser type) const
{
    return outcome.operation() == RunOutcome::Calibration &&
           (type == SetCurrent || type == CalibrationMode);
}
