#include "app/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

const char *const Languages::SettingKey = "Language";
const char *const Languages::StoreOrganization = "Orbelinex";
const char *const Languages::StoreApplication = "Rlx";

namespace {

// Where the translations are compiled into the program.
const char *const TranslationsFolder = ":/translations";

} // namespace

Languages::Languages() = default;

Languages::~Languages()
{
    remove();
}

QStringList Languages::choices()
{
    return {QStringLiteral("en"), QStringLiteral("ru"), QStringLiteral("system"),
            QStringLiteral("default")};
}

bool Languages::isChoice(const QString &value)
{
    return choices().contains(value);
}

QString Languages::choose(const QString &fromCommandLine)
{
    QSettings settings;
    const QString chosen = forRun(fromCommandLine, settings);
    if (!fromCommandLine.isNull())
        settings.setValue(QLatin1String(SettingKey), chosen);
    return chosen;
}

QString Languages::forRun(const QString &fromCommandLine, const QSettings &store)
{
    if (fromCommandLine.isNull()) {
        const QString remembered = store.value(QLatin1String(SettingKey)).toString();
        return isChoice(remembered) && remembered != QLatin1String("default") ? remembered
                                                                              : QString();
    }
    return fromCommandLine == QLatin1String("default") ? QString() : fromCommandLine;
}

bool Languages::install(const QString &language)
{
    // The compiled-in translations live in the library; a static library
    // keeps them only when something registers them.
    Q_INIT_RESOURCE(translations);
    remove();
    if (language.isEmpty())
        return true;
    auto translator = new QTranslator;
    const bool found = language == QLatin1String("system")
                           ? translator->load(QLocale(), QStringLiteral("rlx"), QStringLiteral("_"),
                                              QLatin1String(TranslationsFolder))
                           : translator->load(QStringLiteral("rlx_") + language,
                                              QLatin1String(TranslationsFolder));
    if (!found) {
        delete translator;
        return false;
    }
    own = translator;
    QCoreApplication::installTranslator(own);
    current = language;

    // The toolkit's own texts in the same language, from its translations on
    // the system; English needs none.
    const QString locale = language == QLatin1String("system") ? QLocale().name() : language;
    if (!locale.startsWith(QLatin1String("en"))) {
        auto base = new QTranslator;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
        const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
        if (base->load(QStringLiteral("qtbase_") + locale, folder)) {
            toolkit = base;
            QCoreApplication::installTranslator(toolkit);
        } else {
            delete base;
        }
    }
    return true;
}

void Languages::remove()
{
    // A translator removes itself from the application when it goes.
    delete own;
    delete toolkit;
    own = nullptr;
    toolkit = nullptr;
    current.clear();
}
