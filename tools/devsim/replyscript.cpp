#include "tools/devsim/replyscript.h"

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool ReplyScript::parse(const QByteArray &text, ReplyScript *script, QString *why)
{
    const int eq = text.indexOf('=');
    if (eq < 0) {
        *why = QStringLiteral("no \"=\" between request and reply");
        return false;
    }
    if (eq == 0) {
        *why = QStringLiteral("empty request prefix");
        return false;
    }
    return unescape(text.left(eq), &script->prefix, why) &&
           unescape(text.mid(eq + 1), &script->reply, why);
}

bool ReplyScript::unescape(const QByteArray &text, QByteArray *bytes, QString *why)
{
    bytes->clear();
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c != '\\') {
            bytes->append(c);
            continue;
        }
        if (++i == text.size()) {
            *why = QStringLiteral("\"\\\" at the end");
            return false;
        }
        switch (text.at(i)) {
        case 'r':
            bytes->append('\r');
            break;
        case 'n':
            bytes->append('\n');
            break;
        case '\\':
            bytes->append('\\');
            break;
        case '0':
            bytes->append('\0');
            break;
        case 'x': {
            const int high = i + 1 < text.size() ? hexDigit(text.at(i + 1)) : -1;
            const int low = i + 2 < text.size() ? hexDigit(text.at(i + 2)) : -1;
            if (high < 0 || low < 0) {
                *why = QStringLiteral("\"\\x\" takes two hexadecimal digits");
                return false;
            }
            bytes->append(char(high * 16 + low));
            i += 2;
            break;
        }
        default:
            *why = QStringLiteral("unknown escape \"\\%1\"").arg(QLatin1Char(text.at(i)));
            return false;
        }
    }
    return true;
}
