// rlx-devsim: a virtual RLX device behind a pseudo-terminal. Prints the path
// of the port to open as its first line on standard output and answers until
// it gets SIGINT or SIGTERM.

#include "tools/devsim/announcement.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"
#include "tools/devsim/replyscript.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    const ssize_t ignored = ::write(signalPipe[1], &c, 1);
    (void)ignored;
}

bool parseInt(const QString &text, int low, int high, int *out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    *out = v;
    return true;
}

// PREFIX, PREFIX:COUNT (silent) or PREFIX:MS[:COUNT] (late).
bool parseRule(const QString &text, bool late, PtyDevice::Rule *rule)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.first().isEmpty())
        return false;
    rule->prefix = parts.first().toLatin1();
    int next = 1;
    if (late) {
        if (parts.size() < 2 || !parseInt(parts.at(1), 0, 600000, &rule->delayMs))
            return false;
        next = 2;
    }
    if (parts.size() > next + 1)
        return false;
    if (parts.size() == next + 1 && !parseInt(parts.at(next), 1, 1000000, &rule->count))
        return false;
    return true;
}

int fail(const QString &message)
{
    fprintf(stderr, "rlx-devsim: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rlx-devsim"));

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "A virtual RLX 868 MHz radio I/O device on a pseudo-terminal.\n"
        "Prints the slave path of the pseudo-terminal (for example /dev/pts/7) as the\n"
        "first line on standard output, then answers the configurator's requests until\n"
        "it receives SIGINT or SIGTERM. Request prefixes of --silent, --late and --reply\n"
        "are matched against the start of each request: \"+++\", \"ATS206?\", \"ATS2\"\n"
        "(every S2xx read and write), \"ATR\", \"AT/V\", \"ATO\", \"$0\" ... \"$d\", \"7=\"\n"
        "(test polls of address 7). See tools/devsim/README.md for how the device works."));
    cli.addHelpOption();

    const QCommandLineOption hardware(
        QStringLiteral("hardware"),
        QStringLiteral("Hardware text of the identity reply (default \"RLX-31868-4-20-D "
                       "receiver\"). \"AA\", \"AD\" or \"DD\" after its first character "
                       "select the kind of inputs; \"4-20\" gives a current output."),
        QStringLiteral("text"), QStringLiteral("RLX-31868-4-20-D receiver"));
    const QCommandLineOption firmware(
        QStringLiteral("firmware"),
        QStringLiteral("Firmware build date of the identity reply, as the compiler writes it "
                       "(default \"Aug  4 2022\")."),
        QStringLiteral("date"), QStringLiteral("Aug  4 2022"));
    const QCommandLineOption variant(
        QStringLiteral("variant"),
        QStringLiteral("Configuration layout 0, 1 or 2 (default: from the firmware date: "
                       "after 3 Aug 2022 2, after 1 Aug 2021 1, else 0)."),
        QStringLiteral("n"));
    const QCommandLineOption moduleVersion(
        QStringLiteral("module-version"),
        QStringLiteral("Radio module version text, the answer to \"AT/V\" (default "
                       "\"LE50-868 V2.3.1\")."),
        QStringLiteral("text"), QStringLiteral("LE50-868 V2.3.1"));
    const QCommandLineOption moduleRate(
        QStringLiteral("module-rate"),
        QStringLiteral("Serial rate of the radio module, 0 to 9 in the numbering of S210 and "
                       "\"$3\" (default 4). \"ATR\" and every AT command get an answer only "
                       "while the rate last set by \"$3\" equals it."),
        QStringLiteral("n"), QStringLiteral("4"));
    const QCommandLineOption linkRate(
        QStringLiteral("link-rate"),
        QStringLiteral("Rate the controller talks to the module at when the device starts, "
                       "0 to 9 (default: the module rate)."),
        QStringLiteral("n"));
    const QCommandLineOption reachable(
        QStringLiteral("reachable"),
        QStringLiteral("Comma-separated remote addresses that answer test polls "
                       "(default \"1\"; empty: none)."),
        QStringLiteral("list"), QStringLiteral("1"));
    const QCommandLineOption pollDelay(
        QStringLiteral("poll-delay"),
        QStringLiteral("Radio round trip of a test poll in ms (default 120)."),
        QStringLiteral("ms"), QStringLiteral("120"));
    const QCommandLineOption pollLoss(
        QStringLiteral("poll-loss"),
        QStringLiteral("Percentage of test polls lost on the radio (default 0)."),
        QStringLiteral("percent"), QStringLiteral("0"));
    const QCommandLineOption echo(QStringLiteral("echo"),
                                  QStringLiteral("The radio module echoes AT command lines."));
    const QCommandLineOption silent(
        QStringLiteral("silent"),
        QStringLiteral("Leave requests that begin with prefix unanswered; with :count only that "
                       "many of them. Repeatable."),
        QStringLiteral("prefix[:count]"));
    const QCommandLineOption late(
        QStringLiteral("late"),
        QStringLiteral("Answer requests that begin with prefix ms late; with :count only that "
                       "many of them. Repeatable."),
        QStringLiteral("prefix:ms[:count]"));
    const QCommandLineOption reply(
        QStringLiteral("reply"),
        QStringLiteral("Answer requests that begin with prefix with exactly the bytes of reply "
                       "instead of the device's own answer; the device does not take them, so "
                       "nothing it stores changes. An empty reply leaves them unanswered. The "
                       "value is split at its first \"=\"; both sides take the escapes \\r, "
                       "\\n, \\\\, \\0 and \\xHH (\"=\" in the prefix as \\x3d), for example "
                       "'ATS214?=S214=\\r'. Repeatable: the first matching prefix applies, a "
                       "repeated prefix replaces its reply."),
        QStringLiteral("prefix=reply"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Start every answer ms after its request."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption chunk(QStringLiteral("chunk"),
                                   QStringLiteral("Cut answers into pieces of n bytes."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption chunkPause(
        QStringLiteral("chunk-pause"),
        QStringLiteral("Pause between two pieces of an answer, in ms (default 0)."),
        QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption noise(
        QStringLiteral("noise"),
        QStringLiteral("Chance (0 to 1) that a random byte precedes each byte of an answer."),
        QStringLiteral("p"), QStringLiteral("0"));
    const QCommandLineOption lineNoise(
        QStringLiteral("line-noise"),
        QStringLiteral("Random bytes per second sent while no answer is on the line."),
        QStringLiteral("rate"), QStringLiteral("0"));
    const QCommandLineOption pace(
        QStringLiteral("pace"),
        QStringLiteral("Pace both directions at 9600 baud (about 1.04 ms per byte)."));
    const QCommandLineOption hangUp(
        QStringLiteral("hang-up-after"),
        QStringLiteral("Close the pseudo-terminal once n requests are served, as an adapter "
                       "pulled out, and exit."),
        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption logFile(
        QStringLiteral("log"),
        QStringLiteral("Write every request and answer with a time stamp to file (\"-\": "
                       "standard error)."),
        QStringLiteral("file"));
    const QCommandLineOption config(
        QStringLiteral("config"),
        QStringLiteral("Stored configuration at power-up, in the form of the \"$1\" answer "
                       "without \"=\" and in the layout of the variant, for example "
                       "\"001,5,012,034,2,070,020,1,8000000000000005,030,181,009\"."),
        QStringLiteral("fields"));
    const QCommandLineOption registerValue(
        QStringLiteral("register"),
        QStringLiteral("Radio module register at power-up, for example 206=3. Repeatable."),
        QStringLiteral("n=v"));
    const QCommandLineOption averaging(
        QStringLiteral("averaging"),
        QStringLiteral("Input settings at power-up as the \"$8=\" request takes them: "
                       "averaging of input 1 and 2, threshold of input 1 and 2."),
        QStringLiteral("a1,a2,l1,l2"));
    const QCommandLineOption noAnnounce(
        QStringLiteral("no-announce"),
        QStringLiteral("Do not list the device in configurators on this desktop (by default "
                       "its port is announced in $XDG_RUNTIME_DIR/rlx-devsim/ while it runs)."));
    const QCommandLineOption stuck(
        QStringLiteral("stuck"),
        QStringLiteral("A setting the device acknowledges but does not store: a configuration "
                       "field (delTxRx, testAdres, ...) or a register (S206). Repeatable."),
        QStringLiteral("name"));
    const QCommandLineOption padIdentity(
        QStringLiteral("pad-identity"),
        QStringLiteral("Pad the firmware and hardware texts of the \"$2\" answer with zero "
                       "bytes to n bytes each, as a controller that sends its whole buffers."),
        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the random noise and poll losses."),
                                  QStringLiteral("n"), QStringLiteral("868"));

    cli.addOptions({hardware,   firmware,    variant,    moduleVersion, moduleRate,    linkRate,
                    reachable,  pollDelay,   pollLoss,   echo,          silent,        late,
                    delay,      chunk,       chunkPause, noise,         lineNoise,     pace,
                    hangUp,     logFile,     seed,       config,        registerValue, averaging,
                    noAnnounce, padIdentity, stuck,      reply});
    cli.process(app);
    if (!cli.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("unexpected argument %1").arg(cli.positionalArguments().first()));

    DeviceModel model;
    model.setHardware(cli.value(hardware).toLatin1());
    model.setFirmware(cli.value(firmware).toLatin1());
    model.setModuleVersion(cli.value(moduleVersion).toLatin1());
    int n = 0;
    if (cli.isSet(variant)) {
        if (!parseInt(cli.value(variant), 0, 2, &n))
            return fail(QStringLiteral("--variant takes 0, 1 or 2"));
        model.setVariant(n);
    }
    if (!parseInt(cli.value(moduleRate), 0, 9, &n))
        return fail(QStringLiteral("--module-rate takes 0 to 9"));
    model.setModuleRate(n);
    model.setLinkRate(n);
    if (cli.isSet(linkRate)) {
        if (!parseInt(cli.value(linkRate), 0, 9, &n))
            return fail(QStringLiteral("--link-rate takes 0 to 9"));
        model.setLinkRate(n);
    }
    QList<int> addresses;
    for (const QString &a : cli.value(reachable).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!parseInt(a.trimmed(), 0, 255, &n))
            return fail(QStringLiteral("--reachable takes addresses 0 to 255"));
        addresses.append(n);
    }
    model.setReachable(addresses);
    if (!parseInt(cli.value(pollDelay), 0, 60000, &n))
        return fail(QStringLiteral("--poll-delay takes 0 to 60000 ms"));
    model.setPollDelayMs(n);
    if (!parseInt(cli.value(pollLoss), 0, 100, &n))
        return fail(QStringLiteral("--poll-loss takes 0 to 100"));
    model.setPollLossPercent(n);
    model.setEcho(cli.isSet(echo));
    if (!parseInt(cli.value(padIdentity), 0, 200, &n))
        return fail(QStringLiteral("--pad-identity takes 0 to 200 bytes"));
    model.setIdentityPadding(n);
    for (const QString &name : cli.values(stuck))
        if (!model.setStuck(name.toLatin1()))
            return fail(QStringLiteral("--stuck takes a configuration field or a register, "
                                       "not %1")
                            .arg(name));
    bool ok = false;
    const quint32 seedValue = cli.value(seed).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("--seed takes a number"));
    model.setSeed(seedValue);
    // The power-up state goes in through the device's own requests, so it is
    // checked the way a configurator's write would be.
    if (cli.isSet(config) &&
        model.feed("$0=" + cli.value(config).toLatin1() + '\r', 0).value(0).reply != "OK\r")
        return fail(QStringLiteral("--config does not fit the variant's layout: %1")
                        .arg(cli.value(config)));
    if (cli.isSet(averaging) &&
        model.feed("$8=" + cli.value(averaging).toLatin1() + '\r', 0).value(0).reply != "OK\r")
        return fail(QStringLiteral("--averaging takes four decimal bytes"));
    for (const QString &r : cli.values(registerValue)) {
        const QStringList parts = r.split(QLatin1Char('='));
        int number = 0;
        int value = 0;
        if (parts.size() != 2 || !parseInt(parts.at(0), 0, 999, &number) || model.reg(number) < 0 ||
            number == 210 || !parseInt(parts.at(1), 0, 255, &value))
            return fail(QStringLiteral("bad --register %1 (S210 is --module-rate)").arg(r));
        model.setReg(number, value);
    }
    // After the power-up requests above, which a script must not answer.
    for (const QString &r : cli.values(reply)) {
        ReplyScript script;
        QString why;
        if (!ReplyScript::parse(r.toLocal8Bit(), &script, &why))
            return fail(QStringLiteral("bad --reply %1: %2").arg(r, why));
        model.setScriptedReply(script.prefix, script.reply);
    }

    PtyDevice::Faults faults;
    for (const QString &r : cli.values(silent)) {
        PtyDevice::Rule rule;
        if (!parseRule(r, false, &rule))
            return fail(QStringLiteral("bad --silent %1").arg(r));
        faults.rules.append(rule);
    }
    for (const QString &r : cli.values(late)) {
        PtyDevice::Rule rule;
        if (!parseRule(r, true, &rule))
            return fail(QStringLiteral("bad --late %1").arg(r));
        faults.rules.append(rule);
    }
    if (!parseInt(cli.value(delay), 0, 600000, &faults.replyDelayMs))
        return fail(QStringLiteral("--delay takes 0 to 600000 ms"));
    if (!parseInt(cli.value(chunk), 0, 4096, &faults.chunkSize))
        return fail(QStringLiteral("--chunk takes 0 to 4096"));
    if (!parseInt(cli.value(chunkPause), 0, 600000, &faults.chunkPauseMs))
        return fail(QStringLiteral("--chunk-pause takes 0 to 600000 ms"));
    faults.noise = cli.value(noise).toDouble(&ok);
    if (!ok || faults.noise < 0 || faults.noise > 1)
        return fail(QStringLiteral("--noise takes 0 to 1"));
    faults.lineNoise = cli.value(lineNoise).toDouble(&ok);
    if (!ok || faults.lineNoise < 0 || faults.lineNoise > 1000)
        return fail(QStringLiteral("--line-noise takes 0 to 1000"));
    faults.pace = cli.isSet(pace);
    if (!parseInt(cli.value(hangUp), 0, 100000000, &faults.hangUpAfter))
        return fail(QStringLiteral("--hang-up-after takes a count"));

    PtyDevice device(&model);
    device.setFaults(faults);
    device.setSeed(seedValue);
    if (cli.isSet(logFile) && !device.setLogFile(cli.value(logFile)))
        return fail(QStringLiteral("cannot write the log %1").arg(cli.value(logFile)));
    if (!device.open())
        return fail(QStringLiteral("no pseudo-terminal: %1").arg(device.errorString()));

    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return fail(QStringLiteral("no signal pipe"));
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    QSocketNotifier stop(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stop, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    // An unplugged adapter ends the device's life as well.
    QObject::connect(&device, &PtyDevice::sgHungUp, &app, &QCoreApplication::quit);

    Announcement announcement;
    if (!cli.isSet(noAnnounce) && !announcement.publish(device.slavePath(), model.hardware())) {
        if (Announcement::folder().isEmpty())
            fprintf(stderr, "rlx-devsim: XDG_RUNTIME_DIR is not set, so configurators do not "
                            "list this device; open the port by its path\n");
        else
            fprintf(stderr, "rlx-devsim: cannot announce the port in %s\n",
                    qPrintable(Announcement::folder()));
    }

    printf("%s\n", qPrintable(device.slavePath()));
    fflush(stdout);
    const int rc = app.exec();
    announcement.withdraw();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    return rc;
}
