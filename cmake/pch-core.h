// The toolkit headers nearly every source of the libraries includes, compiled
// once per library instead of once per source file.
#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>
