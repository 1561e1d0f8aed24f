// A setting whose replies never bring a usable value is not read: a reply
// that comes whole but damaged, one cut short, or none at all. The job asks
// again a few times, then names the setting as not read, reports the rest as
// the device holds it, ends not ok, and a write is neither called verified
// nor charged with a difference it never saw. And one reading alone is no
// value. In memory, on a clock that jumps: the protocol's time-outs cost no
// real time.

#include "cli/portjob.h"
#include "protocol/requestkinds.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/manualclock.h"
#include "tools/devsim/modelline.h"

#include <QtTest>

namespace {

const QByteArray Hardware = "RLX-31868-Vela-485";
const quint8 Variant = 2; // the firmware below: every field in the configuration reply

struct Device
{
    DeviceModel model;
    ManualClock clock;
    ModelLine line{&model, &clock};

    Device()
    {
        model.setHardware(Hardware);
        model.setFirmware("Aug  4 2022");
    }
    // What the device answers to `type`, as it holds its settings now.
    QByteArray answer(TypeParser type)
    {
        const bool command = model.commandMode();
        model.setCommandMode(RequestKinds::row(type).request[0] == 'A');
        const QList<DeviceModel::Reply> r = model.feed(RequestKinds::row(type).request, 0);
        model.setCommandMode(command);
        return r.value(0).reply;
    }
    bool run(PortJob &job)
    {
        job.setLine(&line);
        job.setClock(&clock);
        job.start();
        return clock.advanceUntil([&] { return job.isFinished(); }, 3600 * 1000);
    }
};

QStringList names(const QList<const SettingsField *> &fields)
{
    QStringList out;
    for (const SettingsField *f : fields)
        out << QLatin1String(f->name);
    return out;
}

const SettingsField &field(const char *name)
{
    return *SettingsFields::byName(QLatin1String(name));
}

// The configuration reply with field `name` changed by `damage`.
QByteArray configWith(Device &d, const char *name,
                      const std::function<void(QByteArrayList &, int)> &damage)
{
    const QByteArray clean = d.answer(ReadConfig);
    const int start = clean.indexOf('=') + 1;
    QByteArrayList fields = clean.mid(start, clean.size() - start - 1).split(',');
    damage(fields, SettingsFields::configuration(Variant).indexOf(&field(name)));
    return clean.left(start) + fields.join(',') + '\r';
}

// Another value the field may be given.
QVariant otherValue(const SettingsField &f, const QVariant &now)
{
    if (f.encoding == SettingsField::AddressList)
        return QStringLiteral("0000,0000,0000,0006");
    if (!f.choices.isEmpty())
        return f.choices.at(f.choices.first() == now.toInt() ? 1 : 0);
    return now.toInt() == f.low ? f.high : f.low;
}

void setValue(DeviceSettings &s, const SettingsField &f, const QVariant &v)
{
    if (f.isText())
        s.*f.text = v.toString();
    else
        s.*f.byte = quint8(v.toInt());
}

} // namespace

class TestNotRead : public QObject
{
    Q_OBJECT
private slots:
    void unusableReplyLeavesTheSettingNotRead_data();
    void unusableReplyLeavesTheSettingNotRead();
    void oneReadingIsNoValue();
};

void TestNotRead::unusableReplyLeavesTheSettingNotRead_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("lost");      // not read for certain
    QTest::addColumn<QStringList>("sameReply"); // may go with them: their reply's fields
    const QStringList config = names(SettingsFields::configuration(Variant));
    QTest::newRow("register empty")
        << "register empty" << QStringList{"serialTimeout"} << QStringList();
    QTest::newRow("register silent")
        << "register silent" << QStringList{"subBand"} << QStringList();
    QTest::newRow("digits missing") << "digits missing" << QStringList{"delTxRx"} << config;
    QTest::newRow("field empty") << "field empty" << QStringList{"delTxRx"} << config;
    QTest::newRow("address list not hexadecimal")
        << "not hexadecimal" << QStringList{"adreses"} << config;
    QTest::newRow("field missing") << "field missing" << config << config;
}

