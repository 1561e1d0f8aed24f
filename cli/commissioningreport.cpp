#include "cli/commissioningreport.h"

#include "protocol/settingsfields.h"
#include "session/outputfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace {

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// "2026-12-06 14:40:05 (UTC+01:00)": the clock the engineer read, with its
// offset, so that reports from different sites compare.
QString dateText(const QDateTime &when)
{
    if (!when.isValid())
        return QCoreApplication::translate("CommissioningReport", "unknown");
    const int offset = when.offsetFromUtc();
    QString zone = QStringLiteral("UTC");
    if (offset != 0) {
        const int minutes = qAbs(offset) / 60;
        zone += QStringLiteral("%1%2:%3")
                    .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                    .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                    .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    }
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" (") + zone +
           QLatin1Char(')');
}

// The port text and the spare byte are the configurator's own (the settings
// file carries them); the device never holds them.
bool configuratorsOwn(const SettingsField &f)
{
    return f.text == &DeviceSettings::portName || f.byte == &DeviceSettings::spare;
}

QString row(const QStringList &cells, const char *tag = "td")
{
    QString html = QStringLiteral("<tr>");
    for (const QString &c : cells)
        html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), c);
    return html + QStringLiteral("</tr>\n");
}

QString table(const char *width)
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                          "width=\"%1\" style=\"border-collapse: collapse\">\n")
        .arg(QLatin1String(width));
}

QString percent(const StabilityTally::Row &r)
{
    return r.sent ? QString::number(100.0 * r.share(), 'f', 1) + QStringLiteral(" %")
                  : QStringLiteral("-");
}

bool refuse(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QByteArray pdf(const QString &html, const QString &title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("rlx-cli " RLX_VERSION));
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
        QTextDocument document;
        document.setDocumentMargin(0);
        document.setHtml(html);
        document.print(&writer);
    }
    return buffer.data();
}

} // namespace

QString CommissioningReport::toHtml() const
{
    const QString title = tr("Commissioning report");
    QString html;
    html += QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>") +
            title + QStringLiteral(" - ") + escaped(hardware) +
            QStringLiteral("</title>\n<style>\n"
                           "body { font-family: sans-serif; font-size: 9pt; }\n"
                           "th { text-align: left; background-color: #e8e8e8; }\n"
                           "td.note { color: #606060; }\n"
                           "</style></head>\n<body>\n");
    html += QStringLiteral("<h1>") + title + QStringLiteral("</h1>\n");

    html += table("70%");
    html += row({tr("Date"), escaped(dateText(when))});
    html += row({tr("Port"), escaped(port)});
    html += row({tr("Hardware"), escaped(hardware)});
    // Device texts as sent ("Aug  4 2022"), spaces and all.
    html += row({tr("Firmware"), QStringLiteral("<span style=\"white-space: pre-wrap\">") +
                                     escaped(firmware) + QStringLiteral("</span>")});
    html += row({tr("Firmware variant"), QString::number(variant)});
    html += row({tr("Configurator"), QStringLiteral("rlx-cli " RLX_VERSION)});
    // What the engineer adds: the place, who did it and a remark.
    if (!site.isEmpty())
        html += row({tr("Site"), escaped(site)});
    if (!technician.isEmpty())
        html += row({tr("Technician"), escaped(technician)});
    if (!note.isEmpty())
        html += row({tr("Note"), escaped(note)});
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<h2>") + tr("Settings") + QStringLiteral("</h2>\n");
    html += table("100%");
    html += QStringLiteral("<tr><th width=\"28%\">%1</th><th width=\"52%\">%2</th>"
                           "<th width=\"20%\">%3</th></tr>\n")
                .arg(tr("Setting"), tr("Value"), tr("Note"));
    for (const SettingsField &f : SettingsFields::all()) {
        if (configuratorsOwn(f))
            continue;
        // The value as the customer reads it ("9600 baud", "off"), the
        // device's number beside it where the words are not the number.
        const QString number = f.value(settings).toString();
        const QString words = f.describe(settings);
        QString value = escaped(words == number || words.startsWith(number + QLatin1Char(' '))
                                    ? words
                                    : QStringLiteral("%1 (%2)").arg(words, number));
        QString note;
        if (notRead.contains(&f)) {
            value = tr("not read");
            note = tr("the device's reply was missing or damaged");
        } else if (f.readBack != SettingsField::Never && !f.verifiable(variant, hardware)) {
            value = QStringLiteral("-");
            note = tr("not reported by this device");
        } else if (f.readBack == SettingsField::Never) {
            note = tr("from the identification");
        }
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td class=\"note\">%3</td></tr>\n")
                    .arg(escaped(f.labelText()), value, note);
    }
    html += QStringLiteral("</table>\n");

    if (!test.isEmpty()) {
        html += QStringLiteral("<h2>") + tr("Radio stability check") + QStringLiteral("</h2>\n");
        html += table("100%");
        html += row({tr("Address"), tr("Polls sent"), tr("Answered"), tr("Share answered"),
                     tr("Longest run of misses")},
                    "th");
        for (const StabilityTally::Row &r : test)
            html +=
                row({QString::number(r.address), QString::number(r.sent),
                     QString::number(r.answered), percent(r), QString::number(r.longestMissRun)});
        html += QStringLiteral("</table>\n");
        if (testCutShort)
            html += QStringLiteral("<p>") +
                    tr("<b>The check was cut short</b> before every planned poll was made; the "
                       "figures cover the polls made.") +
                    QStringLiteral("</p>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html;
}

bool CommissioningReport::write(const QString &fileName, QString *error) const
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const bool isPdf = suffix == QLatin1String("pdf");
    if (!isPdf && suffix != QLatin1String("html") && suffix != QLatin1String("htm"))
        return refuse(error, tr("%1: a report is written as PDF or HTML; give a "
                                "file name ending in .pdf or .html")
                                 .arg(fileName));
    if (isPdf && !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return refuse(error, tr("%1: a PDF report needs the graphical toolkit, which "
                                "was not started")
                                 .arg(fileName));

    const QString html = toHtml();
    QByteArray bytes;
    if (isPdf) {
        bytes = pdf(html, tr("Commissioning report") + QStringLiteral(" - ") + hardware);
        if (bytes.isEmpty())
            return refuse(error, tr("%1: the PDF could not be made").arg(fileName));
    } else {
        bytes = html.toUtf8();
    }

    // Written aside and renamed into place: an interrupted or failed write
    // leaves neither a partial report nor a damaged earlier one, and a FIFO
    // or a device under the name is left alone.
    QString why;
    if (!OutputFile::write(fileName, bytes, &why))
        return refuse(error, QStringLiteral("%1: %2").arg(fileName, why));
    return true;
}
