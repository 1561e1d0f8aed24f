#pragma once

#include <QByteArray>
#include <QString>

// A scripted answer as rlx-devsim's --reply takes it: "PREFIX=REPLY", split
// at the first "=". Both sides are bytes with the escapes \r, \n, \\, \0 and
// \xHH (two hexadecimal digits); a prefix that has to hold "=" (a register
// write) writes it as \x3d.
struct ReplyScript
{
    QByteArray prefix; // never empty
    QByteArray reply;  // empty: the request stays unanswered

    // Reads one option value. Returns false, with the reason in `why`, for a
    // text without "=", an empty prefix or a bad escape.
    static bool parse(const QByteArray &text, ReplyScript *script, QString *why);
    // Decodes the escapes of `text` into `bytes`.
    static bool unescape(const QByteArray &text, QByteArray *bytes, QString *why);
};
