#include "resources/DetailArtwork.h"

#include <QFile>
#include <QString>

#include <mutex>

#ifdef LIRASTO_DETAIL_ARTWORK
// Outside any namespace, as Qt's resource initialiser requires.
static void registerDetailArtwork()
{
    Q_INIT_RESOURCE(artwork2x);
}
#endif

namespace lirasto {

QByteArray DetailArtwork(std::string_view name)
{
#ifdef LIRASTO_DETAIL_ARTWORK
    // Registered on first use: a program that never asks pays nothing at start-up.
    static std::once_flag registered;
    std::call_once(registered, registerDetailArtwork);
    QFile file(QStringLiteral(":/artwork@2x/") + QString::fromUtf8(name.data(), qsizetype(name.size())));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
#else
    (void)name;
    return {};
#endif
}

} // namespace lirasto
