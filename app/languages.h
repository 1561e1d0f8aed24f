#pragma once

#include <QString>
#include <QStringList>

class QSettings;
class QTranslator;

// The language of the texts, of the window and of rlx-cli. Without a choice
// each keeps its own texts (the window's are English, with a few Russian
// ones) and no translation is loaded. A choice comes from --lang or from the
// window's "Language" setting: "en" and "ru" load the translation compiled
// into the program, "system" the one for the system's language (none when
// there is no such translation). The toolkit's own texts (the buttons of
// message boxes, the command-line parser's) follow from its translations
// installed on the system, when there are any.
class Languages
{
public:
    // The setting the choice is remembered under, and the names of the
    // window's settings store that keeps it (rlx-cli reads it there).
    static const char *const SettingKey;
    static const char *const StoreOrganization;
    static const char *const StoreApplication;

    Languages();
    ~Languages();
    Languages(const Languages &) = delete;
    Languages &operator=(const Languages &) = delete;

    // The values --lang takes: "en", "ru", "system", and "default" for the
    // window's own texts.
    static QStringList choices();
    static bool isChoice(const QString &value);

    // The language to use: --lang when given (`fromCommandLine` not null),
    // otherwise the setting. A language given with --lang is remembered as
    // the setting, so that the next start without --lang keeps it; "default"
    // clears it. Returns "" for the window's own texts.
    static QString choose(const QString &fromCommandLine);
    // The same choice without remembering it, the setting read from `store`:
    // rlx-cli follows the window's setting, and its --lang holds for one run.
    static QString forRun(const QString &fromCommandLine, const QSettings &store);

    // Installs the translations for `language` ("", "en", "ru" or "system")
    // into the application, replacing those installed before. Returns false
    // when the program has no translation for it; the texts then stay the
    // window's own.
    bool install(const QString &language);
    // The language installed, "" when none is.
    QString installed() const { return current; }

private:
    void remove();

    QTranslator *own = nullptr;
    QTranslator *toolkit = nullptr;
    QString current;
};
