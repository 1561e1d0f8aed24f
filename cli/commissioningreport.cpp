#include "cli/commissioningreport.h"

#include "protocol/settingsfields.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

QString CommissioningReport::toHtml() const
{
    auto esc = [](const QString &text) { return text.toHtmlEscaped(); };
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>Commissioning "
                                  "report %1</title></head><body>\n")
                       .arg(esc(hardware));
    html += QStringLiteral("<h1>Commissioning report</h1>\n<table border=\"1\" cellpadding=\"3\">"
                           "<tr><th align=\"left\">Date</th><td>%1</td></tr>"
                           "<tr><th align=\"left\">Port</th><td>%2</td></tr>"
                           "<tr><th align=\"left\">Hardware</th><td>%3</td></tr>"
                           "<tr><th align=\"left\">Firmware</th><td>%4 (variant %5)</td></tr>"
                           "</table>\n")
                .arg(esc(when.toString(Qt::ISODate)), esc(port), esc(hardware), esc(firmware))
                .arg(variant);
    html += QStringLiteral("<h2>Settings</h2>\n<table border=\"1\" cellpadding=\"3\">"
                           "<tr><th>Setting</th><th>Field</th><th>Value</th></tr>\n");
    for (const SettingsField &f : SettingsFields::all())
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(esc(QLatin1String(f.label)), esc(QLatin1String(f.name)),
                         esc(f.value(settings).toString()));
    html += QLatin1String("</table>\n");
    if (!test.isEmpty()) {
        html += QStringLiteral("<h2>Radio stability check</h2>\n<table border=\"1\" "
                               "cellpadding=\"3\"><tr><th>Address</th><th>Polls</th>"
                               "<th>Answered</th><th>Share</th><th>Longest miss run</th></tr>\n");
        for (const StabilityTally::Row &r : test)
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4 %</td>"
                                   "<td>%5</td></tr>\n")
                        .arg(r.address)
                        .arg(r.sent)
                        .arg(r.answered)
                        .arg(r.share() * 100, 0, 'f', 1)
                        .arg(r.longestMissRun);
        html += QLatin1String("</table>\n");
    }
    html += QLatin1String("</body></html>\n");
    return html;
}

bool CommissioningReport::write(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        QPdfWriter pdf(&file);
        pdf.setTitle(QStringLiteral("Commissioning report"));
        QTextDocument doc;
        doc.setHtml(toHtml());
        doc.print(&pdf);
    } else {
        file.write(toHtml().toUtf8());
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
