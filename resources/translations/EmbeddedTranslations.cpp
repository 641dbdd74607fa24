#include "resources/translations/EmbeddedTranslations.h"

#include <QtGlobal>
#include <mutex>

// Outside any namespace, as Qt's resource initialiser requires.
static void registerTranslations()
{
    Q_INIT_RESOURCE(translations);
}

namespace lirasto {

void EmbedTranslations()
{
    static std::once_flag registered;
    std::call_once(registered, registerTranslations);
}

} // namespace lirasto
