// The virtual device's model: refusals whole, scripted replies, its --reply option.

#include "tools/devsim/devicemodel.h"
#include "tools/devsim/replyscript.h"

#include <QtTest>

#include <tuple>

namespace {

const QByteArray identity = "firmware=Aug  4 2022,pp=RLX-31868-4-20-D receiver\r";

// Everything the device model answers to `bytes`.
QByteArray ask(DeviceModel &m, const QByteArray &bytes)
{
    QByteArray out;
    for (const DeviceModel::Reply &r : m.feed(bytes, 0))
        out += r.reply;
    return out;
}

} // namespace

class TestDevsim : public QObject
{
    Q_OBJECT

private slots:
    // A value above a byte, an address list not hexadecimal, a text cut short.
    void refusedWhole()
    {
        DeviceModel m;
        m.setVariant(2);
        const DeviceModel::Config before = m.config();
        for (const char *bad : {"$0=256,3,000,000,0,050,000,0,1,002,003,006\r",
                                "$0=001,3,000,000,0,050,000,0,00g1,002,003,006\r",
                                "$0=001,3,000,000,0,050,000,0,1,002\r", "$8=001,002,003,999\r"})
            QCOMPARE(ask(m, bad), QByteArray("ERROR\r"));
        QVERIFY(m.config() == before);
        QCOMPARE(ask(m, "$9"), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));
    }

    void scriptedReplies()
    {
        // Until the scripts go, they answer for the device, which takes nothing they answered.
        DeviceModel m;
        m.setCommandMode(true);
        m.setScriptedReply("ATS214?", "S214=\r");
        m.setScriptedReply("ATS214=", "OK\r");
        m.setScriptedReply("$3", "OK\r");
        for (const bool scripted : {true, false}) {
            if (!scripted)
                m.clearScriptedReplies();
            QCOMPARE(ask(m, "ATS214?\r$2ATS214=9\r$37"),
                     (scripted ? "S214=\r" : "S214=3\r") + identity + "OK\rOK\r");
            QCOMPARE(m.reg(214), scripted ? 3 : 9);
            QCOMPARE(m.linkRate(), scripted ? 4 : 7);
        }
    }

    // The --reply option: REQUEST=REPLY, escapes allowed on both sides (a plain one: tst_cli).
    void replyOption()
    {
        ReplyScript script;
        QString why;
        using Case = std::tuple<const char *, QByteArray, QByteArray>;
        for (const auto &[text, prefix, reply] :
             {Case{"ATS214\\x3d=OK\\r", "ATS214=", "OK\r"},
              Case{"$9=\\\\\\n\\0\\x7F\\xfe", "$9", QByteArray("\\\n\0\x7f\xfe", 5)},
              Case{"ATO\\r=", "ATO\r", QByteArray()}}) { // silence
            QVERIFY2(ReplyScript::parse(text, &script, &why), qPrintable(why));
            QCOMPARE(script.prefix, prefix);
            QCOMPARE(script.reply, reply);
        }
        for (const char *bad : {"ATS214?", "=OK\\r", "$1=\\q", "$1=\\X41", "$1=OK\\", "$1=\\x4",
                                "$1=\\x4g", "AT\\t=OK"}) {
            why.clear();
            QVERIFY2(!ReplyScript::parse(bad, &script, &why) && !why.isEmpty(), bad);
        }
    }
};

QTEST_GUILESS_MAIN(TestDevsim)
#include "tst_devsim.moc"
