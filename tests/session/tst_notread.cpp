// A setting whose replies never bring a usable value (damaged, cut short or
// none) is not read: the job asks again, names it, reports the rest as the
// device holds it, ends not ok, and a write is neither verified nor charged
// with a difference it never saw. One reading alone is no value.

#include "cli/portjob.h"
#include "protocol/requestkinds.h"
#include "tests/enginesession.h"

namespace {

const QByteArray Hardware = "RLX-31868-Vela-485";
const quint8 Variant = 2; // the firmware below: every field in the configuration reply

struct Device : JobDevice
{
    Device()
    {
        model.setHardware(Hardware);
        model.setFirmware("Aug  4 2022");
    }
    // What the device answers to `type` now.
    QByteArray answer(TypeParser type)
    {
        const bool command = model.commandMode();
        model.setCommandMode(RequestKinds::row(type).request[0] == 'A');
        const QList<DeviceModel::Reply> r = model.feed(RequestKinds::row(type).request, 0);
        model.setCommandMode(command);
        return r.value(0).reply;
    }
};

QStringList names(const QList<const SettingsField *> &fields)
{
    QStringList out;
    for (const SettingsField *f : fields)
        out << QLatin1String(f->name);
    return out;
}

} // namespace

class TestNotRead : public QObject
{
    Q_OBJECT
private slots:
    void unusableReplyLeavesTheSettingNotRead_data();
    void unusableReplyLeavesTheSettingNotRead();
};

void TestNotRead::unusableReplyLeavesTheSettingNotRead_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("lost"); // not read for certain
    auto row = [](const char *fault, const QStringList &lost) {
        QTest::newRow(fault) << QString(fault) << lost;
    };
    row("register empty", {"serialTimeout"});
    row("register silent", {"subBand"});
    row("digits missing", {"delTxRx"});
    row("field empty", {"delTxRx"});
    row("not hexadecimal", {"adreses"});
    row("field missing", names(SettingsFields::configuration(Variant)));
    // The first reading well formed but wrong: the readings after it decide.
    row("power wrong once", {});
}

void TestNotRead::unusableReplyLeavesTheSettingNotRead()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, lost);
    // Other fields of a damaged reply may go with the lost ones.
    const QStringList mayGo =
        fault.startsWith("register") ? lost : names(SettingsFields::configuration(Variant));
    // Read, then a write that changes every lost setting.
    for (const PortJob::Operation operation : {PortJob::Read, PortJob::Write}) {
        Device d;
        if (fault == "register empty") {
            const QByteArray r = d.answer(ReadS214);
            d.model.setScriptedReply(RequestKinds::row(ReadS214).request,
                                     r.left(r.indexOf('=') + 1) + '\r');
        } else if (fault == "register silent") {
            d.line.faults().rules << LineFaults::Rule{RequestKinds::row(ReadS206).request};
        } else if (fault == "power wrong once") {
            const QByteArray ask = RequestKinds::row(ReadS202).request;
            QByteArray wrong = d.answer(ReadS202);
            const int at = wrong.indexOf('=') + 1;
            wrong[at] = wrong.at(at) == '1' ? '2' : '1';
            d.model.setScriptedReply(ask, wrong);
            QObject::connect(&d.line, &ModelLine::sgRequest, [&d, ask](const QByteArray &r) {
                if (r.startsWith(ask))
                    d.model.clearScriptedReplies();
            });
        } else {
            // The configuration reply with one field damaged.
            const QByteArray clean = d.answer(ReadConfig);
            const int start = clean.indexOf('=') + 1;
            QByteArrayList f = clean.mid(start, clean.size() - start - 1).split(',');
            const int at = SettingsFields::configuration(Variant).indexOf(
                SettingsFields::byName(fault == "not hexadecimal" ? "adreses" : "delTxRx"));
            if (fault == "digits missing")
                f[at].remove(0, 1); // of three
            else if (fault == "field empty")
                f[at].clear();
            else if (fault == "not hexadecimal")
                f[at][f[at].size() - 2] = 'G';
            else
                f.removeLast();
            d.model.setScriptedReply(RequestKinds::row(ReadConfig).request,
                                     clean.left(start) + f.join(',') + '\r');
        }
        PortJob job(QStringLiteral("memory"), operation);
        const DeviceSettings truth = held(d.model);
        DeviceSettings record = truth;
        for (const QString &name : lost) {
            const SettingsField &f = *SettingsFields::byName(name);
            if (f.encoding == SettingsField::AddressList)
                record.adreses = QStringLiteral("0000,0000,0000,0006");
            else if (!f.choices.isEmpty())
                record.*f.byte = quint8(f.choices.at(f.choices.first() == truth.*f.byte ? 1 : 0));
            else
                record.*f.byte = quint8(truth.*f.byte == f.low ? f.high : f.low);
        }
        job.setRecord(record, QString::fromLatin1(Hardware));
        QVERIFY2(d.run(job), "the job hangs");

        const QStringList missing = names(job.notRead());
        for (const QString &name : lost)
            QVERIFY2(missing.contains(name), qPrintable(missing.join(',')));
        for (const QString &name : missing)
            QVERIFY2(lost.contains(name) || mayGo.contains(name), qPrintable(name));
        QCOMPARE(job.exitCode(true), lost.isEmpty() ? 0 : 1);
        const QString summary = job.summary(true);
        if (!lost.isEmpty())
            QVERIFY2(summary.contains(", not read: " + missing.join(", ")) &&
                         summary.endsWith(": FAILED") && !summary.contains(", verified"),
                     qPrintable(summary));
        const QByteArray s206 = RequestKinds::row(ReadS206).request;
        if (fault == "register silent" && operation == PortJob::Read) // asked three times
            QCOMPARE(job.unanswered(), QList<QByteArray>() << s206 << s206 << s206);
        if (operation == PortJob::Read) {
            for (const SettingsField *f : SettingsFields::readBack(Variant, Hardware))
                if (!missing.contains(QLatin1String(f->name)))
                    QVERIFY2(SettingsFields::same(*f, f->value(job.settings()), f->value(truth)),
                             f->name);
        } else {
            // Written, and no difference charged to a setting never read.
            for (const SettingsDifference &diff : job.differences())
                QVERIFY2(!missing.contains(QLatin1String(diff.field->name)), diff.field->name);
            const QList<QByteArray> sent = d.line.requests();
            QVERIFY(std::any_of(sent.begin(), sent.end(),
                                [](const QByteArray &r) { return r.startsWith("$0="); }));
        }
    }
}

QTEST_GUILESS_MAIN(TestNotRead)
#include "tst_notread.moc"