void TestNotRead::unusableReplyLeavesTheSettingNotRead()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, lost);
    QFETCH(QStringList, sameReply);

    // The device's settings as an undamaged read gives them.
    DeviceSettings held;
    {
        Device d;
        PortJob clean(QStringLiteral("memory"), PortJob::Read);
        QVERIFY2(d.run(clean), "the read hangs");
        QCOMPARE(clean.exitCode(false), 0);
        held = clean.settings();
    }
    QCOMPARE(field("delTxRx").digits, 3); // "digits missing" takes one of three away

    // Read, then a write that changes every lost setting.
    for (const PortJob::Operation operation : {PortJob::Read, PortJob::Write}) {
        Device d;
        if (fault == "register empty") {
            const QByteArray r = d.answer(ReadS214);
            d.model.setScriptedReply(RequestKinds::row(ReadS214).request,
                                     r.left(r.indexOf('=') + 1) + '\r');
        } else if (fault == "register silent") {
            d.line.faults().rules << LineFaults::Rule{RequestKinds::row(ReadS206).request};
        } else {
            const QByteArray reply =
                configWith(d, fault == "not hexadecimal" ? "adreses" : "delTxRx",
                           [&](QByteArrayList &f, int at) {
                               if (fault == "digits missing")
                                   f[at].remove(0, 1);
                               else if (fault == "field empty")
                                   f[at].clear();
                               else if (fault == "not hexadecimal")
                                   f[at][f[at].size() - 2] = 'G';
                               else
                                   f.removeLast();
                           });
            d.model.setScriptedReply(RequestKinds::row(ReadConfig).request, reply);
        }
        PortJob job(QStringLiteral("memory"), operation);
        DeviceSettings record = held;
        for (const QString &name : lost) {
            const SettingsField &f = *SettingsFields::byName(name);
            setValue(record, f, otherValue(f, f.value(held)));
        }
        job.setRecord(record, QString::fromLatin1(Hardware));
        QVERIFY2(d.run(job), "the job hangs");

        const QStringList missing = names(job.notRead());
        for (const QString &name : lost)
            QVERIFY2(missing.contains(name), qPrintable(missing.join(',')));
        for (const QString &name : missing)
            QVERIFY2(lost.contains(name) || sameReply.contains(name), qPrintable(name));
        QCOMPARE(job.exitCode(true), 1);
        const QString summary = job.summary(true);
        QVERIFY2(summary.contains(", not read: " + missing.join(", ")) &&
                     summary.endsWith(": FAILED") && !summary.contains(", verified"),
                 qPrintable(summary));
        // Read three times: no reading brought it, so it is not coming.
        if (fault == "register silent" && operation == PortJob::Read)
            QCOMPARE(job.unanswered(), QList<QByteArray>() << RequestKinds::row(ReadS206).request
                                                           << RequestKinds::row(ReadS206).request
                                                           << RequestKinds::row(ReadS206).request);
        if (operation == PortJob::Read) {
            // What was read is what the device holds.
            for (const SettingsField *f : SettingsFields::readBack(Variant, Hardware))
                if (!missing.contains(QLatin1String(f->name)))
                    QVERIFY2(SettingsFields::same(*f, f->value(job.settings()), f->value(held)),
                             f->name);
        } else {
            // The device took the new values; none read, none a difference
            // (the scripted reply keeps telling the old configuration: its
            // other fields may differ).
            for (const SettingsDifference &diff : job.differences())
                QVERIFY2(!missing.contains(QLatin1String(diff.field->name)), diff.field->name);
            const QList<QByteArray> sent = d.line.requests();
            QVERIFY(std::any_of(sent.begin(), sent.end(),
                                [](const QByteArray &r) { return r.startsWith("$0="); }));
        }
    }
}

// The first reading of the power comes well formed but wrong (noise that
// made up other digits): alone it is no value; the readings after it agree
// on what the device holds.
void TestNotRead::oneReadingIsNoValue()
{
    Device d;
    const QByteArray ask = RequestKinds::row(ReadS202).request;
    const QByteArray clean = d.answer(ReadS202);
    QByteArray wrong = clean;
    wrong[wrong.indexOf('=') + 1] = clean.at(clean.indexOf('=') + 1) == '1' ? '2' : '1';
    d.model.setScriptedReply(ask, wrong);
    QObject::connect(&d.line, &ModelLine::sgRequest, [&](const QByteArray &request) {
        if (request.startsWith(ask))
            d.model.clearScriptedReplies();
    });
    PortJob job(QStringLiteral("memory"), PortJob::Read);
    QVERIFY2(d.run(job), "the read hangs");
    QCOMPARE(job.exitCode(false), 0);
    QCOMPARE(QByteArray::number(job.settings().power), clean.mid(clean.indexOf('=') + 1).trimmed());
}

QTEST_GUILESS_MAIN(TestNotRead)
#include "tst_notread.moc"
